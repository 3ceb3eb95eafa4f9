#pragma once

#include "radio/fleet_result.h"
#include "storage/data_folder.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace vrx {

// "fleet-20260131-235959.csv" (the local time of `when`) for attempt 1,
// "fleet-20260131-235959-2.csv" for attempt 2, ...
QString fleetReportFileName(const QDateTime &when, int attempt = 1);

// Where a run started at `when` keeps its report: the first free name in the data
// folder's root, so that two runs in one second (a quick "Run failed again") do not
// overwrite each other's report.
QString fleetReportPath(const DataFolder &folder, const QDateTime &when);

// The report as UTF-8 CSV, a header line and a line per radio: batch, port, device,
// USB serial number, start and end time, result ("verified", "written", "read",
// "failed: why", "differs"), backup file, verify result ("same", "N differences",
// "not verified") and the first difference. The words are English on purpose: the
// report is read by scripts and spreadsheets in every language.
QByteArray fleetReportCsv(const QList<FleetPortResult> &results);

// The text of the result and verify columns.
QString fleetResultText(const FleetPortResult &result);
QString fleetVerifyText(const FleetPortResult &result);

// Writes the report atomically, creating its folder when missing. False and `reason`
// on failure.
bool writeFleetReport(const QString &path, const QList<FleetPortResult> &results, QString *reason);

} // namespace vrx

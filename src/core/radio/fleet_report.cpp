#include "radio/fleet_report.h"

#include "storage/atomic_write.h"
#include "storage/csv_format.h"

#include <QDir>
#include <QFileInfo>

namespace vrx {

namespace {

QString timeText(const QDateTime &when) {
    return when.isValid() ? when.toString(Qt::ISODate) : QString();
}

// A spreadsheet runs a field that starts with one of these as a formula; names and serial
// numbers come from devices and files, so they are kept as text.
QString spreadsheetSafe(const QString &value) {
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    if (!value.isEmpty() && kFormulaStarts.contains(value.front()))
        return u'\'' + value;
    return value;
}

} // namespace

QString fleetReportFileName(const QDateTime &when, int attempt) {
    const QString stamp = when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return attempt <= 1 ? QStringLiteral("fleet-%1.csv").arg(stamp)
                        : QStringLiteral("fleet-%1-%2.csv").arg(stamp).arg(attempt);
}

QString fleetReportPath(const DataFolder &folder, const QDateTime &when) {
    const QDir root(folder.root());
    for (int attempt = 1;; ++attempt) {
        const QString path = root.filePath(fleetReportFileName(when, attempt));
        if (!QFileInfo::exists(path))
            return path;
    }
}

QString fleetResultText(const FleetPortResult &result) {
    switch (result.outcome) {
    case FleetOutcome::NotRun:
        return QStringLiteral("not run");
    case FleetOutcome::Running:
        return QStringLiteral("running");
    case FleetOutcome::Verified:
        return QStringLiteral("verified");
    case FleetOutcome::Written:
        return QStringLiteral("written");
    case FleetOutcome::Read:
        return QStringLiteral("read");
    case FleetOutcome::Failed:
        return QStringLiteral("failed: %1").arg(result.why);
    case FleetOutcome::Differs:
        return QStringLiteral("differs");
    }
    return {};
}

QString fleetVerifyText(const FleetPortResult &result) {
    if (!result.verified)
        return QStringLiteral("not verified");
    if (result.differences == 0)
        return QStringLiteral("same");
    return QStringLiteral("%1 differences").arg(result.differences);
}

QByteArray fleetReportCsv(const QList<FleetPortResult> &results) {
    QString text =
        csvLine({QStringLiteral("batch"), QStringLiteral("port"), QStringLiteral("device"),
                 QStringLiteral("usb_serial"), QStringLiteral("start"), QStringLiteral("end"),
                 QStringLiteral("result"), QStringLiteral("backup_file"), QStringLiteral("verify"),
                 QStringLiteral("first_difference")});
    for (const FleetPortResult &r : results) {
        text += csvLine({QString::number(r.batch), spreadsheetSafe(r.port.name),
                         spreadsheetSafe(r.port.device), spreadsheetSafe(r.port.usbSerial),
                         timeText(r.start), timeText(r.end), spreadsheetSafe(fleetResultText(r)),
                         spreadsheetSafe(r.backupFile), fleetVerifyText(r),
                         spreadsheetSafe(r.firstDifference)});
    }
    return text.toUtf8();
}

bool writeFleetReport(const QString &path, const QList<FleetPortResult> &results, QString *reason) {
    const QDir folder = QFileInfo(path).absoluteDir();
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        if (reason)
            *reason = QStringLiteral("cannot create the folder %1").arg(folder.path());
        return false;
    }
    return writeAtomically(path, fleetReportCsv(results), reason);
}

} // namespace vrx

#pragma once

#include "radio_session.h"

#include "storage/app_settings.h"

#include <QString>
#include <QStringList>

namespace vrx {

// `vrxctl write --port P1 --port P2 …`: the plan in `ws` into every port at once, each
// radio on a thread of its own; a radio that fails never stops the others. Writes the
// report (`reportPath`, or fleet-<time>.csv in the data folder). ExitOk when every radio
// succeeded, ExitVerifyFailed when any verification found a difference, else
// ExitRadioFailed (ExitInterrupted on a signal).
struct FleetWriteOptions {
    bool backupFirst = false;
    bool verifyAfter = false;
    // A radio that let a step be skipped counts as failed.
    bool strict = false;
    QString reportPath;
};
int runFleetWrite(const QStringList &ports, const AppSettings &appSettings, const Workspace &ws,
                  const FleetWriteOptions &options);

// `vrxctl read --port P1 --port P2 … --out-dir DIR`: every radio into DIR at once, a file
// per port named after it ("ttyUSB0.vrx", "COM3.vrx"), each also kept in the backups
// folder unless `keepBackups` is false. A radio whose read failed gets no file.
struct FleetReadOptions {
    QString outDir;
    bool keepBackups = true;
    // A read that skipped a step gives no file.
    bool strict = false;
};
int runFleetRead(const QStringList &ports, const AppSettings &appSettings, const Workspace &ws,
                 const FleetReadOptions &options);

// The file name a port's read goes to: its device name without "/dev/", '/' as '_'.
QString fleetReadFileName(const QString &port);

} // namespace vrx

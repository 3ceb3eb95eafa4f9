#pragma once

#include "radio/transfer_engine.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace vrx {

// One port of a fleet run, as the user sees it in a row: what to open and how the
// system describes the cable behind it.
struct FleetPort {
    QString name;           // as the user named it: "COM3" or a device path
    QString device;         // the device that is opened ("/dev/ttyUSB0")
    QString usbDescription; // empty for a port that is not a USB adapter
    QString usbSerial;
};

enum class FleetOutcome {
    NotRun, // not checked, or still waiting in this batch
    Running,
    Verified, // written, read back and found the same
    Written,  // written, not verified (the user did not ask for it)
    Read,     // the source radio, read
    Failed,   // see `why`
    Differs,  // written, but the read back found differences
};

// What a radio's run came to, for its row and the report.
struct FleetPortResult {
    FleetPort port;
    int batch = 0;
    // Where the run is (Opening while it waits to start); the source radio of "read one,
    // write many" passes Reading, the others BackingUp, Writing and Verifying as asked.
    TransferPhase phase = TransferPhase::Opening;
    FleetOutcome outcome = FleetOutcome::NotRun;
    // The gauge of the current phase.
    int progress = 0;
    int progressMax = 0;
    QDateTime start;
    QDateTime end;
    // Why it failed, in English for logs and the report, and as the window shows it (in
    // the language of the run); empty unless Failed.
    QString why;
    QString message;
    // A stop request ended it.
    bool stopped = false;
    // The before-write backup of this radio's old plan, empty when none was taken.
    QString backupFile;
    // Fields that differ after the write, and the first of them ("CH007 RxFreq: wrote
    // ..."); 0 and empty when none or not verified.
    int differences = 0;
    QString firstDifference;
    // Set when the verify phase completed its read back.
    bool verified = false;
    // Lenient steps the radio let its last exchange leave out (English, for notes).
    QStringList skipped;
    // What a read took from the radio (a read run, and the source of "read one, write
    // many"); empty otherwise.
    std::optional<TransferPlan> readPlan;

    bool finished() const {
        return outcome != FleetOutcome::NotRun && outcome != FleetOutcome::Running;
    }
    bool succeeded() const {
        return outcome == FleetOutcome::Verified || outcome == FleetOutcome::Written ||
               outcome == FleetOutcome::Read;
    }
};

} // namespace vrx

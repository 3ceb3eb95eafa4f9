#pragma once

#include "radio/serial_link.h"
#include "radio/transfer.h"

#include <QString>

namespace vrx {

class MainWindow;
class TransferDialog;

// What a run of the transfer dialog ended with.
struct GuardedOutcome {
    // The failure to show in the warning dialog; empty when there was none.
    QString failure;
    // A notice to show although the transfer itself succeeded (a backup that could not be
    // kept); empty when none.
    QString notice;
    // What the radio let the transfer leave out (the settings not read, the band limits
    // or the identification block not written); empty when nothing.
    QString skippedNotice;
    // A write that was read back and found as written.
    bool verified = false;
};

// One run of the transfer dialog in its mode. A read is kept among the backups as well.
// A write can first read the radio into a plan of its own and keep that as a backup
// (nothing is written when that fails), and can read the radio back afterwards and
// compare; the gauge shows each phase in turn, with its name above it. Without the two
// options a write is the plain exchange, frame for frame.
GuardedOutcome runGuardedTransfer(MainWindow &window, TransferDialog &dialog, SerialLink &link);

} // namespace vrx

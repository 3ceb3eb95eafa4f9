#pragma once

#include "radio/transfer_engine.h"

#include <QString>

#include <optional>

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
    // A read that succeeded: the plan it took, for the window to take over.
    std::optional<TransferPlan> readPlan;
};

// One run of the transfer dialog in its mode on `worker`, which holds the dialog's port.
// The window's events flow while it runs; the dialog's Cancel, Escape and close stop it
// at the next step boundary. A read fills a plan of its own: the window's plan is left
// as it was unless the read succeeded, and the channels a failed or stopped read got
// are kept among the backups. A write can first read the radio into a plan of its own
// and keep that as a backup (nothing is written when that fails), and can read the radio
// back afterwards and compare; the gauge shows each phase in turn, with its name above
// it. Without the two options a write is the plain exchange, frame for frame.
GuardedOutcome runGuardedTransfer(MainWindow &window, TransferDialog &dialog,
                                  TransferWorker &worker);

} // namespace vrx

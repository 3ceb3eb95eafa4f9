#pragma once

#include "storage/autosave.h"

#include <QObject>

#include <memory>

namespace vrx {

class MainWindow;

// Crash recovery for the window's plan: the autosave of this run (its own slot, under a
// lock, so a second program keeps its own), and at start the question whether to restore
// what a run that did not end cleanly left behind.
class Recovery : public QObject {
    Q_OBJECT
public:
    explicit Recovery(MainWindow &window);
    ~Recovery() override;

    // Takes this run's slot, deals with a leftover autosave (asking the user whether to
    // restore it), then saves the plan within two seconds after each change. Does
    // nothing when the run keeps no data.
    void start();
    // A clean end: the autosave goes, unless keepForNextStart() kept it.
    void finish();
    // The session ends (logout): a modified plan is written to the autosave now and the
    // file stays for the next start to offer.
    void keepForNextStart(bool modified);

    Autosaver *autosaver() const { return autosaver_.get(); }
    const AutosaveSlot *slot() const { return slot_.get(); }

private:
    void offerRestore(const AutosaveLeftover &leftover);
    void report(const QString &message);

    MainWindow &window_;
    std::unique_ptr<AutosaveSlot> slot_;
    std::unique_ptr<Autosaver> autosaver_;
    bool keepAutosave_ = false;
};

} // namespace vrx

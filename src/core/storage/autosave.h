#pragma once

#include "i18n/ui_texts.h"
#include "storage/backups.h"
#include "storage/channel_plan.h"
#include "storage/data_folder.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QLockFile;

namespace vrx {

// The autosave one running program owns: the first slot whose lock no other running
// program holds (autosave.vrx, then autosave-2.vrx, ...). The lock is held for the
// slot's lifetime; a lock left by a program that crashed counts as free.
class AutosaveSlot {
public:
    static constexpr int kMaxSlots = 16;

    explicit AutosaveSlot(DataFolder folder);
    ~AutosaveSlot();

    AutosaveSlot(const AutosaveSlot &) = delete;
    AutosaveSlot &operator=(const AutosaveSlot &) = delete;

    // False (with `reason`) when the data folder cannot be made or every slot is held.
    bool acquire(QString *reason);
    bool isHeld() const { return slot_ > 0; }
    int slot() const { return slot_; }
    QString path() const;
    const DataFolder &folder() const { return folder_; }

private:
    DataFolder folder_;
    std::unique_ptr<QLockFile> lock_;
    int slot_ = 0;
};

// What start-up finds in its autosave.
struct AutosaveLeftover {
    enum class Kind {
        None,       // no autosave: the last run ended cleanly
        Restorable, // a plan that differs from an empty one: ask whether to restore it
        Empty,      // an empty plan: nothing to restore, the file can go
        Unreadable, // a file that does not parse (truncated, damaged)
    };
    Kind kind = Kind::None;
    std::optional<ChannelPlan> plan;
    QString error;
};

// Looks at the autosave at `path`; `emptyPlan` is what a new window holds, compared by
// meaning (so the language it was saved in plays no part).
AutosaveLeftover inspectAutosave(const QString &path, const ChannelPlan &emptyPlan,
                                 const UiTexts &texts);

// What becomes of a leftover autosave the user does not restore, or that cannot be read:
// it moves into the backups as unsaved-YYYYMMDD-HHMMSS.vrx, so nothing is lost.
BackupResult setAutosaveAside(const DataFolder &folder, const QString &path,
                              const QDateTime &when = QDateTime::currentDateTime());

// Keeps the plan in the autosave file: planChanged() starts a single-shot timer (if it
// is not already running, so a steady stream of changes still saves within the delay);
// when it fires, the plan is captured and written atomically unless its bytes equal what
// was written last. A failure is reported once by saveFailed() until a save succeeds.
class Autosaver : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultDelayMs = 2000;

    Autosaver(QString path, std::function<ChannelPlan()> capture, int delayMs = kDefaultDelayMs,
              QObject *parent = nullptr);

    QString path() const { return path_; }
    bool isPending() const { return timer_.isActive(); }
    int writeCount() const { return writes_; }

public slots:
    void planChanged();
    // Writes now if the plan differs from the last write; false when the write failed.
    bool saveNow();
    // A clean exit: stops the timer and removes the file.
    void discard();

signals:
    void saveFailed(const QString &message);

private:
    QString path_;
    std::function<ChannelPlan()> capture_;
    QTimer timer_;
    QByteArray lastWritten_;
    bool failureReported_ = false;
    int writes_ = 0;
};

} // namespace vrx

#include "storage/autosave.h"

#include "storage/atomic_write.h"
#include "storage/channel_file.h"
#include "storage/plan_diff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace vrx {

AutosaveSlot::AutosaveSlot(DataFolder folder) : folder_(std::move(folder)) {}

AutosaveSlot::~AutosaveSlot() = default;

bool AutosaveSlot::acquire(QString *reason) {
    if (isHeld())
        return true;
    if (folder_.root().isEmpty() || !QDir().mkpath(folder_.root())) {
        if (reason)
            *reason = QStringLiteral("cannot create the data folder %1")
                          .arg(QDir::toNativeSeparators(folder_.root()));
        return false;
    }
    for (int slot = 1; slot <= kMaxSlots; ++slot) {
        auto lock = std::make_unique<QLockFile>(folder_.lockPath(slot));
        // tryLock takes over a lock whose program is gone.
        if (lock->tryLock(0)) {
            lock_ = std::move(lock);
            slot_ = slot;
            return true;
        }
        if (lock->error() == QLockFile::PermissionError) {
            if (reason)
                *reason = QStringLiteral("cannot write in the data folder %1")
                              .arg(QDir::toNativeSeparators(folder_.root()));
            return false;
        }
    }
    if (reason)
        *reason = QStringLiteral("%1 programs already keep an autosave").arg(kMaxSlots);
    return false;
}

QString AutosaveSlot::path() const {
    return isHeld() ? folder_.autosavePath(slot_) : QString();
}

AutosaveLeftover inspectAutosave(const QString &path, const ChannelPlan &emptyPlan,
                                 const UiTexts &texts) {
    AutosaveLeftover leftover;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return leftover;
    const ChannelFileLoad load = loadChannelFile(path);
    if (!load.ok()) {
        leftover.kind = AutosaveLeftover::Kind::Unreadable;
        leftover.error = load.error;
        return leftover;
    }
    const bool empty = comparePlans(*load.plan, emptyPlan, texts).isEmpty();
    leftover.kind = empty ? AutosaveLeftover::Kind::Empty : AutosaveLeftover::Kind::Restorable;
    leftover.plan = load.plan;
    return leftover;
}

BackupResult setAutosaveAside(const DataFolder &folder, const QString &path,
                              const QDateTime &when) {
    return moveIntoBackups(folder, BackupKind::Unsaved, path, when);
}

Autosaver::Autosaver(QString path, std::function<ChannelPlan()> capture, int delayMs,
                     QObject *parent)
    : QObject(parent), path_(std::move(path)), capture_(std::move(capture)) {
    timer_.setSingleShot(true);
    timer_.setInterval(delayMs);
    connect(&timer_, &QTimer::timeout, this, &Autosaver::saveNow);
}

void Autosaver::planChanged() {
    if (!path_.isEmpty() && !timer_.isActive())
        timer_.start();
}

bool Autosaver::saveNow() {
    timer_.stop();
    if (path_.isEmpty())
        return false;
    const QByteArray bytes = writeChannelFile(capture_());
    if (bytes == lastWritten_)
        return true;
    QString reason;
    if (!writeAtomically(path_, bytes, &reason)) {
        if (!failureReported_) {
            failureReported_ = true;
            emit saveFailed(QStringLiteral("Cannot save the autosave %1: %2")
                                .arg(QDir::toNativeSeparators(path_), reason));
        }
        return false;
    }
    failureReported_ = false;
    lastWritten_ = bytes;
    ++writes_;
    return true;
}

void Autosaver::discard() {
    timer_.stop();
    if (!path_.isEmpty())
        QFile::remove(path_);
    lastWritten_.clear();
}

} // namespace vrx

#pragma once

#include "storage/channel_plan.h"
#include "storage/data_folder.h"

#include <QDateTime>
#include <QString>

namespace vrx {

// What a backup holds; the kind is the first part of its file name.
enum class BackupKind {
    Read,        // "read-": a plan read from the radio
    BeforeWrite, // "before-write-": the radio's plan just before a write replaced it
    Unsaved,     // "unsaved-": an autosave the user chose not to restore
    PartialRead, // "partial-read-": the channels a failed or stopped read got
};

// The backups folder keeps this many; older ones go once a new one is written.
inline constexpr int kMaxBackups = 500;

// "read-20260131-235959.vrx" for attempt 1, "read-20260131-235959-2.vrx" for attempt 2,
// ... (the local time of `when`).
QString backupFileName(BackupKind kind, const QDateTime &when, int attempt = 1);

struct BackupResult {
    QString path;  // the backup written (or moved), empty on failure
    QString error; // why it failed, empty on success

    bool ok() const { return error.isEmpty(); }
};

// Writes `plan` as a complete channel file into the backups folder, atomically, under the
// first free name for `when`, then removes the oldest backups beyond kMaxBackups.
BackupResult saveBackup(const DataFolder &folder, BackupKind kind, const ChannelPlan &plan,
                        const QDateTime &when = QDateTime::currentDateTime());

// Moves the file at `source` into the backups folder under the first free name of
// `kind` for `when` (a rename; a copy and a removal when the two are on different
// file systems), then prunes as saveBackup() does.
BackupResult moveIntoBackups(const DataFolder &folder, BackupKind kind, const QString &source,
                             const QDateTime &when = QDateTime::currentDateTime());

// One backup of the folder as the backups window lists it.
struct BackupEntry {
    QString path;
    BackupKind kind = BackupKind::Read;
    QDateTime when; // local time, from the file's name
    int attempt = 1;
    int channelsInUse = -1; // channels with a receive frequency; -1 when it cannot be read
};

// The backups in the folder, newest first (by the time in the name, then the attempt).
// Files whose names are not backup names are left out.
QList<BackupEntry> listBackups(const DataFolder &folder);

// Removes the oldest backups (by the time in their names) beyond `keep`, never `spare`.
// Files whose names are not backup names are left alone. Returns how many were removed.
int pruneBackups(const DataFolder &folder, int keep = kMaxBackups, const QString &spare = {});

} // namespace vrx

#include "storage/backups.h"

#include "storage/channel_file.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace vrx {

namespace {

// Enough for many backups within one second, and a bound if the folder misbehaves.
constexpr int kMaxAttempts = 1000;

QString kindPrefix(BackupKind kind) {
    switch (kind) {
    case BackupKind::Read:
        return QStringLiteral("read");
    case BackupKind::BeforeWrite:
        return QStringLiteral("before-write");
    case BackupKind::PartialRead:
        return QStringLiteral("partial-read");
    case BackupKind::Unsaved:
        return QStringLiteral("unsaved");
    }
    return QStringLiteral("backup");
}

const QRegularExpression &backupNamePattern() {
    static const QRegularExpression pattern(QStringLiteral(
        "^(?:read|before-write|unsaved|partial-read)-(\\d{8}-\\d{6})(?:-(\\d+))?\\.vrx$"));
    return pattern;
}

enum class Claim { No, Yes };

// A free path for the next backup of `kind`, or empty (with `error`) when there is none.
// With Claim::Yes the name is taken by creating an empty file exclusively, so that radios
// backed up side by side in the same second (threads, or other vrxctl processes) never
// pick one name and overwrite each other's backup.
QString freeBackupPath(const DataFolder &folder, BackupKind kind, const QDateTime &when,
                       QString *error, Claim claim = Claim::No) {
    if (!folder.ensureBackupsFolder(error))
        return {};
    const QDir dir(folder.backupsPath());
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const QString path = dir.filePath(backupFileName(kind, when, attempt));
        if (claim == Claim::Yes) {
            QFile placeholder(path);
            if (placeholder.open(QIODevice::WriteOnly | QIODevice::NewOnly))
                return path;
            if (!QFileInfo::exists(path)) {
                *error = placeholder.errorString();
                return {};
            }
            continue;
        }
        if (!QFileInfo::exists(path))
            return path;
    }
    *error = QStringLiteral("no free backup name in %1")
                 .arg(QDir::toNativeSeparators(folder.backupsPath()));
    return {};
}

} // namespace

QString backupFileName(BackupKind kind, const QDateTime &when, int attempt) {
    QString name = kindPrefix(kind) + QLatin1Char('-') +
                   when.toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (attempt > 1)
        name += QLatin1Char('-') + QString::number(attempt);
    return name + QStringLiteral(".vrx");
}

BackupResult saveBackup(const DataFolder &folder, BackupKind kind, const ChannelPlan &plan,
                        const QDateTime &when) {
    BackupResult result;
    const QString path = freeBackupPath(folder, kind, when, &result.error, Claim::Yes);
    if (path.isEmpty())
        return result;
    const FileStatus saved = saveChannelFile(path, plan);
    if (!saved) {
        QFile::remove(path);
        result.error = saved.message();
        return result;
    }
    result.path = path;
    pruneBackups(folder, kMaxBackups, path);
    return result;
}

BackupResult moveIntoBackups(const DataFolder &folder, BackupKind kind, const QString &source,
                             const QDateTime &when) {
    BackupResult result;
    const QString path = freeBackupPath(folder, kind, when, &result.error);
    if (path.isEmpty())
        return result;
    // QFile::rename copies and removes when a rename across file systems fails, and
    // keeps the source when the copy fails.
    QFile file(source);
    if (!file.rename(path)) {
        result.error = QStringLiteral("Cannot move %1 to %2: %3")
                           .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(path),
                                file.errorString());
        return result;
    }
    result.path = path;
    pruneBackups(folder, kMaxBackups, path);
    return result;
}

int pruneBackups(const DataFolder &folder, int keep, const QString &spare) {
    struct Entry {
        QString stamp;
        int attempt;
        QString path;
    };
    std::vector<Entry> entries;
    const QDir dir(folder.backupsPath());
    const QStringList names = dir.entryList({QStringLiteral("*.vrx")}, QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = backupNamePattern().match(name);
        if (!match.hasMatch())
            continue;
        const int attempt = match.captured(2).isEmpty() ? 1 : match.captured(2).toInt();
        entries.push_back({match.captured(1), attempt, dir.filePath(name)});
    }
    if (int(entries.size()) <= keep)
        return 0;
    // Newest first: by the time in the name, then by the attempt number.
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.stamp != b.stamp ? a.stamp > b.stamp : a.attempt > b.attempt;
    });
    int removed = 0;
    int kept = 0;
    for (const Entry &entry : entries) {
        if (entry.path == spare || kept < keep) {
            ++kept;
            continue;
        }
        if (QFile::remove(entry.path))
            ++removed;
    }
    return removed;
}

} // namespace vrx

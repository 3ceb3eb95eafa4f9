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
    case BackupKind::Unsaved:
        return QStringLiteral("unsaved");
    case BackupKind::Partial:
        return QStringLiteral("partial-read");
    }
    return QStringLiteral("backup");
}

const QRegularExpression &backupNamePattern() {
    static const QRegularExpression pattern(
        QStringLiteral("^(read|before-write|unsaved|partial-read)-(\\d{8}-\\d{6})(?:-(\\d+))?"
                       "\\.vrx$"));
    return pattern;
}

// A free path for the next backup of `kind`, or empty (with `error`) when there is none.
QString freeBackupPath(const DataFolder &folder, BackupKind kind, const QDateTime &when,
                       QString *error) {
    if (!folder.ensureBackupsFolder(error))
        return {};
    const QDir dir(folder.backupsPath());
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const QString path = dir.filePath(backupFileName(kind, when, attempt));
        if (!QFileInfo::exists(path))
            return path;
    }
    *error = QStringLiteral("no free backup name in %1")
                 .arg(QDir::toNativeSeparators(folder.backupsPath()));
    return {};
}

std::optional<BackupKind> kindOfPrefix(const QString &prefix) {
    for (BackupKind kind :
         {BackupKind::Read, BackupKind::BeforeWrite, BackupKind::Unsaved, BackupKind::Partial}) {
        if (kindPrefix(kind) == prefix)
            return kind;
    }
    return std::nullopt;
}

int channelsInUse(const QString &path) {
    const ChannelFileLoad load = loadChannelFile(path);
    if (!load.ok())
        return -1;
    return int(std::count_if(load.plan->channels.begin(), load.plan->channels.end(),
                             [](const ChannelRow &row) { return !row[0].isEmpty(); }));
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
    const QString path = freeBackupPath(folder, kind, when, &result.error);
    if (path.isEmpty())
        return result;
    const FileStatus saved = saveChannelFile(path, plan);
    if (!saved) {
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
        const int attempt = match.captured(3).isEmpty() ? 1 : match.captured(3).toInt();
        entries.push_back({match.captured(2), attempt, dir.filePath(name)});
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

QList<BackupEntry> listBackups(const DataFolder &folder) {
    QList<BackupEntry> entries;
    const QDir dir(folder.backupsPath());
    for (const QString &name : dir.entryList({QStringLiteral("*.vrx")}, QDir::Files)) {
        const QRegularExpressionMatch match = backupNamePattern().match(name);
        const std::optional<BackupKind> kind =
            match.hasMatch() ? kindOfPrefix(match.captured(1)) : std::nullopt;
        const QDateTime when =
            QDateTime::fromString(match.captured(2), QStringLiteral("yyyyMMdd-HHmmss"));
        if (!kind || !when.isValid())
            continue;
        BackupEntry entry;
        entry.path = dir.filePath(name);
        entry.kind = *kind;
        entry.when = when;
        entry.attempt = match.captured(3).isEmpty() ? 1 : match.captured(3).toInt();
        entry.channelsInUse = channelsInUse(entry.path);
        entries.append(entry);
    }
    std::sort(entries.begin(), entries.end(), [](const BackupEntry &a, const BackupEntry &b) {
        return a.when != b.when ? a.when > b.when : a.attempt > b.attempt;
    });
    return entries;
}

} // namespace vrx

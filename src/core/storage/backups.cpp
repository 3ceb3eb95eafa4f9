#include "storage/backups.h"

#include "storage/channel_file.h"
#include "storage/exclusive_create.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

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
    static const QRegularExpression pattern(
        QStringLiteral("^(read|before-write|unsaved|partial-read)-(\\d{8}-\\d{6})(?:-(\\d+))?"
                       "\\.vrx$"));
    return pattern;
}

QString backupPath(const DataFolder &folder, BackupKind kind, const QDateTime &when, int attempt) {
    return QDir(folder.backupsPath()).filePath(backupFileName(kind, when, attempt));
}

QString noFreeName(const DataFolder &folder) {
    return QStringLiteral("no free backup name in %1")
        .arg(QDir::toNativeSeparators(folder.backupsPath()));
}

// A name in use by anything, a link (even a dangling one) included.
bool isTaken(const QString &path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

std::optional<BackupKind> kindOfPrefix(const QString &prefix) {
    for (BackupKind kind :
         {BackupKind::Read, BackupKind::BeforeWrite, BackupKind::Unsaved, BackupKind::PartialRead}) {
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
    if (!folder.ensureBackupsFolder(&result.error))
        return result;
    QByteArray bytes;
    if (const FileStatus encoded =
            encodeChannelFile(backupPath(folder, kind, when, 1), plan, &bytes);
        !encoded) {
        result.error = encoded.message();
        return result;
    }
    // Each name is created exclusively and never through a link, so a backup cannot land
    // outside the folder or replace anything; a taken name moves on to the next attempt.
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const QString path = backupPath(folder, kind, when, attempt);
        QString reason;
        switch (createExclusively(path, bytes, &reason)) {
        case ExclusiveCreate::Taken:
            continue;
        case ExclusiveCreate::Failed:
            result.error =
                QStringLiteral("Cannot save %1: %2").arg(QDir::toNativeSeparators(path), reason);
            return result;
        case ExclusiveCreate::Created:
            result.path = path;
            pruneBackups(folder, kMaxBackups, path);
            return result;
        }
    }
    result.error = noFreeName(folder);
    return result;
}

BackupResult moveIntoBackups(const DataFolder &folder, BackupKind kind, const QString &source,
                             const QDateTime &when) {
    BackupResult result;
    if (!folder.ensureBackupsFolder(&result.error))
        return result;
    const auto failed = [&](const QString &path, const QString &reason) {
        result.error =
            QStringLiteral("Cannot move %1 to %2: %3")
                .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(path), reason);
        return result;
    };
    const QByteArray from = QFile::encodeName(source);
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const QString path = backupPath(folder, kind, when, attempt);
        if (isTaken(path))
            continue;
        // A rename that never replaces: a name taken meanwhile, a link too, stays as it is.
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, QFile::encodeName(path).constData(),
                        RENAME_NOREPLACE) == 0) {
            result.path = path;
            pruneBackups(folder, kMaxBackups, path);
            return result;
        }
        if (errno == EEXIST)
            continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS)
            return failed(path, QString::fromLocal8Bit(std::strerror(errno)));
        // Another file system, or one without such a rename: copy, then remove the source.
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly))
            return failed(path, file.errorString());
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return failed(path, file.errorString());
        file.close();
        QString reason;
        switch (createExclusively(path, bytes, &reason)) {
        case ExclusiveCreate::Taken:
            continue;
        case ExclusiveCreate::Failed:
            return failed(path, reason);
        case ExclusiveCreate::Created:
            QFile::remove(source);
            result.path = path;
            pruneBackups(folder, kMaxBackups, path);
            return result;
        }
    }
    result.error = noFreeName(folder);
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

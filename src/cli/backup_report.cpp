#include "backup_report.h"

#include "console.h"

#include <QDir>

namespace vrx {

BackupResult backUpPlan(BackupKind kind, const ChannelPlan &plan) {
    const BackupResult result = saveBackup(DataFolder::standard(), kind, plan);
    if (result.ok())
        printErr(QStringLiteral("backup: %1\n").arg(QDir::toNativeSeparators(result.path)));
    else
        printError(QStringLiteral("no backup was kept: %1").arg(result.error));
    return result;
}

} // namespace vrx

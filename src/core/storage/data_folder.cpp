#include "storage/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace vrx {

namespace {

QString slotName(const char *stem, int slot, const char *suffix) {
    QString name = QLatin1String(stem);
    if (slot > 1)
        name += QLatin1Char('-') + QString::number(slot);
    return name + QLatin1String(suffix);
}

} // namespace

DataFolder::DataFolder(QString root) : root_(std::move(root)) {}

DataFolder DataFolder::standard() {
    Q_ASSERT(QCoreApplication::applicationName() == kApplicationName);
    return DataFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString DataFolder::backupsPath() const {
    return QDir(root_).filePath(QStringLiteral("backups"));
}

QString DataFolder::autosavePath(int slot) const {
    return QDir(root_).filePath(slotName("autosave", slot, ".vrx"));
}

QString DataFolder::lockPath(int slot) const {
    return QDir(root_).filePath(slotName("autosave", slot, ".lock"));
}

bool DataFolder::ensureBackupsFolder(QString *reason) const {
    if (root_.isEmpty()) {
        if (reason)
            *reason = QStringLiteral("the system names no folder for the program's data");
        return false;
    }
    if (QDir().mkpath(backupsPath()))
        return true;
    if (reason)
        *reason = QStringLiteral("cannot create the folder %1")
                      .arg(QDir::toNativeSeparators(backupsPath()));
    return false;
}

} // namespace vrx

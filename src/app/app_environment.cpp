#include "app_environment.h"

#include "i18n/language_pack.h"
#include "storage/app_settings.h"
#include "storage/data_folder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace vrx {

AppEnvironment AppEnvironment::forApplication() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    AppEnvironment env;
    env.settingsPath = appSettingsPath(exeDir);
    env.dataDir = LanguagePack::dataDirectory(exeDir);
    env.dataFolder = DataFolder::standard().root();
    // The file dialogs start in the program's folder when it is the user's own (a
    // portable copy); an installed program's folder is no place for channel files.
    env.documentsDir = QFileInfo(exeDir).isWritable()
                           ? exeDir
                           : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return env;
}

} // namespace vrx

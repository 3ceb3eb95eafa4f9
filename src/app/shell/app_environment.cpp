#include "shell/app_environment.h"

#include "i18n/language_pack.h"
#include "storage/app_settings.h"
#include "storage/data_folder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace vrx {

AppEnvironment AppEnvironment::forApplication() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    // An installed program's folder (/usr/bin) is no place for settings or channel files,
    // also when root may write there.
    const bool portable = LanguagePack::isPortable(exeDir);
    AppEnvironment env;
    env.settingsPath = appSettingsPath(portable ? exeDir : QString());
    env.dataDir = LanguagePack::dataDirectory(exeDir);
    env.dataFolder = DataFolder::standard().root();
    // The file dialogs start in the program's folder when it is the user's own (a
    // portable copy).
    env.documentsDir = portable && QFileInfo(exeDir).isWritable()
                           ? exeDir
                           : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return env;
}

} // namespace vrx

#include "cli_environment.h"

#include "i18n/initial_language.h"
#include "i18n/language_pack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace vrx {

QString toolDirectory() {
    return QCoreApplication::applicationDirPath();
}

QString defaultSettingsPath() {
    // As the GUI: an installed tool keeps no settings beside itself.
    const QString dir = toolDirectory();
    return appSettingsPath(LanguagePack::isPortable(dir) ? dir : QString());
}

QString packDirectory() {
    return LanguagePack::dataDirectory(toolDirectory());
}

QString defaultLanguageName() {
    return chooseInitialLanguage(QDir(packDirectory()).filePath(kInstallLogName),
                                 QLocale::system());
}

std::optional<AppSettings> loadToolSettings(const QString &explicitPath, QString *error) {
    if (explicitPath.isEmpty())
        return readAppSettings(defaultSettingsPath());
    const QFileInfo info(explicitPath);
    if (!info.isFile() || !info.isReadable()) {
        *error = QStringLiteral("cannot read the settings file %1").arg(explicitPath);
        return std::nullopt;
    }
    // A file given by name that is too large is an error here, not a silent default.
    QString refusal;
    AppSettings settings = readAppSettings(explicitPath, &refusal);
    if (!refusal.isEmpty()) {
        *error = refusal;
        return std::nullopt;
    }
    return settings;
}

int comItemNumber(const QString &port) {
    static const QRegularExpression comPort(QStringLiteral("^COM([1-4])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comPort.match(port);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString resolvePort(const QString &port, const AppSettings &settings, QString *error) {
    const int number = comItemNumber(port);
    if (number == 0)
        return port;
    const QString device = settings.portDevices[number - 1];
    if (device.isEmpty())
        *error =
            QStringLiteral("no device is configured for COM%1 in the settings file").arg(number);
    return device;
}

} // namespace vrx

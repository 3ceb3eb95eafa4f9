#include "storage/app_settings.h"

#include "storage/atomic_write.h"
#include "storage/recent_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

// Only the 8-bit flavour is used; values are handled as UTF-8 by Qt.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <algorithm>
#include <optional>
#include <string>

namespace vrx {

namespace {

const char *const kOpenSection = "open";
const char *const kPortsSection = "ports";
const char *const kWriteSection = "write";
const char *const kFilesSection = "files";
const char *const kFolderKey = "folder";
const char *const kLanguageSection = "language";

// Keys of one band list. The transmit lists use their own key names ("list2now",
// "com2bo"...), as the files written by earlier versions do.
struct ListKeys {
    const char *section;
    const char *selected;
    const char *count;
    const char *entry;
};
const ListKeys kListKeys[kBandListCount] = {
    {"list1_rx", "listnow", "listcount", "combo"},
    {"list1_tx", "list2now", "list2count", "com2bo"},
    {"list2_rx", "listnow", "listcount", "combo"},
    {"list2_tx", "list2now", "list2count", "com2bo"},
};

QString displayPath(const QString &path) {
    return QDir::toNativeSeparators(path);
}

std::string entryKey(const ListKeys &keys, int i) {
    return keys.entry + std::to_string(i);
}
std::string portKey(int port) {
    return "com" + std::to_string(port);
}
std::string recentKey(int i) {
    return "recent" + std::to_string(i);
}

// A whole number in decimal or, with the prefix "0x", in hexadecimal.
std::optional<int> parseInteger(const char *raw) {
    if (!raw)
        return std::nullopt;
    const QString text = QString::fromUtf8(raw).trimmed();
    bool ok = false;
    int value = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toInt(&ok, 16);
    else
        value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int integerOr(const CSimpleIniA &ini, const char *section, const std::string &key, int fallback) {
    return parseInteger(ini.GetValue(section, key.c_str(), nullptr)).value_or(fallback);
}

QString textOr(const CSimpleIniA &ini, const char *section, const std::string &key,
               const QString &fallback) {
    const char *raw = ini.GetValue(section, key.c_str(), nullptr);
    return raw ? QString::fromUtf8(raw) : fallback;
}

// A line break inside a value would split it into a line the next read misunderstands.
std::string iniValue(const QString &text) {
    QString flat = text;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return flat.toUtf8().toStdString();
}

void setInteger(CSimpleIniA &ini, const char *section, const std::string &key, int value) {
    ini.SetValue(section, key.c_str(), std::to_string(value).c_str());
}

QString tooLargeMessage(const QString &path) {
    return QStringLiteral("The settings file %1 is larger than 1 MiB and was not read: the "
                          "program uses its defaults and leaves the file as it is.")
        .arg(displayPath(path));
}

// Reading something that is not a regular file (a fifo, a device) could block for ever.
bool isReadableFile(const QFileInfo &info) {
    return info.exists() && info.isFile();
}

} // namespace

std::array<QString, kPortCount> AppSettings::defaultPortDevices() {
    std::array<QString, kPortCount> devices;
    for (int i = 0; i < kPortCount; ++i) {
#ifdef Q_OS_WIN
        devices[i] = QStringLiteral("COM%1").arg(i + 1);
#else
        devices[i] = QStringLiteral("/dev/ttyUSB%1").arg(i);
#endif
    }
    return devices;
}

AppSettings readAppSettings(const QString &path, QString *refusal) {
    AppSettings settings;
    CSimpleIniA ini;
    ini.SetUnicode(true);
    QFile file(path);
    const QFileInfo info(path);
    if (isReadableFile(info) && file.open(QIODevice::ReadOnly)) {
        // Read one byte beyond the cap: a file that grows while it is read is caught too.
        const QByteArray bytes = file.read(kMaxAppSettingsBytes + 1);
        if (bytes.size() > kMaxAppSettingsBytes) {
            if (refusal)
                *refusal = tooLargeMessage(path);
            return settings;
        }
        if (ini.LoadData(bytes.constData(), size_t(bytes.size())) < 0)
            ini.Reset();
    }

    const int port = integerOr(ini, kOpenSection, "com", 1);
    settings.port = port >= 1 && port <= kPortCount ? port : 1;
    const int skin = integerOr(ini, kOpenSection, "skin", 1);
    settings.skin = skin >= 1 && skin <= kSystemSkin ? skin : 1;

    for (int l = 0; l < kBandListCount; ++l) {
        const ListKeys &keys = kListKeys[l];
        BandListState &list = settings.bands[l];
        const int count =
            std::clamp(integerOr(ini, keys.section, keys.count, 0), 0, kMaxBandEntries);
        for (int i = 0; i < count; ++i)
            list.entries << textOr(ini, keys.section, entryKey(keys, i), kDefaultBandText);
        const int selected = integerOr(ini, keys.section, keys.selected, 0);
        list.selected = selected >= 0 && selected < count ? selected : -1;
    }

    for (int i = 0; i < kPortCount; ++i) {
        const QString device = textOr(ini, kPortsSection, portKey(i + 1), QString()).trimmed();
        if (!device.isEmpty())
            settings.portDevices[i] = device;
    }
    settings.writeBackup = integerOr(ini, kWriteSection, "backup", 0) == 1;
    settings.writeVerify = integerOr(ini, kWriteSection, "verify", 0) == 1;

    QStringList recent;
    for (int i = 0; i < RecentFiles::kMaxFiles; ++i)
        recent << textOr(ini, kFilesSection, recentKey(i), QString());
    settings.recentFiles = RecentFiles(recent).paths();
    settings.lastFolder = textOr(ini, kFilesSection, kFolderKey, QString()).trimmed();
    const QString language = textOr(ini, kLanguageSection, "name", QString()).trimmed();
    if (language == QLatin1String("chn") || language == QLatin1String("eng"))
        settings.language = language;
    return settings;
}

FileStatus writeAppSettings(const QString &path, const AppSettings &settings) {
    auto failure = [&](const QString &reason) {
        return FileStatus::failure(
            QStringLiteral("Cannot save the settings to %1: %2").arg(displayPath(path), reason));
    };

    CSimpleIniA ini;
    ini.SetUnicode(true);
    ini.SetSpaces(false);
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile())
            return failure(QStringLiteral("it is not a regular file"));
        if (info.size() > kMaxAppSettingsBytes)
            return failure(QStringLiteral("it is larger than 1 MiB and is left as it is"));
        // Keys this program does not know must survive, so an existing file that cannot
        // be read is not overwritten.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return failure(file.errorString());
        const QByteArray bytes = file.readAll();
        if (ini.LoadData(bytes.constData(), size_t(bytes.size())) < 0)
            return failure(QStringLiteral("its present content cannot be read"));
    }

    setInteger(ini, kOpenSection, "com", settings.port);
    setInteger(ini, kOpenSection, "skin", settings.skin);
    for (int l = 0; l < kBandListCount; ++l) {
        const ListKeys &keys = kListKeys[l];
        const BandListState &list = settings.bands[l];
        const int count = int(list.entries.size());
        const int selected = list.selected >= 0 && list.selected < count ? list.selected : -1;
        setInteger(ini, keys.section, keys.selected, selected);
        setInteger(ini, keys.section, keys.count, count);
        for (int i = 0; i < count; ++i)
            ini.SetValue(keys.section, entryKey(keys, i).c_str(),
                         iniValue(list.entries[i]).c_str());
    }
    for (int i = 0; i < kPortCount; ++i)
        ini.SetValue(kPortsSection, portKey(i + 1).c_str(),
                     iniValue(settings.portDevices[i]).c_str());
    // A file that never had the write options keeps its shape while both are off.
    for (const auto &[key, on] :
         {std::pair{"backup", settings.writeBackup}, std::pair{"verify", settings.writeVerify}}) {
        if (on || ini.GetValue(kWriteSection, key, nullptr))
            setInteger(ini, kWriteSection, key, on ? 1 : 0);
    }
    if (!settings.language.isEmpty())
        ini.SetValue(kLanguageSection, "name", iniValue(settings.language).c_str());

    // Without a file used yet, a file that never had the section keeps its shape.
    const RecentFiles recent(settings.recentFiles);
    for (int i = 0; i < RecentFiles::kMaxFiles; ++i) {
        if (i < recent.paths().size())
            ini.SetValue(kFilesSection, recentKey(i).c_str(), iniValue(recent.paths()[i]).c_str());
        else
            ini.Delete(kFilesSection, recentKey(i).c_str(), true);
    }
    if (!settings.lastFolder.isEmpty() || ini.GetValue(kFilesSection, kFolderKey, nullptr))
        ini.SetValue(kFilesSection, kFolderKey, iniValue(settings.lastFolder).c_str());

    std::string text;
    if (ini.Save(text) < 0)
        return failure(QStringLiteral("the settings cannot be composed"));
    // Our text files end every line in CR LF, whatever the platform.
    QByteArray bytes = QByteArray::fromStdString(text);
    bytes.replace("\r", "");
    // SimpleIni puts two empty lines between sections; one is enough.
    while (bytes.contains("\n\n\n"))
        bytes.replace("\n\n\n", "\n\n");
    bytes.replace("\n", "\r\n");

    const QString folder = info.absolutePath();
    if (!QDir().mkpath(folder))
        return failure(QStringLiteral("the folder %1 cannot be created").arg(displayPath(folder)));
    QString reason;
    if (!writeAtomically(path, bytes, &reason))
        return failure(reason);
    return FileStatus::success();
}

QString appSettingsPath(const QString &executableDir) {
    const QFileInfo dir(executableDir);
    if (!executableDir.isEmpty() && dir.isDir() && dir.isWritable())
        return QDir(executableDir).filePath(kAppSettingsFileName);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(kAppSettingsFileName);
}

void applyBandLists(const AppSettings &settings, BandPlan &bands) {
    for (int l = 0; l < kBandListCount; ++l)
        bands.setList(static_cast<BandList>(l), settings.bands[l].entries,
                      settings.bands[l].selected);
}

void captureBandLists(const BandPlan &bands, AppSettings &settings) {
    for (int l = 0; l < kBandListCount; ++l) {
        const auto list = static_cast<BandList>(l);
        settings.bands[l] = {bands.entries(list), bands.selected(list)};
    }
}

} // namespace vrx

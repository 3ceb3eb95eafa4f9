#pragma once

#include "settings/band_plan.h"
#include "storage/file_status.h"

#include <QString>
#include <QStringList>

#include <array>

namespace vrx {

inline constexpr int kPortCount = 4; // COM1..COM4
inline constexpr int kSkinCount = 3;
// After the built-in ones: the desktop's own palette and font (dark and high-contrast
// themes included).
inline constexpr int kSystemSkin = kSkinCount + 1;
// Bound on the entries read for one band list, so that a damaged count cannot make the
// program build millions of default entries.
inline constexpr int kMaxBandEntries = 256;

inline const QString kAppSettingsFileName = QStringLiteral("myini.ini");
// A settings file of a few lists of band texts is far below this.
inline constexpr qint64 kMaxAppSettingsBytes = 1024 * 1024;

// Entries and selection of one band list; -1 selects nothing.
struct BandListState {
    QStringList entries;
    int selected = -1;

    bool operator==(const BandListState &) const = default;
};

// What the program keeps between runs in myini.ini: port, skin, the four band lists in
// BandList order and the device behind each COM port number.
struct AppSettings {
    int port = 1; // 1..4
    int skin = 1; // 1..3, or kSystemSkin
    std::array<BandListState, kBandListCount> bands;
    std::array<QString, kPortCount> portDevices = defaultPortDevices();
    // The transfer dialog's write options ([write] backup and verify, 0 or 1): back the
    // radio up first, verify after writing. Both off, so a plain write stays the plain
    // exchange.
    bool writeBackup = false;
    bool writeVerify = false;
    // [files]: the channel files used last, newest first (see RecentFiles), and the
    // folder the file dialogs start in; empty until a file has been chosen.
    QStringList recentFiles;
    QString lastFolder;
    // The language the user chose ([language] name, "chn" or "eng"); empty while none was
    // chosen, when the installer's log decides.
    QString language;

    bool operator==(const AppSettings &) const = default;

    // "COM1".."COM4" on Windows, "/dev/ttyUSB0".."/dev/ttyUSB3" elsewhere.
    static std::array<QString, kPortCount> defaultPortDevices();
};

// Reads the file at `path`. A missing or unreadable file, a missing key or an integer that
// is neither decimal nor "0x" hexadecimal gives the default; a band entry missing below
// the count reads as "400-470MHz"; a selection with no entry selects nothing; a port or
// skin out of range falls back to 1.
//
// A file larger than kMaxAppSettingsBytes is not read: it gives the defaults and, in
// `refusal`, the message to show the user once; writeAppSettings() never replaces such a
// file, so nothing the user had is destroyed.
AppSettings readAppSettings(const QString &path, QString *refusal = nullptr);

// Updates the file at `path`: keys already there keep their place (and any keys or
// sections the program does not know stay), new keys go to the end of their section and
// new sections to the end of the file. The file is replaced only once the new content is
// complete, so a failure leaves the old file intact; the message names the file and why.
FileStatus writeAppSettings(const QString &path, const AppSettings &settings);

// Beside the executable when its folder is writable (portable use), else in the user's
// configuration folder.
QString appSettingsPath(const QString &executableDir);

// Fills the band lists in BandList order; a changed displayed text notifies as usual.
void applyBandLists(const AppSettings &settings, BandPlan &bands);
// Takes the entries and selections of the four band lists.
void captureBandLists(const BandPlan &bands, AppSettings &settings);

} // namespace vrx

#pragma once

#include "i18n/pack_ids.h"

#include <QString>

#include <array>
#include <optional>

namespace vrx {

inline constexpr int kMaxPackTextLength = 253;
// A pack of a few hundred texts of at most 253 characters is far below this; anything beyond
// it is not read, so a stray huge file cannot exhaust memory.
inline constexpr qint64 kMaxPackFileBytes = 1024 * 1024;

inline const QString kChinesePackName = QStringLiteral("chn");
inline const QString kEnglishPackName = QStringLiteral("eng");

// The texts of one language pack, ids 1..kLastPackId. A pack is a UTF-8 file <name>.lng,
// one "id=text" a line (the format is described at the top of lang/chn.lng).
// An id that the file does not hold (or holds with an empty text) is absent:
// has() is false and text() is empty, and callers leave its destination as it is.
class LanguagePack {
public:
    // Folder that holds the packs: the executable's folder when a pack is there
    // (build tree, portable install), else ../share/vrx5800 beside it (installed).
    static QString dataDirectory(const QString &executableDir);
    // True when the packs are beside the executable: a build tree or a portable copy,
    // whose folder also keeps the settings. An installed program (packs in
    // ../share/vrx5800) keeps them in the user's folders, even when run as root.
    static bool isPortable(const QString &executableDir);

    // Path of pack `name` in `directory`; empty when the name is not a plain
    // file name (letters, digits, '_' and '-'), so a name never leaves the folder.
    static QString filePath(const QString &directory, const QString &name);

    // Reads <directory>/<name>.lng. No file, an unreadable one or an unsafe name
    // gives nullopt. Any readable file gives a pack: malformed lines are skipped.
    static std::optional<LanguagePack> load(const QString &directory, const QString &name);

    // Parses pack text; the same rules as load().
    static LanguagePack fromUtf8(const QByteArray &bytes);

    const QString &name() const { return name_; }
    bool has(int id) const { return isValidId(id) && !texts_[id - kFirstPackId].isEmpty(); }
    bool has(PackId id) const { return has(toInt(id)); }
    QString text(int id) const { return has(id) ? texts_[id - kFirstPackId] : QString(); }
    QString text(PackId id) const { return text(toInt(id)); }
    // Number of ids the pack holds.
    int size() const;

    static bool isValidId(int id) { return id >= kFirstPackId && id <= kLastPackId; }

private:
    QString name_;
    std::array<QString, kLastPackId - kFirstPackId + 1> texts_;
};

// Puts the pack's text of `id` into `slot`; an id the pack lacks (0 included) leaves the
// slot as it is, so a short pack never blanks a text.
inline void assignPackText(const LanguagePack &pack, int id, QString &slot) {
    if (pack.has(id))
        slot = pack.text(id);
}
inline void assignPackText(const LanguagePack &pack, PackId id, QString &slot) {
    assignPackText(pack, toInt(id), slot);
}

} // namespace vrx

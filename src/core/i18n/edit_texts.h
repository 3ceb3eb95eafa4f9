#pragma once

#include "i18n/language_pack.h"
#include "i18n/pack_ids.h"

#include <QString>

#include <map>

namespace vrx {

// Captions and messages of the editing commands (the editing block, the import step, and the
// desk block's marks, backups window and display-only words): the built-in Chinese text until
// a loaded pack supplies its own.
class EditTexts {
public:
    QString text(PackId id) const;
    // Takes the pack's texts of the editing block; ids the pack lacks keep their text.
    void apply(const LanguagePack &pack);

    // The built-in Chinese text of an id of the editing block; empty for any other id.
    static QString builtIn(PackId id);

private:
    std::map<int, QString> loaded_;
};

} // namespace vrx

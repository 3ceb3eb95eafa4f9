#include "i18n/file_dialog_texts.h"

#include "i18n/language_pack.h"

namespace vrx {

void applyToFileDialogTexts(const LanguagePack &pack, FileDialogTexts &texts) {
    for (const auto &[id, slot] : {std::pair{PackId::OpenDialogTitle, &texts.openTitle},
                                   std::pair{PackId::SaveDialogTitle, &texts.saveTitle},
                                   std::pair{PackId::FileDialogFilter, &texts.filter}}) {
        if (pack.has(id))
            *slot = pack.text(id);
    }
}

} // namespace vrx

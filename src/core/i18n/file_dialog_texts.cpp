#include "i18n/file_dialog_texts.h"

#include "i18n/language_pack.h"

namespace vrx {

void applyToFileDialogTexts(const LanguagePack &pack, FileDialogTexts &texts) {
    assignPackText(pack, PackId::OpenDialogTitle, texts.openTitle);
    assignPackText(pack, PackId::SaveDialogTitle, texts.saveTitle);
    assignPackText(pack, PackId::FileDialogFilter, texts.filter);
}

} // namespace vrx

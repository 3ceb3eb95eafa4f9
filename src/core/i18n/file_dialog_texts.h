#pragma once

#include <QString>

namespace vrx {

class LanguagePack;

// The captions of the channel file dialogs: the built-in Chinese ones until a pack loads.
struct FileDialogTexts {
    QString openTitle = QStringLiteral("打开");
    QString saveTitle = QStringLiteral("保存");
    // A Qt name filter: description and pattern.
    QString filter = QStringLiteral("VRX-428  文件 (*.vrx)");

    bool operator==(const FileDialogTexts &) const = default;
};

// Fills the texts from `pack`; an id the pack lacks leaves its text as it is.
void applyToFileDialogTexts(const LanguagePack &pack, FileDialogTexts &texts);

} // namespace vrx

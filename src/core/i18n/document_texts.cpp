#include "i18n/document_texts.h"

#include "i18n/language_pack.h"

#include <QFileInfo>

namespace vrx {

void applyToDocumentTexts(const LanguagePack &pack, DocumentTexts &texts) {
    const std::pair<PackId, QString DocumentTexts::*> fields[] = {
        {PackId::MenuSaveAs, &DocumentTexts::menuSaveAs},
        {PackId::MenuRecentFiles, &DocumentTexts::menuRecentFiles},
        {PackId::MenuClearRecentFiles, &DocumentTexts::menuClearRecent},
        {PackId::RecentFilesEmpty, &DocumentTexts::recentEmpty},
        {PackId::UntitledPlanName, &DocumentTexts::untitledName},
        {PackId::RadioPlanName, &DocumentTexts::radioName},
        {PackId::SaveChangesTitle, &DocumentTexts::saveChangesTitle},
        {PackId::MsgSaveChanges, &DocumentTexts::msgSaveChanges},
        {PackId::MsgSaveChangesDetail, &DocumentTexts::msgSaveChangesDetail},
        {PackId::SaveChangesButton, &DocumentTexts::saveButton},
        {PackId::DiscardChangesButton, &DocumentTexts::discardButton},
        {PackId::CancelButton, &DocumentTexts::cancelButton},
        {PackId::MsgRecentFileMissing, &DocumentTexts::msgRecentMissing},
        {PackId::HelpWindowTitle, &DocumentTexts::helpTitle},
    };
    for (const auto &[id, slot] : fields)
        assignPackText(pack, id, texts.*slot);
}

QString planName(PlanSource source, const QString &path, const DocumentTexts &texts) {
    switch (source) {
    case PlanSource::File:
        return QFileInfo(path).fileName();
    case PlanSource::Radio:
        return texts.radioName;
    case PlanSource::New:
        break;
    }
    return texts.untitledName;
}

QString documentWindowTitle(const QString &caption, const QString &name) {
    // A literal "[*]" in a file name would be taken for the mark's place; doubled, Qt
    // shows it as typed.
    QString shownName = name;
    shownName.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return caption + QStringLiteral(" - ") + shownName + QStringLiteral("[*]");
}

} // namespace vrx

#include "i18n/document_texts.h"
#include "i18n/language_pack.h"

#include "i18n_test_support.h"

namespace vrx {
namespace {

using test::langDir;

const std::pair<PackId, QString DocumentTexts::*> kDocumentTextIds[] = {
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

TEST(DocumentTexts, BuiltInAreTheChinesePackAndEnglishFillsEveryOne) {
    const auto chn = LanguagePack::load(langDir(), "chn");
    const auto eng = LanguagePack::load(langDir(), "eng");
    ASSERT_TRUE(chn && eng);
    const DocumentTexts builtIn;
    DocumentTexts english;
    applyToDocumentTexts(*eng, english);
    for (const auto &[id, slot] : kDocumentTextIds) {
        EXPECT_EQ(builtIn.*slot, chn->text(id)) << "id " << toInt(id);
        EXPECT_EQ(english.*slot, eng->text(id)) << "id " << toInt(id);
        EXPECT_EQ((english.*slot).contains("%1"), (builtIn.*slot).contains("%1"))
            << "id " << toInt(id);
    }
    EXPECT_EQ(english.msgSaveChanges.arg("plan.vrx"),
              QStringLiteral("Save changes to \"plan.vrx\"?"));
}

TEST(DocumentTexts, PlanNameAndWindowTitle) {
    const DocumentTexts texts;
    EXPECT_EQ(planName(PlanSource::File, "/radios/plan.vrx", texts), QStringLiteral("plan.vrx"));
    EXPECT_EQ(planName(PlanSource::Radio, "/ignored.vrx", texts), texts.radioName);
    EXPECT_EQ(planName(PlanSource::New, QString(), texts), texts.untitledName);
    EXPECT_EQ(documentWindowTitle("VRX-5800", "plan.vrx"),
              QStringLiteral("VRX-5800 - plan.vrx[*]"));
    // A file named with the mark's placeholder keeps it as text.
    EXPECT_EQ(documentWindowTitle("VRX-5800", "a[*].vrx"),
              QStringLiteral("VRX-5800 - a[*][*].vrx[*]"));
}

} // namespace
} // namespace vrx

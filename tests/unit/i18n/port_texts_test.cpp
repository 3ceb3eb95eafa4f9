#include "i18n/file_dialog_texts.h"
#include "i18n/language_pack.h"
#include "i18n/port_texts.h"

#include "i18n_test_support.h"

namespace vrx {
namespace {

using test::langDir;

// Every port text, with its pack id.
const std::pair<PackId, QString PortTexts::*> kPortTextIds[] = {
    {PackId::PortIsDevice, &PortTexts::isDevice},
    {PackId::PortMissing, &PortTexts::missing},
    {PackId::PortsPresent, &PortTexts::present},
    {PackId::NoPortsPresent, &PortTexts::nonePresent},
    {PackId::PortAccessDenied, &PortTexts::accessDenied},
    {PackId::PortAddToGroup, &PortTexts::addToGroup},
    {PackId::PortRelogin, &PortTexts::relogin},
    {PackId::PortUdevRule, &PortTexts::udevRule},
    {PackId::PortHeldByOther, &PortTexts::heldByOther},
    {PackId::PortHeldByProcess, &PortTexts::heldByProcess},
    {PackId::PortHeldByTransfer, &PortTexts::heldByTransfer},
    {PackId::PortOtherError, &PortTexts::otherError},
};

TEST(PortTexts, BuiltInTextsAreTheChinesePack) {
    const auto chn = LanguagePack::load(langDir(), "chn");
    ASSERT_TRUE(chn.has_value());
    const PortTexts builtIn;
    for (const auto &[id, slot] : kPortTextIds)
        EXPECT_EQ(builtIn.*slot, chn->text(id)) << "id " << toInt(id);
}

TEST(PortTexts, EnglishPackFillsEveryTextWithItsPlaceholders) {
    const auto eng = LanguagePack::load(langDir(), "eng");
    ASSERT_TRUE(eng.has_value());
    PortTexts texts;
    applyToPortTexts(*eng, texts);
    const PortTexts builtIn;
    for (const auto &[id, slot] : kPortTextIds) {
        EXPECT_EQ(texts.*slot, eng->text(id)) << "id " << toInt(id);
        // The same placeholders in both languages, so no value is dropped.
        for (const char *marker : {"%1", "%2", "%3"})
            EXPECT_EQ((texts.*slot).contains(marker), (builtIn.*slot).contains(marker))
                << "id " << toInt(id) << " " << marker;
    }
}

TEST(PortTexts, APackWithoutThemLeavesTheTexts) {
    PortTexts texts;
    applyToPortTexts(LanguagePack::fromUtf8("1=x\n"), texts);
    EXPECT_EQ(texts, PortTexts{});
}

// The captions of the port dialog and the file dialogs: built in as the Chinese pack
// has them, and each one taken from the English pack.
template <typename Texts, size_t N>
void expectCaptions(const std::pair<PackId, QString Texts::*> (&ids)[N],
                    void (*apply)(const LanguagePack &, Texts &)) {
    const auto chn = LanguagePack::load(langDir(), "chn");
    const auto eng = LanguagePack::load(langDir(), "eng");
    ASSERT_TRUE(chn.has_value() && eng.has_value());
    const Texts builtIn;
    Texts english;
    apply(*eng, english);
    for (const auto &[id, slot] : ids) {
        EXPECT_EQ(builtIn.*slot, chn->text(id)) << "id " << toInt(id);
        EXPECT_EQ(english.*slot, eng->text(id)) << "id " << toInt(id);
    }
}

TEST(PortTexts, DialogCaptionsComeFromThePacks) {
    const std::pair<PackId, QString PortDialogTexts::*> ids[] = {
        {PackId::MenuPortSettings, &PortDialogTexts::menuItem},
        {PackId::PortSettingsTitle, &PortDialogTexts::title},
        {PackId::PortColumnDevice, &PortDialogTexts::device},
        {PackId::PortColumnDescription, &PortDialogTexts::description},
        {PackId::PortColumnManufacturer, &PortDialogTexts::manufacturer},
        {PackId::PortColumnUsbId, &PortDialogTexts::usbId},
        {PackId::PortColumnSerialNumber, &PortDialogTexts::serialNumber},
        {PackId::PortDetectButton, &PortDialogTexts::detect},
        {PackId::PortDetectPrompt, &PortDialogTexts::detectPrompt},
        {PackId::PortDetectFound, &PortDialogTexts::detectFound},
        {PackId::PortRefreshButton, &PortDialogTexts::refresh},
        {PackId::PortDetectNone, &PortDialogTexts::detectNone},
    };
    expectCaptions(ids, &applyToPortDialogTexts);
}

TEST(FileDialogTexts, CaptionsComeFromThePacksAndChineseStaysAsItWas) {
    const std::pair<PackId, QString FileDialogTexts::*> ids[] = {
        {PackId::OpenDialogTitle, &FileDialogTexts::openTitle},
        {PackId::SaveDialogTitle, &FileDialogTexts::saveTitle},
        {PackId::FileDialogFilter, &FileDialogTexts::filter},
    };
    expectCaptions(ids, &applyToFileDialogTexts);
    // The Chinese captions are the program's long-standing ones, two blanks included.
    const FileDialogTexts builtIn;
    EXPECT_EQ(builtIn.openTitle, QStringLiteral("打开"));
    EXPECT_EQ(builtIn.saveTitle, QStringLiteral("保存"));
    EXPECT_EQ(builtIn.filter, QStringLiteral("VRX-428  文件 (*.vrx)"));
}

} // namespace
} // namespace vrx

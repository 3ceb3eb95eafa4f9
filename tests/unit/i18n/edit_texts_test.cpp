#include "i18n/edit_texts.h"

#include "i18n_test_support.h"

namespace vrx {
namespace {

using test::langDir;

TEST(EditTexts, BuiltInTextsAreTheChinesePackAndAPackReplacesThem) {
    const auto chinese = LanguagePack::load(langDir(), kChinesePackName);
    const auto english = LanguagePack::load(langDir(), kEnglishPackName);
    ASSERT_TRUE(chinese && english);
    EditTexts texts;
    for (int id = toInt(PackId::MenuUndo); id <= toInt(PackId::StepMoveChannels); ++id) {
        const auto packId = static_cast<PackId>(id);
        EXPECT_EQ(texts.text(packId), chinese->text(id)) << "id " << id;
    }
    EXPECT_TRUE(EditTexts::builtIn(PackId::MenuAbout).isEmpty());
    texts.apply(*english);
    EXPECT_EQ(texts.text(PackId::MenuUndo), "Undo %1");
    EXPECT_EQ(texts.text(PackId::StepPaste), "paste");
    // A pack without the block keeps what was there.
    texts.apply(LanguagePack::fromUtf8("1=x\n"));
    EXPECT_EQ(texts.text(PackId::StepPaste), "paste");
}

} // namespace
} // namespace vrx

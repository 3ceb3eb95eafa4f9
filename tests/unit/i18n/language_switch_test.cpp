#include "i18n/language_switch.h"

#include "i18n_test_support.h"

namespace vrx {
namespace {

using test::langDir;

const ChannelRow kChineseRow{"438.50000", "禁用", "438.50000", "67.0",
                             "高功率",    "宽带", "启用",      "禁用"};
const ChannelRow kEnglishRow{"438.50000", "OFF", "438.50000", "67.0", "High", "Wide", "ON", "OFF"};

struct Session {
    UiTexts texts;
    RadioSettings settings;
    ChannelTable table;

    std::optional<LanguagePack> switchTo(const QString &name, const QString &dir = langDir()) {
        return switchLanguage(name, dir, texts, settings, table);
    }
};

TEST(SwitchLanguage, EnglishAndBackTranslatesTheWholeState) {
    Session s;
    s.settings.setIndex(Option::TxTimeout, 4);
    s.table.setRow(3, kChineseRow);

    const auto eng = s.switchTo("eng");
    ASSERT_TRUE(eng.has_value());
    EXPECT_EQ(eng->name(), QStringLiteral("eng"));
    EXPECT_EQ(s.texts.highText, QStringLiteral("High"));
    EXPECT_EQ(s.table.row(3), kEnglishRow);
    EXPECT_EQ(s.table.header(PowerCol), eng->text(PackId::HeaderPower));
    EXPECT_EQ(s.settings.selectedText(Option::TxTimeout), QStringLiteral("4 min"));

    ASSERT_TRUE(s.switchTo("chn").has_value());
    EXPECT_EQ(s.texts, UiTexts{});
    EXPECT_EQ(s.table.row(3), kChineseRow);
    EXPECT_EQ(s.table.header(PowerCol), ChannelTable::builtInHeader(PowerCol));
    EXPECT_EQ(s.settings.index(Option::TxTimeout), 4);
    EXPECT_EQ(s.settings.selectedText(Option::TxTimeout), QStringLiteral("4分钟"));
}

TEST(SwitchLanguage, SameLanguageAgainChangesNothing) {
    Session s;
    s.table.setRow(1, kEnglishRow);
    ASSERT_TRUE(s.switchTo("eng"));
    const UiTexts texts = s.texts;
    const QStringList apo = s.settings.entries(Option::APO);
    int notifications = 0;
    QObject::connect(&s.table, &ChannelTable::rowsChanged, [&] { ++notifications; });

    ASSERT_TRUE(s.switchTo("eng"));
    EXPECT_EQ(s.texts, texts);
    EXPECT_EQ(s.settings.entries(Option::APO), apo);
    EXPECT_EQ(s.table.row(1), kEnglishRow);
    EXPECT_EQ(notifications, 0);
}

TEST(SwitchLanguage, MissingPackKeepsTheSlotsAndAlignsTheCellsWithThem) {
    Session s;
    ASSERT_TRUE(s.switchTo("eng"));
    const UiTexts english = s.texts;
    const QStringList band = s.settings.entries(Option::Band);
    s.table.setRow(2, kChineseRow); // e.g. a file saved under the other language

    QTemporaryDir empty;
    EXPECT_FALSE(s.switchTo("chn", empty.path()).has_value());
    EXPECT_EQ(s.texts, english);
    EXPECT_EQ(s.settings.entries(Option::Band), band);
    EXPECT_EQ(s.table.row(2), kEnglishRow);
}

TEST(SwitchLanguage, WithoutAnyPackTheBuiltInWordsStay) {
    Session s;
    s.table.setRow(7, kEnglishRow);
    QTemporaryDir empty;
    EXPECT_FALSE(s.switchTo("eng", empty.path()).has_value());
    EXPECT_EQ(s.texts, UiTexts{});
    EXPECT_EQ(s.table.row(7), kChineseRow); // never blanked: the slots hold the built-in words
}

TEST(SwitchLanguage, UnsafeNameLoadsNothing) {
    Session s;
    EXPECT_FALSE(s.switchTo("../lang/eng").has_value());
    EXPECT_EQ(s.texts, UiTexts{});
}

TEST(LanguageNames, MapBothWays) {
    EXPECT_EQ(languageFromName("chn"), Language::Chinese);
    EXPECT_EQ(languageFromName("eng"), Language::English);
    for (const char *bad : {"CHN", "Eng", "en", "zh", "", "chn ", "eng.lng"})
        EXPECT_FALSE(languageFromName(QString::fromLatin1(bad)).has_value()) << bad;
    for (Language language : {Language::Chinese, Language::English})
        EXPECT_EQ(languageFromName(packName(language)), language);
    EXPECT_EQ(chineseItemCaption(Language::Chinese), QStringLiteral("中文"));
    EXPECT_EQ(chineseItemCaption(Language::English), QStringLiteral("chinese"));
}

} // namespace
} // namespace vrx

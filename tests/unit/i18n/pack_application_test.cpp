#include "i18n/pack_application.h"

#include "i18n_test_support.h"

namespace vrx {
namespace {

using test::langDir;

LanguagePack shipped(const char *name) {
    auto pack = LanguagePack::load(langDir(), QString::fromLatin1(name));
    if (!pack) {
        ADD_FAILURE() << "pack " << name << " missing";
        return {};
    }
    return *pack;
}

QStringList minutes(const QString &off, const QString &unit) {
    QStringList list{off};
    for (int i = 1; i <= 7; ++i)
        list << QString::number(i) + unit;
    return list;
}

// --- Slots ------------------------------------------------------------------

TEST(ApplyToTexts, EnglishPackFillsEverySlot) {
    UiTexts texts;
    applyToTexts(shipped("eng"), texts);
    const LanguagePack eng = shipped("eng");
    const std::pair<PackId, QString *> slotTexts[] = {
        {PackId::OffText, &texts.offText},
        {PackId::OnText, &texts.onText},
        {PackId::HighText, &texts.highText},
        {PackId::LowText, &texts.lowText},
        {PackId::WideText, &texts.wideText},
        {PackId::NarrowText, &texts.narrowText},
        {PackId::CaptionRead, &texts.captionRead},
        {PackId::CaptionWrite, &texts.captionWrite},
        {PackId::MsgFailureTitle, &texts.msgFailureTitle},
        {PackId::MsgNoResponse, &texts.msgNoResponse},
        {PackId::MsgPortOpenFailed, &texts.msgPortOpenFailed},
        {PackId::MsgConfirmTitle, &texts.msgConfirmTitle},
        {PackId::MsgConfirmNew, &texts.msgConfirmNew},
        {PackId::MsgConfirmClear, &texts.msgConfirmClear},
        {PackId::MsgInvalidFrequency, &texts.msgInvalidFrequency},
        {PackId::MsgCannotWriteCell, &texts.msgCannotWriteCell},
        {PackId::MsgNoticeTitle, &texts.msgNoticeTitle},
        {PackId::MsgSettingsNotRead, &texts.msgSettingsNotRead},
        {PackId::MsgTailNotWritten, &texts.msgTailNotWritten},
        {PackId::NoteBelowLowest, &texts.noteBelowLowest},
        {PackId::NoteAboveHighest, &texts.noteAboveHighest},
    };
    for (const auto &[id, slot] : slotTexts)
        EXPECT_EQ(*slot, eng.text(id)) << "id " << toInt(id);
    EXPECT_NE(texts, UiTexts{});
}

// The other areas' tests take their English expectations from test::englishTexts().
TEST(ApplyToTexts, EnglishPackGivesTheTestsEnglishTexts) {
    UiTexts texts;
    applyToTexts(shipped("eng"), texts);
    const UiTexts english = test::englishTexts();
    const std::pair<const QString *, const QString *> slotTexts[] = {
        {&texts.offText, &english.offText},
        {&texts.onText, &english.onText},
        {&texts.highText, &english.highText},
        {&texts.lowText, &english.lowText},
        {&texts.wideText, &english.wideText},
        {&texts.narrowText, &english.narrowText},
        {&texts.msgInvalidFrequency, &english.msgInvalidFrequency},
        {&texts.msgCannotWriteCell, &english.msgCannotWriteCell},
        {&texts.noteBelowLowest, &english.noteBelowLowest},
        {&texts.noteAboveHighest, &english.noteAboveHighest},
    };
    for (const auto &[fromPack, expected] : slotTexts)
        EXPECT_EQ(*fromPack, *expected);
}

TEST(ApplyToTexts, MissingIdsNeverBlankASlot) {
    UiTexts texts;
    applyToTexts(LanguagePack::fromUtf8("55=OFF\n104=\n120=Not sent\n"), texts);
    UiTexts expected;
    expected.offText = QStringLiteral("OFF");
    expected.msgCannotWriteCell = QStringLiteral("Not sent");
    EXPECT_EQ(texts, expected);

    applyToTexts(LanguagePack{}, texts);
    EXPECT_EQ(texts, expected);
}

// --- Option lists -----------------------------------------------------------

struct ListCase {
    Option option;
    int position; // selected before the load
    QStringList english;
};

void PrintTo(const ListCase &c, std::ostream *os) {
    *os << optionKey(c.option).toStdString();
}

class RebuiltList : public ::testing::TestWithParam<ListCase> {};

TEST_P(RebuiltList, TakesThePackWordsAndKeepsItsPosition) {
    const ListCase &c = GetParam();
    RadioSettings settings;
    settings.setIndex(Option::SpreadFreq, 1); // band is only meaningful with it on
    ASSERT_TRUE(settings.setIndex(c.option, c.position));

    applyToOptionLists(shipped("eng"), settings);
    EXPECT_EQ(settings.entries(c.option), c.english);
    EXPECT_EQ(settings.index(c.option), c.position);

    applyToOptionLists(shipped("chn"), settings);
    EXPECT_EQ(settings.index(c.option), c.position);
    EXPECT_EQ(settings.entryCount(c.option), c.english.size());
}

const QStringList kOnOff{"ON", "OFF"};
const QStringList kOffOn{"OFF", "ON"};
const QStringList kColours{"1", "2", "3", "4", "5", "6", "7", "8"};

INSTANTIATE_TEST_SUITE_P(
    English, RebuiltList,
    ::testing::Values(ListCase{Option::APO, 0, kOnOff}, ListCase{Option::Scramble, 0, kOnOff},
                      ListCase{Option::KeySwitch, 0, kOnOff}, ListCase{Option::SwitchUp, 0, kOnOff},
                      ListCase{Option::DownFreq, 0, kOnOff}, ListCase{Option::BEEP, 0, kOffOn},
                      ListCase{Option::BatSave, 0, kOffOn}, ListCase{Option::SpreadFreq, 1, kOffOn},
                      ListCase{Option::Band, 1, {"Band2", "Band1"}},
                      ListCase{Option::TxTimeout, 4, minutes("OFF", " min")},
                      ListCase{Option::TxTimeout, 7, minutes("OFF", " min")},
                      ListCase{Option::TxLight, 6, kColours},
                      ListCase{Option::RxLight, 2, kColours}));

TEST(ApplyToOptionLists, EachLedListKeepsItsOwnPosition) {
    RadioSettings settings;
    settings.setIndex(Option::TxLight, 7);
    settings.setIndex(Option::RxLight, 0);
    applyToOptionLists(shipped("eng"), settings);
    EXPECT_EQ(settings.index(Option::TxLight), 7);
    EXPECT_EQ(settings.index(Option::RxLight), 0);
    EXPECT_EQ(settings.selectedText(Option::TxLight), QStringLiteral("8"));
    EXPECT_EQ(settings.selectedText(Option::RxLight), QStringLiteral("1"));
    EXPECT_EQ(settings.entries(Option::TxLight), settings.entries(Option::RxLight));
}

TEST(ApplyToOptionLists, LeavesTheLanguageFreeListsAlone) {
    RadioSettings settings;
    applyToOptionLists(shipped("eng"), settings);
    for (Option option : {Option::Ring, Option::BroadBand, Option::ScanKind, Option::VfoMr,
                          Option::MrDisplay, Option::Squelch, Option::VoxControl, Option::FreqStep})
        EXPECT_EQ(settings.entries(option), builtInEntries(option))
            << optionKey(option).toStdString();
}

TEST(ApplyToOptionLists, ChinesePackGivesTheBuiltInListsWithTheOffWordFirstInTimeout) {
    RadioSettings settings;
    applyToOptionLists(shipped("eng"), settings);
    applyToOptionLists(shipped("chn"), settings);
    for (int i = 0; i < kOptionCount; ++i) {
        const Option option = optionAt(i);
        if (option == Option::TxTimeout || option == Option::TxLight || option == Option::RxLight)
            continue;
        EXPECT_EQ(settings.entries(option), builtInEntries(option))
            << optionKey(option).toStdString();
    }
    EXPECT_EQ(settings.entries(Option::TxTimeout), minutes("禁用", "分钟"));
}

TEST(ApplyToOptionLists, MissingIdsKeepTheirEntries) {
    RadioSettings settings;
    applyToOptionLists(shipped("eng"), settings);
    // A pack without the minutes word, the band word, "ON" and one colour.
    applyToOptionLists(LanguagePack::fromUtf8("55=AUS\n111=Blau\n112=Rot\n114=Gruen\n"), settings);
    EXPECT_EQ(settings.entries(Option::TxTimeout), minutes("AUS", " min"));
    EXPECT_EQ(settings.entries(Option::Band), QStringList({"Band2", "Band1"}));
    EXPECT_EQ(settings.entries(Option::APO), QStringList({"ON", "AUS"}));
    EXPECT_EQ(settings.entries(Option::BEEP), QStringList({"AUS", "ON"}));
    EXPECT_EQ(settings.entries(Option::RxLight),
              QStringList({"Blau", "Rot", "3", "Gruen", "5", "6", "7", "8"}));
}

// --- Loading one pack after another ------------------------------------------

struct Applied {
    UiTexts texts;
    std::array<QStringList, kOptionCount> entries;
    OptionIndexes indexes{};
    std::array<QString, kColumnCount> headers;
};

Applied applyAll(std::initializer_list<const char *> packs, const OptionIndexes &start) {
    UiTexts texts;
    RadioSettings settings;
    settings.setIndexes(start);
    ChannelTable table;
    for (const char *name : packs) {
        const LanguagePack pack = shipped(name);
        applyToTexts(pack, texts);
        applyToOptionLists(pack, settings);
        applyToHeaders(pack, table);
    }
    Applied result{texts, {}, settings.indexes(), {}};
    for (int i = 0; i < kOptionCount; ++i)
        result.entries[i] = settings.entries(optionAt(i));
    for (int col = 0; col < kColumnCount; ++col)
        result.headers[col] = table.header(col);
    return result;
}

TEST(ApplyPacks, EnglishThenChineseEqualsChineseAlone) {
    OptionIndexes start = defaultOptionIndexes();
    start[indexOf(Option::SpreadFreq)] = 1;
    start[indexOf(Option::Band)] = 1;
    start[indexOf(Option::TxTimeout)] = 6;
    start[indexOf(Option::APO)] = 0;
    start[indexOf(Option::TxLight)] = 5;

    const Applied chnAlone = applyAll({"chn"}, start);
    const Applied engThenChn = applyAll({"eng", "chn"}, start);
    EXPECT_EQ(engThenChn.texts, chnAlone.texts);
    EXPECT_EQ(engThenChn.entries, chnAlone.entries);
    EXPECT_EQ(engThenChn.headers, chnAlone.headers);
    EXPECT_EQ(engThenChn.indexes, start);
    EXPECT_EQ(chnAlone.indexes, start);

    const Applied engAlone = applyAll({"eng"}, start);
    EXPECT_NE(engAlone.texts, chnAlone.texts);
    EXPECT_NE(engAlone.entries, chnAlone.entries);
}

TEST(ApplyToHeaders, SetsEveryColumnAndKeepsMissingOnes) {
    ChannelTable table;
    applyToHeaders(shipped("eng"), table);
    EXPECT_EQ(table.header(0), QStringLiteral("CH"));
    EXPECT_EQ(table.header(PowerCol), QStringLiteral("TX Power"));
    EXPECT_EQ(table.header(BusyLockCol), QStringLiteral("Busy Lock"));

    applyToHeaders(LanguagePack::fromUtf8("47=Empfang\n"), table);
    EXPECT_EQ(table.header(RxFreqCol), QStringLiteral("Empfang"));
    EXPECT_EQ(table.header(0), QStringLiteral("CH"));
}

} // namespace
} // namespace vrx

namespace vrx {
namespace {

// The CSV note texts start in English, so the English pack must give exactly those, and
// the Chinese pack must replace every one of them with a text of the same placeholders.
TEST(ApplyToCsvTexts, EnglishPackMatchesTheBuiltInTextsAndChineseReplacesEach) {
    CsvTexts english;
    applyToCsvTexts(shipped("eng"), english);
    EXPECT_EQ(english, CsvTexts{});

    CsvTexts chinese;
    applyToCsvTexts(shipped("chn"), chinese);
    const CsvTexts builtIn;
    const std::pair<const QString *, const QString *> pairs[] = {
        {&chinese.notePrefix, &builtIn.notePrefix},
        {&chinese.badLocation, &builtIn.badLocation},
        {&chinese.badFrequency, &builtIn.badFrequency},
        {&chinese.badDuplex, &builtIn.badDuplex},
        {&chinese.badOffset, &builtIn.badOffset},
        {&chinese.txOutOfRange, &builtIn.txOutOfRange},
        {&chinese.badMode, &builtIn.badMode},
        {&chinese.badToneMode, &builtIn.badToneMode},
        {&chinese.badCtcss, &builtIn.badCtcss},
        {&chinese.badDcs, &builtIn.badDcs},
        {&chinese.badPolarity, &builtIn.badPolarity},
        {&chinese.badPower, &builtIn.badPower},
        {&chinese.badSkip, &builtIn.badSkip},
        {&chinese.repeatedLocation, &builtIn.repeatedLocation},
        {&chinese.beyondLastChannel, &builtIn.beyondLastChannel},
        {&chinese.notChannelList, &builtIn.notChannelList},
        {&chinese.notUtf8, &builtIn.notUtf8},
        {&chinese.cannotExport, &builtIn.cannotExport},
    };
    for (const auto &[translated, original] : pairs) {
        EXPECT_NE(*translated, *original);
        for (const char *placeholder : {"%1", "%2", "%3"})
            EXPECT_EQ(translated->contains(placeholder), original->contains(placeholder))
                << original->toStdString() << " / " << placeholder;
    }
}

} // namespace
} // namespace vrx

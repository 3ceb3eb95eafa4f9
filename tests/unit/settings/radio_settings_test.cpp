#include "settings/radio_settings.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QRegularExpression>

#include <utility>
#include <vector>

namespace vrx {
namespace {

// Records every notification of a RadioSettings in the order it was raised.
struct SettingsLog {
    std::vector<std::pair<Option, int>> options;
    std::vector<bool> editable;
    std::vector<std::pair<Drive, int>> drives;

    explicit SettingsLog(RadioSettings &settings) {
        QObject::connect(&settings, &RadioSettings::optionChanged,
                         [this](Option o, int i) { options.emplace_back(o, i); });
        QObject::connect(&settings, &RadioSettings::bandEditableChanged,
                         [this](bool e) { editable.push_back(e); });
        QObject::connect(&settings, &RadioSettings::driveChanged,
                         [this](Drive d, int v) { drives.emplace_back(d, v); });
    }
    bool empty() const { return options.empty() && editable.empty() && drives.empty(); }
};

struct OptionCase {
    Option option;
    const char *key;
    int defaultIndex;
    int entryCount;
    bool shown;
};

class OptionTableTest : public ::testing::TestWithParam<std::pair<int, OptionCase>> {};

// The enum order is the channel file's line order, so position i must be the i-th option.
TEST_P(OptionTableTest, KeyDefaultAndEntriesInFileOrder) {
    const auto &[position, c] = GetParam();
    EXPECT_EQ(indexOf(c.option), position);
    EXPECT_EQ(optionKey(c.option), QString::fromUtf8(c.key));
    EXPECT_EQ(defaultIndex(c.option), c.defaultIndex);
    EXPECT_EQ(builtInEntries(c.option).size(), c.entryCount);
    EXPECT_EQ(isShown(c.option), c.shown);
    // Every index is one digit in the channel file.
    EXPECT_LE(c.entryCount, 10);

    RadioSettings settings;
    EXPECT_EQ(settings.index(c.option), c.defaultIndex);
    EXPECT_EQ(settings.selectedText(c.option), builtInEntries(c.option).at(c.defaultIndex));
}

std::vector<std::pair<int, OptionCase>> optionCases() {
    const OptionCase table[] = {
        {Option::APO, "APO", 1, 2, true},
        {Option::BEEP, "BEEP", 1, 2, true},
        {Option::BatSave, "BatSave", 1, 2, true},
        {Option::ScanKind, "scankind", 1, 2, true},
        {Option::Ring, "Ring", 1, 2, false},
        {Option::Scramble, "Scramble", 1, 2, true},
        {Option::VfoMr, "VFO/MR", 1, 2, true},
        {Option::MrDisplay, "MR freq./MR CH", 1, 2, true},
        {Option::Squelch, "Squelch", 2, 10, true},
        {Option::VoxControl, "VoxControl", 0, 5, true},
        {Option::TxTimeout, "TxT.O.T", 4, 8, true},
        {Option::KeySwitch, "keyswitch", 1, 2, true},
        {Option::SwitchUp, "Switch.U.P", 1, 2, true},
        {Option::DownFreq, "DownFreq", 1, 2, true},
        {Option::BroadBand, "BroadBand", 1, 2, false},
        {Option::SpreadFreq, "SpreadFreq", 0, 2, true},
        {Option::Band, "band", 0, 2, true},
        {Option::FreqStep, "Freq.Step", 5, 6, true},
        {Option::TxLight, "Txlight", 1, 8, true},
        {Option::RxLight, "Rxlight", 3, 8, true},
    };
    std::vector<std::pair<int, OptionCase>> cases;
    for (int i = 0; i < int(std::size(table)); ++i)
        cases.emplace_back(i, table[i]);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllOptions, OptionTableTest, ::testing::ValuesIn(optionCases()),
                         [](const auto &info) {
                             QString name = optionKey(info.param.second.option);
                             name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")));
                             return name.toStdString();
                         });

TEST(RadioSettingsTest, BuiltInEntryTextsWhereTheOrderMatters) {
    // The on/off order differs between lists; the index carries the meaning.
    EXPECT_EQ(builtInEntries(Option::APO), (QStringList{"启用", "禁用"}));
    EXPECT_EQ(builtInEntries(Option::BEEP), (QStringList{"禁用", "启用"}));
    EXPECT_EQ(builtInEntries(Option::BroadBand), (QStringList{"窄带", "宽带"}));
    EXPECT_EQ(builtInEntries(Option::Band), (QStringList{"频段2", "频段1"}));
    EXPECT_EQ(builtInEntries(Option::TxTimeout).at(4), QStringLiteral("4分钟"));
    EXPECT_EQ(builtInEntries(Option::FreqStep),
              (QStringList{"5kHz", "6.25kHZ", "10kHz", "12.5kHz", "20kHz", "25kHz"}));
}

TEST(RadioSettingsTest, DriveKeysAndDefaults) {
    EXPECT_EQ(driveKey(Drive::High), QStringLiteral("high"));
    EXPECT_EQ(driveKey(Drive::Low1), QStringLiteral("low1"));
    EXPECT_EQ(driveKey(Drive::Low2), QStringLiteral("low2"));
    RadioSettings settings;
    EXPECT_EQ(settings.drives(), (DriveValues{79, 45, 45}));
}

TEST(BandExtensionRuleTest, StartsWithBandReadOnly) {
    RadioSettings settings;
    EXPECT_EQ(settings.index(Option::SpreadFreq), 0);
    EXPECT_EQ(settings.index(Option::Band), 0);
    EXPECT_FALSE(settings.bandEditable());
}

TEST(BandExtensionRuleTest, DisablingSpreadFreqResetsBandAndLocksIt) {
    RadioSettings settings;
    ASSERT_TRUE(settings.setIndex(Option::SpreadFreq, 1));
    EXPECT_TRUE(settings.bandEditable());
    ASSERT_TRUE(settings.setIndex(Option::Band, 1));

    SettingsLog log(settings);
    ASSERT_TRUE(settings.setIndex(Option::SpreadFreq, 0));

    EXPECT_EQ(settings.index(Option::Band), 0);
    EXPECT_EQ(settings.selectedText(Option::Band), QStringLiteral("频段2"));
    EXPECT_FALSE(settings.bandEditable());
    const std::vector<std::pair<Option, int>> expected{{Option::SpreadFreq, 0}, {Option::Band, 0}};
    EXPECT_EQ(log.options, expected);
    EXPECT_EQ(log.editable, std::vector<bool>{false});
}

TEST(BandExtensionRuleTest, EnablingSpreadFreqUnlocksBandWithoutChangingIt) {
    RadioSettings settings;
    SettingsLog log(settings);
    ASSERT_TRUE(settings.setIndex(Option::SpreadFreq, 1));
    EXPECT_TRUE(settings.bandEditable());
    EXPECT_EQ(settings.index(Option::Band), 0);
    EXPECT_EQ(log.editable, std::vector<bool>{true});
}

TEST(BandExtensionRuleTest, LoadedBandSurvivesWhenSpreadFreqWasAlreadyOff) {
    RadioSettings settings;
    OptionIndexes loaded = defaultOptionIndexes();
    loaded[indexOf(Option::SpreadFreq)] = 0;
    loaded[indexOf(Option::Band)] = 1;

    settings.setIndexes(loaded);

    EXPECT_EQ(settings.index(Option::Band), 1);
    EXPECT_FALSE(settings.bandEditable());
    EXPECT_EQ(settings.indexes(), loaded);
}

TEST(BandExtensionRuleTest, LoadedBandIsAppliedAfterSpreadFreqTurnsOff) {
    // SpreadFreq goes 1 -> 0 (resetting band) before the stored band is set, so the
    // stored band wins.
    RadioSettings settings;
    settings.setIndex(Option::SpreadFreq, 1);
    OptionIndexes loaded = defaultOptionIndexes();
    loaded[indexOf(Option::Band)] = 1;

    settings.setIndexes(loaded);

    EXPECT_EQ(settings.index(Option::SpreadFreq), 0);
    EXPECT_EQ(settings.index(Option::Band), 1);
    EXPECT_FALSE(settings.bandEditable());
}

TEST(BandExtensionRuleTest, SettingTheSameIndexChangesNothing) {
    RadioSettings settings;
    settings.setIndex(Option::Band, 1); // band 1 while SpreadFreq is off, as a load leaves it
    SettingsLog log(settings);

    EXPECT_TRUE(settings.setIndex(Option::SpreadFreq, 0));
    EXPECT_TRUE(settings.setIndex(Option::Squelch, 2));
    settings.setIndexes(settings.indexes());

    EXPECT_EQ(settings.index(Option::Band), 1);
    EXPECT_TRUE(log.empty());
}

struct RefusedIndexCase {
    Option option;
    int index;
};
class RefusedIndexTest : public ::testing::TestWithParam<RefusedIndexCase> {};

TEST_P(RefusedIndexTest, IndexOutsideTheListIsRefused) {
    RadioSettings settings;
    const OptionIndexes before = settings.indexes();
    SettingsLog log(settings);
    EXPECT_FALSE(settings.setIndex(GetParam().option, GetParam().index));
    EXPECT_EQ(settings.indexes(), before);
    EXPECT_TRUE(log.empty());
}

INSTANTIATE_TEST_SUITE_P(Bounds, RefusedIndexTest,
                         ::testing::Values(RefusedIndexCase{Option::APO, -1},
                                           RefusedIndexCase{Option::APO, 2},
                                           RefusedIndexCase{Option::Squelch, 10},
                                           RefusedIndexCase{Option::FreqStep, 6},
                                           RefusedIndexCase{Option::RxLight, 8}));

TEST(RadioSettingsTest, ResetRestoresEveryOptionAndDriveIncludingHiddenOnes) {
    RadioSettings settings;
    settings.setIndex(Option::SpreadFreq, 1);
    OptionIndexes changed{};
    changed[indexOf(Option::SpreadFreq)] = 1;
    changed[indexOf(Option::Band)] = 1;
    settings.setIndexes(changed); // every option to index 0 except SpreadFreq and band
    settings.setDrives({1, 2, 3});
    ASSERT_EQ(settings.index(Option::Ring), 0);
    ASSERT_EQ(settings.index(Option::BroadBand), 0);

    settings.resetToDefaults();

    EXPECT_EQ(settings.indexes(), defaultOptionIndexes());
    EXPECT_EQ(settings.index(Option::Ring), 1);
    EXPECT_EQ(settings.index(Option::BroadBand), 1);
    EXPECT_EQ(settings.index(Option::Band), 0);
    EXPECT_FALSE(settings.bandEditable());
    EXPECT_EQ(settings.drives(), (DriveValues{79, 45, 45}));
    EXPECT_EQ(settings.drive(Drive::Low1), 45);
}

TEST(RadioSettingsTest, ResetDrivesLeavesOptionsAlone) {
    RadioSettings settings;
    settings.setIndex(Option::Squelch, 7);
    settings.setDrives({0, 0, 0});
    settings.resetDrives();
    EXPECT_EQ(settings.drives(), defaultDriveValues());
    EXPECT_EQ(settings.index(Option::Squelch), 7);
}

class DriveClampTest : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(DriveClampTest, ValuesStayWithin0To255) {
    const auto [given, expected] = GetParam();
    RadioSettings settings;
    for (Drive d : {Drive::High, Drive::Low1, Drive::Low2}) {
        settings.setDrive(d, given);
        EXPECT_EQ(settings.drive(d), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Range, DriveClampTest,
                         ::testing::Values(std::pair{-1, 0}, std::pair{-1000, 0}, std::pair{0, 0},
                                           std::pair{128, 128}, std::pair{255, 255},
                                           std::pair{256, 255}, std::pair{999, 255}));

TEST(RadioSettingsTest, DriveChangeNotifiesOnlyWhenTheClampedValueDiffers) {
    RadioSettings settings;
    settings.setDrive(Drive::High, 255);
    SettingsLog log(settings);
    settings.setDrive(Drive::High, 300); // clamps to the value it already has
    settings.setDrive(Drive::Low2, 45);
    EXPECT_TRUE(log.drives.empty());
    settings.setDrive(Drive::Low2, -7);
    const std::vector<std::pair<Drive, int>> expected{{Drive::Low2, 0}};
    EXPECT_EQ(log.drives, expected);
}

TEST(RadioSettingsTest, NewEntryTextsKeepTheSelectedIndex) {
    RadioSettings settings;
    settings.setIndex(Option::TxTimeout, 5);
    settings.setEntries(Option::TxTimeout,
                        {"OFF", "1min", "2min", "3min", "4min", "5min", "6min", "7min"});
    EXPECT_EQ(settings.index(Option::TxTimeout), 5);
    EXPECT_EQ(settings.selectedText(Option::TxTimeout), QStringLiteral("5min"));
}

TEST(RadioSettingsTest, FrequencyStepPerFreqStepIndex) {
    const int expected[] = {5000, 6250, 10000, 12500, 20000, 25000};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(frequencyStepHz(i), expected[i]) << i;
    EXPECT_EQ(frequencyStepHz(-1), 0);
    EXPECT_EQ(frequencyStepHz(6), 0);
}

} // namespace
} // namespace vrx

#include "radio/settings_codec.h"

#include "radio_test_support.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using test::hex;

TEST(SettingsBlock, DefaultsGiveTheFactoryBytesAndReadBack) {
    const QByteArray block = encodeSettingsBlock(defaultOptionIndexes());
    EXPECT_EQ(block, hex("FF 02 00 04 CF 06 02 04"));
    OptionIndexes other{}; // every option at index 0
    EXPECT_EQ(decodeSettingsBlock(block, other), defaultOptionIndexes());
}

TEST(SettingsBlock, EveryOptionAwayFromItsDefaultRoundTrips) {
    OptionIndexes indexes = defaultOptionIndexes();
    for (int i = 0; i < kOptionCount; ++i) {
        const int count = int(builtInEntries(optionAt(i)).size());
        indexes[i] = (indexes[i] + 1) % count;
    }
    const QByteArray block = encodeSettingsBlock(indexes);
    // The one-bit options all flip; byte 4 keeps its two top bits set.
    EXPECT_EQ(block, hex("00 03 01 05 F0 01 03 05"));
    EXPECT_EQ(decodeSettingsBlock(block, defaultOptionIndexes()), indexes);
}

TEST(SettingsBlock, SingleBitsLandWhereTheTableSaysAndBandAfterSpreadFreq) {
    OptionIndexes indexes{};
    indexes[indexOf(Option::Ring)] = 1;      // byte 0, bit 4
    indexes[indexOf(Option::MrDisplay)] = 1; // byte 0, bit 7
    indexes[indexOf(Option::SpreadFreq)] = 1;
    indexes[indexOf(Option::Band)] = 1;
    indexes[indexOf(Option::BroadBand)] = 1;
    indexes[indexOf(Option::FreqStep)] = 0;
    const QByteArray block = encodeSettingsBlock(indexes);
    EXPECT_EQ(block, hex("90 00 00 00 F8 01 01 01"));
    EXPECT_EQ(decodeSettingsBlock(block, defaultOptionIndexes()), indexes);
}

struct NibbleCase {
    int byte;
    quint8 value;
    Option option;
    int expected; // -1: the current index stays
};

class SettingsNibble : public ::testing::TestWithParam<NibbleCase> {};

TEST_P(SettingsNibble, OutOfRangeKeepsTheCurrentSelection) {
    const auto &c = GetParam();
    QByteArray block = hex("FF 02 00 04 CF 06 02 04");
    block[c.byte] = char(c.value);
    // A current selection that differs from both the block and the defaults.
    OptionIndexes current = defaultOptionIndexes();
    current[indexOf(Option::Squelch)] = 7;
    current[indexOf(Option::VoxControl)] = 3;
    current[indexOf(Option::TxTimeout)] = 6;
    current[indexOf(Option::FreqStep)] = 2;
    current[indexOf(Option::TxLight)] = 6;
    current[indexOf(Option::RxLight)] = 5;

    const OptionIndexes decoded = decodeSettingsBlock(block, current);
    const int want = c.expected >= 0 ? c.expected : current[indexOf(c.option)];
    EXPECT_EQ(decoded[indexOf(c.option)], want);
}

INSTANTIATE_TEST_SUITE_P(
    Nibbles, SettingsNibble,
    ::testing::Values(
        NibbleCase{1, 0x09, Option::Squelch, 9}, NibbleCase{1, 0x0A, Option::Squelch, -1},
        NibbleCase{1, 0x13, Option::Squelch, 3}, // high nibble not read
        NibbleCase{2, 0x04, Option::VoxControl, 4}, NibbleCase{2, 0x05, Option::VoxControl, -1},
        NibbleCase{3, 0x08, Option::TxTimeout, -1}, NibbleCase{3, 0x0F, Option::TxTimeout, -1},
        NibbleCase{5, 0x01, Option::FreqStep, 0}, NibbleCase{5, 0x00, Option::FreqStep, -1},
        NibbleCase{5, 0x07, Option::FreqStep, -1}, NibbleCase{6, 0x08, Option::TxLight, 7},
        NibbleCase{6, 0x0F, Option::TxLight, 2}, // unset colour
        NibbleCase{6, 0xFF, Option::TxLight, 2}, NibbleCase{6, 0x00, Option::TxLight, -1},
        NibbleCase{6, 0x09, Option::TxLight, -1}, NibbleCase{7, 0x0F, Option::RxLight, 4},
        NibbleCase{7, 0x0B, Option::RxLight, -1}));

TEST(BandLimits, EdgesAreBcdOfTenthsOfAMegahertz) {
    EXPECT_EQ(encodeBandLimits(QStringLiteral("136-174MHz"), QStringLiteral("400-470MHz")),
              hex("60 13 40 17 00 40 00 47"));
    EXPECT_EQ(encodeBandLimits(QStringLiteral("400-470MHz"), QStringLiteral("136-174MHz")),
              hex("00 40 00 47 60 13 40 17"));
}

TEST(BandLimits, NoSelectionOrNonDigitsGiveNothing) {
    const QString good = QStringLiteral("400-470MHz");
    EXPECT_EQ(encodeBandLimits(QString(), good), std::nullopt);
    EXPECT_EQ(encodeBandLimits(good, QString()), std::nullopt);
    EXPECT_EQ(encodeBandLimits(QStringLiteral("4O0-470MHz"), good), std::nullopt);
    EXPECT_EQ(encodeBandLimits(good, QStringLiteral("400-47")), std::nullopt);
}

TEST(FixedBlocks, IdentAndPowerDrive) {
    EXPECT_EQ(identBlock(), hex("00 00 F3 38 32 36 33 50"));
    EXPECT_EQ(encodePowerDrive({79, 45, 45}), hex("4F 2D 2D FF FF FF FF FF"));
    EXPECT_EQ(decodePowerDrive(hex("FF 00 0A 12 34 56 78 9A")), (DriveValues{255, 0, 10}));
    EXPECT_EQ(decodePowerDrive(hex("FF 00")), std::nullopt);
}

} // namespace
} // namespace vrx

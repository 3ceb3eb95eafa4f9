#include "channels/frequency.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

struct NormaliseCase {
    const char *input;
    const char *expected;
};

class NormaliseFrequency : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(NormaliseFrequency, GivesNineCharacterRasterText) {
    const auto result = normaliseFrequency(QString::fromUtf8(GetParam().input));
    ASSERT_TRUE(result.has_value()) << GetParam().input;
    EXPECT_EQ(*result, QString::fromUtf8(GetParam().expected)) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormaliseFrequency,
    ::testing::Values(
        // The documented examples.
        NormaliseCase{"400", "400.00000"}, NormaliseCase{"438.5", "438.50000"},
        NormaliseCase{"438.512", "438.51250"}, NormaliseCase{"400.0031", "400.00500"},
        NormaliseCase{"400.0063", "400.01000"}, NormaliseCase{"99", "100.00000"},
        NormaliseCase{"600", "550.00000"}, NormaliseCase{"549.999", "550.00000"},
        // Already on the raster: unchanged, also the 6.25 kHz points below 100 Hz.
        NormaliseCase{"400.00625", "400.00625"}, NormaliseCase{"438.51250", "438.51250"},
        // Truncated to 100 Hz, never rounded; binary floating point would read 400.0001
        // as 400.00009999... and land on 400.00000.
        NormaliseCase{"400.0001", "400.00500"}, NormaliseCase{"100.00001", "100.00000"},
        NormaliseCase{"438.51249999", "438.51250"},
        // Limits: the upper edge is reached but never passed.
        NormaliseCase{"100", "100.00000"}, NormaliseCase{"550", "550.00000"},
        NormaliseCase{"550.00001", "550.00000"}, NormaliseCase{"549.99999", "550.00000"},
        NormaliseCase{"0", "100.00000"}, NormaliseCase{"-438.5", "100.00000"},
        NormaliseCase{"-0", "100.00000"},
        NormaliseCase{"99999999999999999999999999999999", "550.00000"},
        NormaliseCase{"1e999999999999", "550.00000"}, NormaliseCase{"1e-999999999999", "100.00000"},
        // Read like a number parser: blanks around, sign, bare point sides, exponent.
        NormaliseCase{"  438.5\t", "438.50000"}, NormaliseCase{"+438.5", "438.50000"},
        NormaliseCase{"438.", "438.00000"}, NormaliseCase{".5", "100.00000"},
        NormaliseCase{"4.385E2", "438.50000"}, NormaliseCase{"4385e-1", "438.50000"},
        NormaliseCase{"000438.500000000", "438.50000"}));

class NotAFrequency : public ::testing::TestWithParam<const char *> {};

TEST_P(NotAFrequency, GivesNothing) {
    EXPECT_FALSE(normaliseFrequency(QString::fromUtf8(GetParam())).has_value()) << GetParam();
    EXPECT_FALSE(parseFrequencyUnits(QString::fromUtf8(GetParam())).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Cases, NotAFrequency,
                         ::testing::Values("", " ", ".", "-", "+.", "abc", "438,5", "438.5.1",
                                           "4 38", "438.5MHz", "4e", "4e+", "e5", "0x1A", "inf",
                                           "nan", "高功率", "٤٠٠"));

struct UnitsCase {
    const char *text;
    qint64 units;
};

class ParseFrequencyUnits : public ::testing::TestWithParam<UnitsCase> {};

TEST_P(ParseFrequencyUnits, ReadsExactTenHertzUnits) {
    const auto units = parseFrequencyUnits(QString::fromUtf8(GetParam().text));
    ASSERT_TRUE(units.has_value()) << GetParam().text;
    EXPECT_EQ(*units, GetParam().units) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseFrequencyUnits,
                         ::testing::Values(UnitsCase{"438.50000", 43850000},
                                           UnitsCase{"400.00625", 40000625},
                                           UnitsCase{"400", 40000000}, UnitsCase{"0.00001", 1},
                                           // Below 10 Hz is truncated toward zero.
                                           UnitsCase{"438.512345", 43851234},
                                           UnitsCase{"-1.000019", -100001},
                                           UnitsCase{"1e300", 1'000'000'000'000'000}));

struct FormatCase {
    qint64 units;
    const char *text;
};

class FormatFrequencyUnits : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFrequencyUnits, GivesShortestDecimal) {
    const QString text = formatFrequencyUnits(GetParam().units);
    EXPECT_EQ(text, QString::fromUtf8(GetParam().text));
    // What is written can be read back to the same value.
    EXPECT_EQ(parseFrequencyUnits(text), GetParam().units);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatFrequencyUnits,
    ::testing::Values(FormatCase{40000000, "400"}, FormatCase{40002500, "400.025"},
                      FormatCase{40000625, "400.00625"}, FormatCase{43851250, "438.5125"},
                      FormatCase{1, "0.00001"}, FormatCase{0, "0"}, FormatCase{-250, "-0.0025"}));

TEST(FormatFrequencyUnits, SurvivesTheMostNegativeValue) {
    EXPECT_EQ(formatFrequencyUnits(std::numeric_limits<qint64>::min()),
              QStringLiteral("-92233720368547.75808"));
}

} // namespace
} // namespace vrx

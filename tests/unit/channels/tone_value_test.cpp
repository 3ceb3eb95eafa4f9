#include "channels/tone_value.h"

#include "test_texts.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

struct ToneCase {
    const char *text;
    std::optional<ToneValue> tone;
};

class ToneCellTest : public ::testing::TestWithParam<ToneCase> {};

TEST_P(ToneCellTest, CellTextReadsAsItsToneAndBack) {
    const ToneCase &c = GetParam();
    const std::optional<ToneValue> tone = parseToneCell(QString::fromUtf8(c.text), "OFF");
    EXPECT_EQ(tone, c.tone);
    if (tone && *c.text) {
        EXPECT_EQ(toneCellText(*tone, "OFF"), QString::fromUtf8(c.text));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ToneCellTest,
    ::testing::Values(ToneCase{"OFF", ToneValue::none()}, ToneCase{"", ToneValue::none()},
                      ToneCase{"67.0", ToneValue::ctcss(670)},
                      ToneCase{"254.1", ToneValue::ctcss(2541)},
                      ToneCase{"299.9", ToneValue::ctcss(2999)},
                      ToneCase{"05.0", ToneValue::ctcss(50)},
                      ToneCase{"D023N", ToneValue::dcs("023", false)},
                      ToneCase{"D754I", ToneValue::dcs("754", true)},
                      // Not storable or not a tone text.
                      ToneCase{"300.0", std::nullopt}, ToneCase{"099.5", std::nullopt},
                      ToneCase{"67", std::nullopt}, ToneCase{"67.00", std::nullopt},
                      ToneCase{"00.0", std::nullopt}, ToneCase{"D089N", std::nullopt},
                      ToneCase{"D023X", std::nullopt}, ToneCase{"禁用", std::nullopt}));

TEST(ToneValueTest, DcsCodeIsThreeOctalDigits) {
    EXPECT_TRUE(isDcsCode("023"));
    EXPECT_TRUE(isDcsCode("777"));
    EXPECT_FALSE(isDcsCode("23"));
    EXPECT_FALSE(isDcsCode("089"));
    EXPECT_FALSE(isDcsCode("0233"));
}

} // namespace
} // namespace vrx

#include "channels/channel_clipboard.h"

#include "test_texts.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

const UiTexts kEnglish = test::englishTexts();

ChannelRow channel(const char *rx, const char *rxTone, const char *tx, const char *txTone,
                   const char *power, const char *width, const char *scan, const char *lock) {
    return {rx, rxTone, tx, txTone, power, width, scan, lock};
}

TEST(ChannelClipboard, CopiedChannelsPasteBackUnchanged) {
    const QList<ChannelRow> rows = {
        channel("438.50000", "OFF", "438.50000", "D023N", "Low", "Narrow", "OFF", "ON"),
        ChannelRow{},
        channel("400.00625", "254.1", "410.00000", "OFF", "High", "Wide", "ON", "OFF")};
    const QString text = formatChannelRows(rows);
    EXPECT_EQ(text.section('\n', 0, 0), "438.50000\tOFF\t438.50000\tD023N\tLow\tNarrow\tOFF\tON");
    EXPECT_TRUE(text.endsWith('\n'));
    const auto parsed = parseChannelRows(text, kEnglish);
    ASSERT_TRUE(std::holds_alternative<QList<ChannelRow>>(parsed));
    EXPECT_EQ(std::get<QList<ChannelRow>>(parsed), rows);
}

TEST(ChannelClipboard, SpreadsheetTextIsNormalisedAndTakesEitherLanguage) {
    // CR LF lines, a short line, blanks around fields, Chinese words, "67" for 67.0,
    // lower-case DCS, trailing empty cells of a wider sheet.
    const QString text =
        QStringLiteral("438.5\r\n"
                       " 400 \t禁用\t401.0031\td754i\t低功率\t窄带\t启用\t禁用\t\t\r\n"
                       "439\t67\t\t100.0\r\n");
    const auto parsed = parseChannelRows(text, kEnglish);
    ASSERT_TRUE(std::holds_alternative<QList<ChannelRow>>(parsed));
    const QList<ChannelRow> expected = {
        channel("438.50000", "OFF", "438.50000", "OFF", "High", "Wide", "ON", "OFF"),
        channel("400.00000", "OFF", "401.00500", "D754I", "Low", "Narrow", "ON", "OFF"),
        channel("439.00000", "67.0", "439.00000", "100.0", "High", "Wide", "ON", "OFF")};
    EXPECT_EQ(std::get<QList<ChannelRow>>(parsed), expected);
}

struct BadPaste {
    const char *text;
    PasteRefusal refusal;
};

class ChannelClipboardRefusal : public ::testing::TestWithParam<BadPaste> {};

TEST_P(ChannelClipboardRefusal, NamesTheFirstLineAndFieldThatCannotBeTaken) {
    const auto parsed = parseChannelRows(QString::fromUtf8(GetParam().text), kEnglish);
    ASSERT_TRUE(std::holds_alternative<PasteRefusal>(parsed));
    EXPECT_EQ(std::get<PasteRefusal>(parsed), GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChannelClipboardRefusal,
    ::testing::Values(BadPaste{"438.5\nabc\n", {2, RxFreqCol, "abc"}},
                      BadPaste{"438.5\tD023X\n", {1, RxToneCol, "D023X"}},
                      BadPaste{"438.5\tOFF\t438.5\t1000.0\n", {1, TxToneCol, "1000.0"}},
                      BadPaste{"438.5\tOFF\t438.5\tOFF\tMedium\n", {1, PowerCol, "Medium"}},
                      BadPaste{"438.5\tOFF\t438.5\tOFF\tHigh\tWide\tyes\n", {1, ScanCol, "yes"}},
                      BadPaste{"438.5\tOFF\tx\n", {1, TxFreqCol, "x"}},
                      BadPaste{"\tOFF\n", {1, RxFreqCol, ""}},
                      BadPaste{"438.5\tOFF\t438.5\tOFF\tHigh\tWide\tON\tOFF\t7\n",
                               {1, kFieldCount + 1, "7"}},
                      // Tones the picker does not offer: no cell can hold them.
                      BadPaste{"438.5\t300\n", {1, RxToneCol, "300"}},
                      BadPaste{"438.5\tOFF\t438.5\t999.9\n", {1, TxToneCol, "999.9"}},
                      BadPaste{"438.5\n438.5\t05\n", {2, RxToneCol, "05"}},
                      BadPaste{"438.5\t00\n", {1, RxToneCol, "00"}},
                      BadPaste{"438.5\t69.4\n", {1, RxToneCol, "69.4"}},
                      BadPaste{"438.5\tD777N\n", {1, RxToneCol, "D777N"}},
                      BadPaste{"438.5\tD023\n", {1, RxToneCol, "D023"}}));

TEST(ChannelClipboard, EmptyTextIsNoChannelsAndBlankLinesAreEmptyChannels) {
    EXPECT_TRUE(std::get<QList<ChannelRow>>(parseChannelRows("", kEnglish)).isEmpty());
    const auto rows = std::get<QList<ChannelRow>>(parseChannelRows("\n\n", kEnglish));
    EXPECT_EQ(rows, (QList<ChannelRow>{ChannelRow{}, ChannelRow{}}));
}

} // namespace
} // namespace vrx

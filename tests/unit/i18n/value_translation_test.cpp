#include "i18n/value_translation.h"

#include "i18n_test_support.h"
#include "test_texts.h"

#include <QStringList>

namespace vrx {
namespace {

using test::englishTexts;

enum class To { Chinese, English };

struct CellCase {
    int col;
    QString text;
    To to;
    QString expected;
};

void PrintTo(const CellCase &c, std::ostream *os) {
    *os << "col " << c.col << " \"" << c.text.toStdString() << "\" to "
        << (c.to == To::Chinese ? "Chinese" : "English");
}

class ValueCell : public ::testing::TestWithParam<CellCase> {};

TEST_P(ValueCell, Translates) {
    const CellCase &c = GetParam();
    const UiTexts texts = c.to == To::Chinese ? UiTexts{} : englishTexts();
    EXPECT_EQ(translatedValue(c.col, c.text, texts), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Words, ValueCell,
    ::testing::Values(
        // Tones: only the off word.
        CellCase{RxToneCol, "禁用", To::English, "OFF"},
        CellCase{TxToneCol, "OFF", To::Chinese, "禁用"},
        CellCase{RxToneCol, "67.0", To::Chinese, "67.0"},
        CellCase{TxToneCol, "D023N", To::English, "D023N"},
        CellCase{RxToneCol, "启用", To::English, "启用"},
        CellCase{TxToneCol, "ON", To::Chinese, "ON"},
        CellCase{RxToneCol, "高功率", To::English, "高功率"},
        // Power.
        CellCase{PowerCol, "高功率", To::English, "High"},
        CellCase{PowerCol, "Low", To::Chinese, "低功率"},
        CellCase{PowerCol, "低功率", To::English, "Low"},
        CellCase{PowerCol, "High", To::Chinese, "高功率"},
        CellCase{PowerCol, "high", To::Chinese, "high"},
        CellCase{PowerCol, "OFF", To::Chinese, "OFF"},
        // Bandwidth.
        CellCase{BandwidthCol, "宽带", To::English, "Wide"},
        CellCase{BandwidthCol, "Narrow", To::Chinese, "窄带"},
        CellCase{BandwidthCol, "Wide ", To::Chinese, "Wide "},
        CellCase{BandwidthCol, "ON", To::Chinese, "ON"},
        // Scan and busy lock.
        CellCase{ScanCol, "启用", To::English, "ON"}, CellCase{ScanCol, "OFF", To::Chinese, "禁用"},
        CellCase{BusyLockCol, "ON", To::Chinese, "启用"},
        CellCase{BusyLockCol, "禁用", To::English, "OFF"},
        CellCase{BusyLockCol, "On", To::Chinese, "On"},
        CellCase{ScanCol, "宽带", To::English, "宽带"},
        // Already in the target language, and empty cells.
        CellCase{ScanCol, "ON", To::English, "ON"}, CellCase{PowerCol, "", To::English, ""},
        // Columns that hold no value words are never touched.
        CellCase{NumberCol, "OFF", To::Chinese, "OFF"},
        CellCase{RxFreqCol, "OFF", To::Chinese, "OFF"},
        CellCase{TxFreqCol, "禁用", To::English, "禁用"}, CellCase{9, "OFF", To::Chinese, "OFF"}));

TEST(TranslateValueCells, RoundTripsARowAndLeavesEverythingElse) {
    ChannelTable table;
    const ChannelRow english{"438.50000", "OFF", "438.50000", "D023N", "High", "Wide", "ON", "OFF"};
    const ChannelRow chinese{"438.50000", "禁用", "438.50000", "D023N",
                             "高功率",    "宽带", "启用",      "禁用"};
    table.setRow(1, english);
    table.setRow(199, {"446.00625", "67.0", "446.00625", "OFF", "Low", "Narrow", "OFF", "ON"});
    table.setHeader(PowerCol, QStringLiteral("High"));

    translateValueCells(table, UiTexts{});
    EXPECT_EQ(table.row(1), chinese);
    EXPECT_EQ(table.row(199), ChannelRow({"446.00625", "67.0", "446.00625", "禁用", "低功率",
                                          "窄带", "禁用", "启用"}));
    for (int row = 2; row < 199; ++row)
        EXPECT_EQ(table.row(row), ChannelRow{}) << "row " << row;
    EXPECT_EQ(table.header(PowerCol), QStringLiteral("High"));
    EXPECT_EQ(table.text(NumberCol, 1), QStringLiteral("001"));

    translateValueCells(table, englishTexts());
    EXPECT_EQ(table.row(1), english);
}

TEST(TranslateValueCells, ChangesNothingWhenTheCellsAlreadyMatch) {
    ChannelTable table;
    table.setRow(5, {"438.50000", "禁用", "438.50000", "禁用", "高功率", "宽带", "启用", "禁用"});
    table.setRow(6, {"438.50000", "", "", "", "", "", "", ""}); // an unfinished channel
    const ChannelRow row5 = table.row(5);
    const ChannelRow row6 = table.row(6);
    int notifications = 0;
    QObject::connect(&table, &ChannelTable::rowsChanged, [&] { ++notifications; });

    translateValueCells(table, UiTexts{});
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(table.row(5), row5);
    EXPECT_EQ(table.row(6), row6);

    translateValueCells(table, englishTexts());
    EXPECT_EQ(notifications, 1); // one per changed row
}

} // namespace
} // namespace vrx

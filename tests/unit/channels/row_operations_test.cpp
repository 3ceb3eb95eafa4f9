#include "channels/bulk_edit.h"
#include "channels/frequency.h"
#include "channels/row_operations.h"

#include "test_texts.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

class RowOps : public ::testing::Test {
protected:
    ChannelTable table;
    UiTexts texts = test::englishTexts();

    void makeChannel(int row, const QString &freq) {
        table.setText(RxFreqCol, row, freq);
        table.fillDefaults(row, texts);
    }
    QString rx(int row) const { return table.text(RxFreqCol, row); }
};

TEST_F(RowOps, InsertShiftsDownAndRefusesWhenChannel199IsTaken) {
    makeChannel(1, "401.00000");
    makeChannel(2, "402.00000");
    makeChannel(198, "498.00000");
    EXPECT_TRUE(insertEmptyChannel(table, 2));
    EXPECT_EQ(rx(1), "401.00000");
    EXPECT_TRUE(table.isEmptyChannel(2));
    EXPECT_EQ(rx(3), "402.00000");
    EXPECT_EQ(rx(199), "498.00000");
    const ChannelRows before = table.rows();
    EXPECT_FALSE(insertEmptyChannel(table, 1));
    EXPECT_EQ(table.rows(), before) << "nothing falls off the end";
    EXPECT_FALSE(insertEmptyChannel(table, 0));
}

TEST_F(RowOps, DeleteShiftsTheLaterChannelsUpAndEmptiesTheEnd) {
    for (int row = 1; row <= 5; ++row)
        makeChannel(row, QString::number(400 + row) + ".00000");
    makeChannel(199, "499.00000");
    deleteChannelsAndShiftUp(table, {4, 2, 2, 0});
    EXPECT_EQ(rx(1), "401.00000");
    EXPECT_EQ(rx(2), "403.00000");
    EXPECT_EQ(rx(3), "405.00000");
    EXPECT_TRUE(table.isEmptyChannel(4));
    EXPECT_EQ(rx(197), "499.00000");
    EXPECT_TRUE(table.isEmptyChannel(198));
    EXPECT_TRUE(table.isEmptyChannel(199));
}

TEST_F(RowOps, MovedChannelsLandOnTheTargetAndTheOthersCloseUp) {
    for (int row = 1; row <= 6; ++row)
        makeChannel(row, QString::number(400 + row) + ".00000");
    EXPECT_EQ(moveChannels(table, {2, 3}, 5), 5);
    const char *order[] = {"401", "404", "405", "406", "402", "403"};
    for (int row = 1; row <= 6; ++row)
        EXPECT_EQ(rx(row), QString(order[row - 1]) + ".00000") << row;
    EXPECT_EQ(moveChannels(table, {5, 6}, 1), 1); // and back up, before channel 1
    EXPECT_EQ(rx(1), "402.00000");
    EXPECT_EQ(rx(3), "401.00000");
    EXPECT_EQ(moveChannels(table, {1}, 250), 199) << "nothing falls off the end";
    EXPECT_EQ(rx(199), "402.00000");
    EXPECT_EQ(rx(1), "403.00000");
    EXPECT_EQ(moveChannels(table, {}, 3), 0);
}

TEST_F(RowOps, SortPutsEmptyChannelsLastAndKeepsTiesInOrder) {
    makeChannel(2, "439.00000");
    makeChannel(4, "438.00000");
    table.setText(PowerCol, 4, texts.lowText); // tells the two 438s apart
    makeChannel(5, "438.00000");
    makeChannel(6, "100.00000");
    sortByReceiveFrequency(table, {1}); // fewer than two: all channels
    EXPECT_EQ(rx(1), "100.00000");
    EXPECT_EQ(rx(2), "438.00000");
    EXPECT_EQ(table.text(PowerCol, 2), "Low");
    EXPECT_EQ(rx(3), "438.00000");
    EXPECT_EQ(table.text(PowerCol, 3), "High");
    EXPECT_EQ(rx(4), "439.00000");
    EXPECT_TRUE(table.isEmptyChannel(5));

    // Only the selected places take part.
    sortByReceiveFrequency(table, {4, 1, 5});
    EXPECT_EQ(rx(1), "100.00000");
    EXPECT_EQ(rx(4), "439.00000");
    EXPECT_TRUE(table.isEmptyChannel(5));
    sortByReceiveFrequency(table, {1, 2, 4});
    EXPECT_EQ(rx(3), "438.00000") << "not selected, not moved";
}

TEST_F(RowOps, FindWalksFrequencyAndToneCellsAndWraps) {
    makeChannel(3, "438.50000");
    makeChannel(7, "440.00000");
    table.setText(TxToneCol, 7, "D023N");
    makeChannel(9, "438.51250");
    EXPECT_EQ(findNextCell(table, "438.5", {1, 1}), (CellPosition{RxFreqCol, 3}));
    EXPECT_EQ(findNextCell(table, "438.5", {RxFreqCol, 3}), (CellPosition{TxFreqCol, 3}));
    EXPECT_EQ(findNextCell(table, "438.500000", {TxFreqCol, 3}), (CellPosition{RxFreqCol, 3}))
        << "normalised equality, wrapping round";
    EXPECT_EQ(findNextCell(table, "d023", {1, 1}), (CellPosition{TxToneCol, 7}));
    EXPECT_EQ(findNextCell(table, "off", {1, 1}), (CellPosition{RxToneCol, 3}));
    EXPECT_FALSE(findNextCell(table, "High", {1, 1})) << "only frequencies and tones";
    EXPECT_FALSE(findNextCell(table, "600", {1, 1})) << "no clamping to 550";
    EXPECT_FALSE(findNextCell(table, "  ", {1, 1}));
}

TEST_F(RowOps, BulkEditsLeaveEmptyChannelsAlone) {
    makeChannel(1, "400.00000");
    makeChannel(3, "410.00000");
    const QList<int> rows = {1, 2, 3};
    setFieldOfChannels(table, rows, PowerCol, texts.lowText);
    setFieldOfChannels(table, rows, RxToneCol, "D023N");
    table.setText(TxFreqCol, 3, "415.00000");
    copyReceiveToTransmit(table, rows);
    EXPECT_EQ(table.text(PowerCol, 1), "Low");
    EXPECT_EQ(table.text(RxToneCol, 3), "D023N");
    EXPECT_EQ(table.text(TxFreqCol, 3), "410.00000");
    EXPECT_EQ(table.row(2), ChannelRow{});
}

TEST_F(RowOps, ShiftIsRefusedWholeWhenAResultLeavesTheBand) {
    makeChannel(1, "400.00000");
    makeChannel(3, "545.00000");
    EXPECT_FALSE(shiftFrequencies(table, {1, 2}, "0.005"));
    EXPECT_EQ(rx(1), "400.00500");
    EXPECT_EQ(table.text(TxFreqCol, 1), "400.00500");
    EXPECT_TRUE(table.isEmptyChannel(2));

    const ChannelRows before = table.rows();
    const auto refusal = shiftFrequencies(table, {1, 3}, "+5.5");
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->row, 3);
    EXPECT_EQ(table.rows(), before);
    const auto bad = shiftFrequencies(table, {1}, "five");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->row, 0);
    EXPECT_TRUE(shiftFrequencies(table, {1}, "-300.1"));
    EXPECT_FALSE(shiftFrequencies(table, {1, 3}, "-300"));
    EXPECT_EQ(rx(1), "100.00500");
    EXPECT_EQ(rx(3), "245.00000");
}

struct ShiftCase {
    const char *offset;
    QList<int> rows;
    std::optional<ShiftRefusal::Reason> reason; // nullopt: every channel moved by the offset
    int row = 0;
};

class ShiftRaster : public RowOps, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(ShiftRaster, MovesEveryChannelByExactlyTheOffsetOrNone) {
    const ShiftCase &c = GetParam();
    makeChannel(1, "400.00000");
    makeChannel(2, "400.00625"); // on the 6.25 kHz raster only
    const ChannelRows before = table.rows();
    const auto refusal = shiftFrequencies(table, c.rows, QString::fromLatin1(c.offset));
    if (!c.reason) {
        ASSERT_FALSE(refusal);
        const qint64 offset = *parseFrequencyUnits(QString::fromLatin1(c.offset));
        for (int row : c.rows)
            EXPECT_EQ(*parseFrequencyUnits(rx(row)),
                      *parseFrequencyUnits(before[row - 1][RxFreqCol - 1]) + offset)
                << "channel " << row;
        return;
    }
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->reason, *c.reason);
    EXPECT_EQ(refusal->row, c.row);
    EXPECT_EQ(table.rows(), before);
}

using Reason = ShiftRefusal::Reason;
INSTANTIATE_TEST_SUITE_P(Offsets, ShiftRaster,
                         ::testing::Values(ShiftCase{"0.003", {1, 2}, Reason::OffRaster},
                                           ShiftCase{"0.0031", {1}, Reason::OffRaster},
                                           ShiftCase{"0.005", {1, 2}, Reason::LeavesRaster, 2},
                                           ShiftCase{"0.00625", {1, 2}, std::nullopt},
                                           ShiftCase{"-0.025", {1, 2}, std::nullopt},
                                           ShiftCase{"1", {1, 2}, std::nullopt}));

} // namespace
} // namespace vrx

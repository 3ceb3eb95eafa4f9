#include "channels/channel_operations.h"

#include "fake_cell_edit_view.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using test::FakeCellEditView;

class ChannelOps : public ::testing::Test {
protected:
    ChannelTable table;
    UiTexts texts = test::englishTexts();
    FakeCellEditView view;
    CellEditController ctl{table, texts, view};
    RadioSettings settings;
    BandPlan bands;
    ChannelOperations ops{table, texts, ctl, settings, bands};
    test::GridDriver grid{ctl, view};

    void SetUp() override {
        bands.setList(BandList::Band1Rx, {QStringLiteral("400-470MHz")}, 0);
        view.visibleRows = 200; // everything in view
    }
    void makeChannel(int row, const QString &rxFreq) {
        table.setText(RxFreqCol, row, rxFreq);
        table.fillDefaults(row, texts);
    }
    ChannelRow defaultsFor(const QString &freq) const {
        return {freq,           texts.offText,  freq,         texts.offText,
                texts.highText, texts.wideText, texts.onText, texts.offText};
    }
    // Activates (col, row) without a click's toggle: the cell is made current while its
    // row is empty.
    void makeCurrent(int col, int row) {
        const ChannelRow saved = table.row(row);
        table.clearRow(row);
        grid.click(col, row);
        table.setRow(row, saved);
    }
};

TEST_F(ChannelOps, MoveDownExchangesTheChannelAndTakesTheSelectionAlong) {
    makeChannel(10, QStringLiteral("430.00000"));
    const ChannelRow ten = table.row(10);
    table.setRow(11, {"431.00000", "D023N", "436.00000", "67.0", "Low", "Narrow", "OFF", "ON"});
    const ChannelRow eleven = table.row(11);
    grid.click(RxFreqCol, 10);

    ops.moveDown();
    EXPECT_EQ(table.row(11), ten);
    EXPECT_EQ(table.row(10), eleven);
    EXPECT_EQ(ctl.currentRow(), 11);
    EXPECT_EQ(view.gridCell, QPoint(RxFreqCol, 11));
    EXPECT_TRUE(view.editorVisible);
    EXPECT_EQ(view.editorCell, QPoint(RxFreqCol, 11));
    EXPECT_EQ(view.editorText, QStringLiteral("430.00000"));
}

TEST_F(ChannelOps, MoveUpIsTheMirrorImage) {
    makeChannel(9, QStringLiteral("429.00000"));
    makeChannel(10, QStringLiteral("430.00000"));
    grid.click(TxFreqCol, 10);
    ops.moveUp();
    EXPECT_EQ(table.text(RxFreqCol, 9), QStringLiteral("430.00000"));
    EXPECT_EQ(table.text(RxFreqCol, 10), QStringLiteral("429.00000"));
    EXPECT_EQ(ctl.currentRow(), 9);
    EXPECT_EQ(view.editorText, QStringLiteral("430.00000"));
}

TEST_F(ChannelOps, AMoveCommitsTheTypedFrequencyFirst) {
    grid.click(RxFreqCol, 10);
    grid.typeText(QStringLiteral("438.5"));
    ops.moveDown();
    EXPECT_EQ(table.row(11), defaultsFor(QStringLiteral("438.50000")));
    EXPECT_EQ(table.row(10), ChannelRow{});
    EXPECT_EQ(view.editorText, QStringLiteral("438.50000"));
}

TEST_F(ChannelOps, AToggleSwitchedByTheMoveEndsUpUnswitched) {
    makeChannel(10, QStringLiteral("430.00000"));
    makeChannel(11, QStringLiteral("431.00000"));
    table.setText(PowerCol, 10, texts.lowText);
    makeCurrent(PowerCol, 10);

    ops.moveDown(); // the activation on row 11 switches its High, then the rows swap
    EXPECT_EQ(table.row(10), defaultsFor(QStringLiteral("431.00000")));
    EXPECT_EQ(table.text(PowerCol, 11), texts.lowText);
    EXPECT_EQ(table.text(RxFreqCol, 11), QStringLiteral("430.00000"));
    EXPECT_EQ(ctl.currentRow(), 11);
}

TEST_F(ChannelOps, AnOpenTonePickerFollowsTheExchangedTone) {
    makeChannel(10, QStringLiteral("430.00000"));
    makeChannel(11, QStringLiteral("431.00000"));
    table.setText(RxToneCol, 10, QStringLiteral("88.5"));
    grid.click(RxToneCol, 10);

    ops.moveDown();
    ASSERT_TRUE(view.pickerVisible);
    EXPECT_EQ(view.pickerCell, QPoint(RxToneCol, 11));
    EXPECT_EQ(view.pickerIndex, toneIndex(QStringLiteral("88.5"), texts.offText));
    // Leaving the picker writes what it shows: the moved channel's own tone.
    ctl.tonePickerFocusLost(toneList(texts.offText).at(view.pickerIndex));
    EXPECT_EQ(table.text(RxToneCol, 11), QStringLiteral("88.5"));
    EXPECT_EQ(table.text(RxToneCol, 10), texts.offText);
}

TEST_F(ChannelOps, MovingFromAnEmptyChannelOnlyMovesTheSelection) {
    makeChannel(11, QStringLiteral("431.00000"));
    const ChannelRow eleven = table.row(11);
    grid.click(RxFreqCol, 10);
    ops.moveDown();
    EXPECT_EQ(table.row(10), ChannelRow{});
    EXPECT_EQ(table.row(11), eleven);
    EXPECT_EQ(ctl.currentRow(), 11);
    EXPECT_EQ(view.gridCell, QPoint(RxFreqCol, 11));
    EXPECT_EQ(view.editorText, QStringLiteral("431.00000"));

    grid.typeText(QStringLiteral("44")); // digits now go into channel 11
    EXPECT_EQ(table.text(RxFreqCol, 11), QStringLiteral("44"));
    EXPECT_EQ(table.row(10), ChannelRow{});
}

struct EdgeMove {
    int row;
    int delta;
};

class MoveAtTheEdge : public ChannelOps, public ::testing::WithParamInterface<EdgeMove> {};

TEST_P(MoveAtTheEdge, ChangesNothing) {
    const int row = GetParam().row;
    const int neighbour = row - GetParam().delta;
    makeChannel(row, QStringLiteral("430.00000"));
    makeChannel(neighbour, QStringLiteral("431.00000"));
    view.firstVisibleRow = 1;
    ctl.selectCell(RxFreqCol, row);
    const ChannelRow before = table.row(row);
    const int moves = int(view.programMoves.size());
    GetParam().delta > 0 ? ops.moveDown() : ops.moveUp();
    EXPECT_EQ(table.row(row), before);
    EXPECT_EQ(table.text(RxFreqCol, neighbour), QStringLiteral("431.00000"));
    EXPECT_EQ(ctl.currentRow(), row);
    EXPECT_EQ(view.programMoves.size(), moves);
    EXPECT_EQ(view.editorText, QStringLiteral("430.00000"));
}

INSTANTIATE_TEST_SUITE_P(Edges, MoveAtTheEdge,
                         ::testing::Values(EdgeMove{1, -1}, EdgeMove{kChannelCount, +1}));

TEST_F(ChannelOps, AMoveStopsWhenTheCommitFails) {
    table.setRow(10, {"abc", "OFF", "abc", "OFF", "High", "Wide", "ON", "OFF"});
    makeChannel(11, QStringLiteral("431.00000"));
    makeCurrent(RxFreqCol, 10);
    ops.moveDown();
    EXPECT_EQ(view.errors.size(), 1);
    EXPECT_EQ(ctl.currentRow(), 10);
    EXPECT_EQ(table.text(RxFreqCol, 10), QStringLiteral("abc"));
    EXPECT_EQ(table.text(RxFreqCol, 11), QStringLiteral("431.00000"));
}

TEST_F(ChannelOps, DeleteEmptiesTheChannelAndHidesTheEditors) {
    makeChannel(7, QStringLiteral("430.00000"));
    makeChannel(8, QStringLiteral("431.00000"));
    grid.click(RxFreqCol, 7);
    grid.typeText(QStringLiteral("44")); // not committed: delete does not commit
    ops.deleteCurrentChannel();
    EXPECT_EQ(table.row(7), ChannelRow{});
    EXPECT_EQ(table.text(RxFreqCol, 8), QStringLiteral("431.00000"));
    EXPECT_EQ(view.editorText, QString());
    EXPECT_FALSE(view.editorVisible);
    EXPECT_FALSE(view.pickerVisible);
    EXPECT_EQ(ctl.currentRow(), 7);
    EXPECT_EQ(view.gridCell, QPoint(RxFreqCol, 7));

    grid.click(TxToneCol, 8);
    grid.click(TxToneCol, 7); // an empty channel: stays empty
    ops.deleteCurrentChannel();
    EXPECT_EQ(table.row(7), ChannelRow{});
    EXPECT_FALSE(view.pickerVisible);
}

class Confirmed : public ChannelOps {
protected:
    void SetUp() override {
        ChannelOps::SetUp();
        for (int row = 1; row <= kChannelCount; ++row)
            makeChannel(row, QStringLiteral("430.00000"));
        settings.setIndex(Option::FreqStep, 0);
        settings.setIndex(Option::SpreadFreq, 1);
        settings.setIndex(Option::Band, 1);
        settings.setDrive(Drive::High, 200);
        settings.setDrive(Drive::Low1, 12);
        makeCurrent(PowerCol, 10);
        view.programMoves.clear();
    }
    void expectAllChannelsEmpty() {
        for (int row = 1; row <= kChannelCount; ++row)
            ASSERT_EQ(table.row(row), ChannelRow{}) << row;
        EXPECT_EQ(table.text(NumberCol, 1), QStringLiteral("001"));
    }
};

TEST_F(Confirmed, NewPlanResetsEverythingAndOpensTheEditorOnChannelOne) {
    ops.acceptNewPlan();
    expectAllChannelsEmpty();
    EXPECT_EQ(settings.indexes(), defaultOptionIndexes());
    EXPECT_EQ(settings.drives(), (DriveValues{79, 45, 45}));
    // Column 1 first, then row 1: two program moves.
    EXPECT_EQ(view.programMoves, (QList<QPoint>{{RxFreqCol, 10}, {RxFreqCol, 1}}));
    EXPECT_EQ(ctl.currentCol(), RxFreqCol);
    EXPECT_EQ(ctl.currentRow(), 1);
    EXPECT_TRUE(view.editorVisible);
    EXPECT_EQ(view.editorCell, QPoint(RxFreqCol, 1));
    EXPECT_EQ(view.editorText, QString());
}

TEST_F(Confirmed, NewPlanOnChannelOneActivatesNothing) {
    grid.click(RxFreqCol, 1);
    grid.typeText(QStringLiteral("4"));
    ctl.gridRepainted();
    ctl.hideEditors();
    view.programMoves.clear();
    ops.acceptNewPlan();
    expectAllChannelsEmpty();
    EXPECT_TRUE(view.programMoves.isEmpty());
    EXPECT_FALSE(view.editorVisible);
    EXPECT_EQ(view.editorText, QString());
}

TEST_F(Confirmed, ClearChannelsLeavesTheOptionsAndHidesTheEditors) {
    const OptionIndexes options = settings.indexes();
    const DriveValues drives = settings.drives();
    ops.acceptClearChannels();
    expectAllChannelsEmpty();
    EXPECT_EQ(settings.indexes(), options);
    EXPECT_EQ(settings.drives(), drives);
    EXPECT_EQ(view.gridCell, QPoint(RxFreqCol, 1));
    EXPECT_EQ(ctl.currentRow(), 1);
    EXPECT_FALSE(view.editorVisible);
    EXPECT_FALSE(view.pickerVisible);
}

class AutoFill : public ChannelOps {
protected:
    QString rx(int row) const { return table.text(RxFreqCol, row); }
};

TEST_F(AutoFill, FromACompleteChannelAddsOneChannelPerTick) {
    settings.setIndex(Option::FreqStep, 3); // 12.5 kHz
    makeChannel(5, QStringLiteral("438.50000"));
    table.setRow(6, {"100.00000", "D023N", "101.00000", "67.0", "Low", "Narrow", "OFF", "ON"});
    grid.click(RxFreqCol, 5);

    ops.autoFillPressed();
    EXPECT_TRUE(ops.autoFillArmed());
    EXPECT_EQ(ops.autoFillIntervalMs(), 1000);
    EXPECT_EQ(table.row(6), defaultsFor(QStringLiteral("438.51250"))); // overwritten whole
    EXPECT_EQ(ctl.currentRow(), 6);
    EXPECT_EQ(view.gridCell, QPoint(RxFreqCol, 6));
    EXPECT_EQ(view.editorText, QStringLiteral("438.51250"));

    ops.autoFillTick();
    EXPECT_EQ(ops.autoFillIntervalMs(), 200);
    EXPECT_EQ(table.row(7), defaultsFor(QStringLiteral("438.52500")));
    ops.autoFillTick();
    EXPECT_EQ(table.row(8), defaultsFor(QStringLiteral("438.53750")));
    EXPECT_EQ(ctl.currentRow(), 8);
    EXPECT_EQ(view.editorCell, QPoint(RxFreqCol, 8));
    EXPECT_EQ(view.editorText, QStringLiteral("438.53750"));

    ops.autoFillReleased();
    EXPECT_FALSE(ops.autoFillArmed());
    ops.autoFillTick(); // a tick that was already queued
    EXPECT_EQ(table.row(9), ChannelRow{});
    EXPECT_EQ(table.row(5), defaultsFor(QStringLiteral("438.50000")));
}

TEST_F(AutoFill, IntervalsCanBeShortened) {
    makeChannel(5, QStringLiteral("438.50000"));
    grid.click(RxFreqCol, 5);
    ops.setAutoFillIntervals(20, 5);
    ops.autoFillPressed();
    EXPECT_EQ(ops.autoFillIntervalMs(), 20);
    ops.autoFillTick();
    EXPECT_EQ(ops.autoFillIntervalMs(), 5);
    ops.autoFillReleased();

    ops.setAutoFillIntervals(0, -3); // never a timer that fires whenever the loop is idle
    ops.autoFillPressed();
    EXPECT_EQ(ops.autoFillIntervalMs(), 1);
    ops.autoFillTick();
    EXPECT_EQ(ops.autoFillIntervalMs(), 1);
}

TEST_F(AutoFill, FromAnEmptyChannelStartsAtTheBandsLowerEdge) {
    grid.click(RxFreqCol, 3);
    ops.autoFillPressed();
    EXPECT_EQ(table.row(3), defaultsFor(QStringLiteral("400.00000")));
    EXPECT_EQ(table.row(4), ChannelRow{});
    EXPECT_EQ(ctl.currentRow(), 3);
    EXPECT_EQ(view.editorText, QStringLiteral("400.00000"));
    ops.autoFillTick(); // default step 25 kHz
    EXPECT_EQ(table.row(4), defaultsFor(QStringLiteral("400.02500")));
    ops.autoFillTick();
    EXPECT_EQ(rx(5), QStringLiteral("400.05000"));
}

TEST_F(AutoFill, FromAPendingChannelCompletesItFirst) {
    settings.setIndex(Option::FreqStep, 1); // 6.25 kHz
    grid.click(RxFreqCol, 3);
    grid.typeText(QStringLiteral("400"));
    ops.autoFillPressed();
    EXPECT_EQ(table.row(3), defaultsFor(QStringLiteral("400.00000")));
    EXPECT_EQ(table.row(4), ChannelRow{});
    ops.autoFillTick();
    ops.autoFillTick();
    EXPECT_EQ(rx(4), QStringLiteral("400.00625"));
    EXPECT_EQ(rx(5), QStringLiteral("400.01250"));
}

TEST_F(AutoFill, AnOffRasterStartMovesOntoTheRaster) {
    settings.setIndex(Option::FreqStep, 0); // 5 kHz
    table.setRow(3, {"438.5031", "OFF", "438.5031", "OFF", "High", "Wide", "ON", "OFF"});
    makeCurrent(RxFreqCol, 3);
    ops.autoFillPressed();
    EXPECT_EQ(rx(4), QStringLiteral("438.51000"));
    EXPECT_EQ(rx(3), QStringLiteral("438.5031")); // the start row is not rewritten
}

TEST_F(AutoFill, RunsUpTo550AndStopsAtChannel199) {
    makeChannel(190, QStringLiteral("549.95000"));
    makeCurrent(RxFreqCol, 190);
    ops.autoFillPressed();
    for (int tick = 0; tick < 12; ++tick)
        ops.autoFillTick();
    EXPECT_EQ(rx(191), QStringLiteral("549.97500"));
    for (int row = 192; row <= kChannelCount; ++row)
        EXPECT_EQ(table.row(row), defaultsFor(QStringLiteral("550.00000"))) << row;
    EXPECT_EQ(ctl.currentRow(), kChannelCount);
    EXPECT_TRUE(ops.autoFillArmed()); // until the release
    EXPECT_EQ(table.text(NumberCol, 1), QStringLiteral("001"));
}

TEST_F(AutoFill, OnACompleteChannel199ChangesNothing) {
    makeChannel(198, QStringLiteral("430.00000"));
    makeChannel(kChannelCount, QStringLiteral("431.00000"));
    makeCurrent(RxFreqCol, kChannelCount);
    ops.autoFillPressed();
    ops.autoFillTick();
    EXPECT_EQ(rx(kChannelCount), QStringLiteral("431.00000"));
    EXPECT_EQ(rx(198), QStringLiteral("430.00000"));
    EXPECT_EQ(ctl.currentRow(), kChannelCount);
    EXPECT_TRUE(ops.autoFillArmed());
}

TEST_F(AutoFill, InAToggleColumnTheMoveSwitchesTheNewRows) {
    makeChannel(5, QStringLiteral("438.50000"));
    makeCurrent(PowerCol, 5);
    ops.autoFillPressed();
    ops.autoFillTick();
    EXPECT_EQ(table.text(PowerCol, 5), texts.highText);
    EXPECT_EQ(table.text(PowerCol, 6), texts.lowText);
    EXPECT_EQ(table.text(PowerCol, 7), texts.lowText);
    EXPECT_EQ(table.text(RxFreqCol, 7), QStringLiteral("438.55000"));
    EXPECT_FALSE(view.editorVisible);
}

TEST_F(AutoFill, ARowThatIsNoNumberIsReportedOnceAndStopsTheFilling) {
    table.setRow(5, {"abc", "OFF", "abc", "OFF", "High", "Wide", "ON", "OFF"});
    makeCurrent(RxFreqCol, 5);
    ops.autoFillPressed();
    ops.autoFillTick();
    EXPECT_EQ(view.errors.size(), 1);
    EXPECT_FALSE(ops.autoFillArmed());
    EXPECT_EQ(table.row(6), ChannelRow{});
    EXPECT_EQ(ctl.currentRow(), 5);
}

TEST_F(AutoFill, APendingRowThatIsNoNumberIsReportedOnce) {
    table.setText(RxFreqCol, 5, QStringLiteral("4x"));
    makeCurrent(RxFreqCol, 5);
    ops.autoFillPressed();
    ops.autoFillTick();
    EXPECT_EQ(view.errors.size(), 1);
    EXPECT_FALSE(ops.autoFillArmed());
    EXPECT_EQ(table.row(6), ChannelRow{});
}

struct StartCase {
    QStringList entries;
    int selected;
    const char *start;
};

class AutoFillStart : public ChannelOps, public ::testing::WithParamInterface<StartCase> {};

TEST_P(AutoFillStart, ComesFromBand1RxOrTheDefaultBand) {
    bands.setList(BandList::Band1Rx, GetParam().entries, GetParam().selected);
    grid.click(RxFreqCol, 1);
    ops.autoFillPressed();
    EXPECT_EQ(table.row(1), defaultsFor(QString::fromUtf8(GetParam().start)));
    EXPECT_TRUE(view.errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Bands, AutoFillStart,
    ::testing::Values(StartCase{{"400-470MHz", "136-174MHz"}, 1, "136.00000"},
                      StartCase{{"430-440MHz"}, 0, "430.00000"},
                      StartCase{{"050-070MHz"}, 0, "100.00000"}, // clamped like any value
                      StartCase{{"600-700MHz"}, 0, "550.00000"},
                      // No usable start: the built-in default band's lower edge.
                      StartCase{{}, -1, "400.00000"}, StartCase{{"430-440MHz"}, -1, "400.00000"},
                      StartCase{{"abc-470MHz"}, 0, "400.00000"}, StartCase{{"43"}, 0, "400.00000"},
                      StartCase{{""}, 0, "400.00000"}, StartCase{{"4 0-470MHz"}, 0, "400.00000"}));

} // namespace
} // namespace vrx

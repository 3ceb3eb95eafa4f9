#include "channels/plan_history.h"

#include "channels/value_words.h"
#include "test_texts.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

class History : public ::testing::Test {
protected:
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;
    UiTexts texts = test::englishTexts();
    PlanHistory history{table, settings, bands};

    void makeChannel(int row, const QString &freq) {
        table.setText(RxFreqCol, row, freq);
        table.fillDefaults(row, texts);
    }
};

TEST_F(History, CellEditsBetweenStepsAreOneStepNamedByWhatChanged) {
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.undoName());
    // Typing shows every key in the cell; the commit fills the defaults: one step.
    table.setText(RxFreqCol, 3, "4");
    table.setText(RxFreqCol, 3, "43");
    makeChannel(3, "438.50000");
    EXPECT_TRUE(history.recordChannelChanges());
    EXPECT_FALSE(history.recordChannelChanges()) << "nothing new";
    table.setText(PowerCol, 3, texts.lowText);
    EXPECT_EQ(history.undoName(), PackId::StepToggle) << "pending changes are what undo takes";
    history.recordChannelChanges();
    table.setText(TxToneCol, 3, "67.0");
    history.recordChannelChanges();
    table.clearRow(3);
    history.recordChannelChanges();
    EXPECT_EQ(history.undoCount(), 4);

    const PackId expected[] = {PackId::StepDeleteChannel, PackId::StepTone, PackId::StepToggle,
                               PackId::StepEditCell};
    for (PackId name : expected) {
        EXPECT_EQ(history.undoName(), name);
        EXPECT_TRUE(history.undo());
    }
    EXPECT_EQ(table.row(3), ChannelRow{});
    EXPECT_FALSE(history.undo());
    // Redo walks forward to the end again.
    while (history.redo()) {
    }
    EXPECT_EQ(table.row(3), ChannelRow{});
    history.undo();
    EXPECT_EQ(table.text(TxToneCol, 3), "67.0");
    EXPECT_EQ(table.text(PowerCol, 3), "Low");
}

TEST_F(History, UndoTakesPendingEditsBackFirstAndANewChangeDropsTheRedoSteps) {
    makeChannel(1, "400.00000");
    history.recordChannelChanges();
    makeChannel(2, "401.00000"); // not yet recorded
    EXPECT_TRUE(history.undo());
    EXPECT_TRUE(table.isEmptyChannel(2));
    EXPECT_FALSE(table.isEmptyChannel(1));
    EXPECT_EQ(history.redoName(), PackId::StepEditCell);
    makeChannel(5, "405.00000");
    EXPECT_FALSE(history.redoName()) << "a change after an undo ends the redo line";
    EXPECT_FALSE(history.redo());
    EXPECT_FALSE(history.canRedo());
    history.undo();
    EXPECT_TRUE(table.isEmptyChannel(5));
    EXPECT_TRUE(history.undo());
    EXPECT_TRUE(table.isEmptyChannel(1));
}

TEST_F(History, NamedStepsKeepSettingsOnlyWhenTheyTakeThem) {
    makeChannel(1, "400.00000");
    history.recordChannelChanges();
    // An option changed on the options page is no step and no undo touches it...
    settings.setIndex(Option::Squelch, 7);
    history.runStep(PackId::StepSort, StepScope::Channels, [&] { makeChannel(2, "401.00000"); });
    history.undo();
    EXPECT_EQ(settings.index(Option::Squelch), 7);
    EXPECT_TRUE(table.isEmptyChannel(2));
    history.redo();

    // ...but one that replaced everything gives the settings and bands back.
    bands.setList(BandList::Band1Rx, {"400-470MHz"}, 0);
    history.runStep(PackId::StepOpenFile, StepScope::Everything, [&] {
        table.clearAll();
        settings.resetToDefaults();
        settings.setDrive(Drive::High, 12);
        bands.selectOrAppend(BandList::Band1Rx, "350-390MHz");
        makeChannel(9, "350.00000");
    });
    EXPECT_EQ(history.undoName(), PackId::StepOpenFile);
    history.undo();
    EXPECT_EQ(settings.index(Option::Squelch), 7);
    EXPECT_EQ(bands.entries(BandList::Band1Rx), QStringList{"400-470MHz"});
    EXPECT_EQ(bands.selected(BandList::Band1Rx), 0);
    EXPECT_EQ(table.text(RxFreqCol, 2), "401.00000");
    EXPECT_TRUE(table.isEmptyChannel(9));
    history.redo();
    EXPECT_EQ(settings.drive(Drive::High), 12);
    EXPECT_EQ(bands.displayedText(BandList::Band1Rx), "350-390MHz");
    EXPECT_EQ(table.text(RxFreqCol, 9), "350.00000");
}

TEST_F(History, AnOpenStepHoldsBackCellEditsAndAStepWithoutChangeIsNoStep) {
    history.beginStep(PackId::StepAutoFill);
    makeChannel(1, "400.00000");
    EXPECT_FALSE(history.recordChannelChanges());
    history.beginStep(PackId::StepPaste); // no nesting: ignored
    makeChannel(2, "400.02500");
    EXPECT_FALSE(history.endStep());
    EXPECT_TRUE(history.endStep());
    EXPECT_EQ(history.undoCount(), 1);
    EXPECT_EQ(history.undoName(), PackId::StepAutoFill);
    EXPECT_FALSE(history.runStep(PackId::StepSort, StepScope::Everything, [] {}));
    EXPECT_EQ(history.undoCount(), 1);
}

TEST_F(History, ARecordedReplacementIsOneStepAfterThePendingEdits) {
    makeChannel(4, "440.00000"); // pending edit
    const PlanSnapshot before = history.capture(StepScope::Channels);
    table.clearAll();
    makeChannel(1, "430.00000");
    EXPECT_TRUE(
        history.recordStep(PackId::StepPaste, before, history.capture(StepScope::Channels)));
    EXPECT_EQ(history.undoCount(), 2);
    history.undo();
    EXPECT_EQ(table.text(RxFreqCol, 4), "440.00000");
    EXPECT_TRUE(table.isEmptyChannel(1));
    history.undo();
    EXPECT_TRUE(table.isEmptyChannel(4));
}

TEST_F(History, KeepsTheLastTwoHundredSteps) {
    EXPECT_GE(PlanHistory::kDefaultLimit, 200);
    for (int i = 1; i <= PlanHistory::kDefaultLimit + 5; ++i) {
        table.setText(RxFreqCol, 1, QString::number(i));
        history.recordChannelChanges();
    }
    EXPECT_EQ(history.undoCount(), PlanHistory::kDefaultLimit);
    while (history.undo()) {
    }
    EXPECT_EQ(table.text(RxFreqCol, 1), "5") << "the oldest five steps were dropped";
}

TEST_F(History, ALanguageSwitchIsNoStepAndRewritesTheStoredWords) {
    makeChannel(1, "400.00000");
    history.recordChannelChanges();
    table.setText(PowerCol, 1, texts.lowText);
    history.recordChannelChanges();
    UiTexts chinese; // the built-in Chinese words
    for (int col = RxToneCol; col <= BusyLockCol; ++col)
        table.setText(col, 1, translatedValue(col, table.text(col, 1), chinese));
    history.translateValues(chinese);
    EXPECT_FALSE(history.hasPendingChanges());
    EXPECT_EQ(history.undoCount(), 2);
    history.undo();
    EXPECT_EQ(table.text(PowerCol, 1), chinese.highText);
    EXPECT_EQ(table.text(ScanCol, 1), chinese.onText);
    history.redo();
    EXPECT_EQ(table.text(PowerCol, 1), chinese.lowText);
}

// The clean position: what was last opened, saved, read or made new.
TEST_F(History, ModifiedUntilUndoOrRedoReturnsToTheCleanStep) {
    EXPECT_FALSE(history.isModified()) << "a new window holds the plan it was made with";
    makeChannel(1, "400.00000");
    EXPECT_TRUE(history.isModified()) << "an edit not yet recorded counts";
    history.recordChannelChanges();
    makeChannel(2, "401.00000");
    history.recordChannelChanges();
    history.markClean(); // saved with two channels
    EXPECT_FALSE(history.isModified());

    history.undo();
    EXPECT_TRUE(history.isModified());
    history.redo();
    EXPECT_FALSE(history.isModified()) << "redo back to the saved step";
    makeChannel(3, "402.00000");
    history.recordChannelChanges();
    EXPECT_TRUE(history.isModified());
    history.undo();
    EXPECT_FALSE(history.isModified()) << "undo back to the saved step";

    // Undone past the clean step, then a new change: the saved plan is out of reach.
    history.undo();
    makeChannel(5, "405.00000");
    history.recordChannelChanges();
    history.undo();
    EXPECT_TRUE(history.isModified());
    EXPECT_TRUE(history.redo());
    EXPECT_TRUE(history.isModified());
    while (history.undo())
        EXPECT_TRUE(history.isModified()) << "no step leads back to the saved plan";
}

TEST_F(History, OptionsAndBandsCountAndANamedStepIsCleanAfterMarking) {
    settings.setIndex(Option::Squelch, 7);
    EXPECT_TRUE(history.isModified()) << "an option is no step but changes the plan";
    settings.setIndex(Option::Squelch, RadioSettings{}.index(Option::Squelch));
    EXPECT_FALSE(history.isModified());
    settings.setDrive(Drive::High, 200);
    EXPECT_TRUE(history.isModified());

    // Opening a file: one step over everything, and its result is the clean plan.
    history.runStep(PackId::StepOpenFile, StepScope::Everything, [this] {
        bands.setList(BandList::Band1Rx, {"136-174MHz"}, 0);
        makeChannel(4, "438.50000");
    });
    history.markClean();
    EXPECT_FALSE(history.isModified());
    history.undo();
    EXPECT_TRUE(history.isModified());
    history.redo();
    EXPECT_FALSE(history.isModified());
    bands.setList(BandList::Band2Tx, {"400-470MHz"}, 0);
    EXPECT_TRUE(history.isModified());
}

TEST_F(History, ALanguageSwitchAloneModifiesNothing) {
    makeChannel(1, "400.00000");
    history.recordChannelChanges();
    history.markClean();
    UiTexts chinese;
    for (int col = RxToneCol; col <= BusyLockCol; ++col)
        table.setText(col, 1, translatedValue(col, table.text(col, 1), chinese));
    history.translateValues(chinese);
    EXPECT_FALSE(history.isModified());
    table.setText(PowerCol, 1, chinese.lowText);
    EXPECT_TRUE(history.isModified());
}

TEST_F(History, TheNumberSelectionFollowsThePlanThroughUndoAndRedo) {
    RowSelection selection;
    history.followSelection(&selection);
    makeChannel(1, "400.00000");
    makeChannel(2, "401.00000");
    history.recordChannelChanges();
    selection.click(1, RowSelection::Click::Plain);
    selection.click(2, RowSelection::Click::Extend);
    // A move that leaves the moved channels selected where they landed.
    history.runStep(PackId::StepMoveChannels, StepScope::Channels, [&] {
        table.setRow(5, table.row(1));
        table.setRow(6, table.row(2));
        table.clearRow(1);
        table.clearRow(2);
        selection.click(5, RowSelection::Click::Plain);
        selection.click(6, RowSelection::Click::Extend);
    });
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(selection.rows(), (QList<int>{1, 2}));
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(selection.rows(), (QList<int>{5, 6}));

    // A whole new plan (open, read, new) starts with nothing selected; undo brings it back.
    history.runStep(PackId::StepOpenFile, StepScope::Everything, [&] { table.clearAll(); });
    EXPECT_TRUE(selection.isEmpty());
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(selection.rows(), (QList<int>{5, 6}));
    EXPECT_EQ(table.text(RxFreqCol, 5), "400.00000");
}

} // namespace
} // namespace vrx

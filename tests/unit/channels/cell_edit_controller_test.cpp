#include "channels/cell_edit_controller.h"

#include "fake_cell_edit_view.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using test::FakeCellEditView;
using Focus = FakeCellEditView::Focus;

class CellEditing : public ::testing::Test {
protected:
    ChannelTable table;
    UiTexts texts = test::englishTexts();
    FakeCellEditView view;
    CellEditController ctl{table, texts, view};
    test::GridDriver grid{ctl, view};

    void makeChannel(int row, const QString &rxFreq) {
        table.setText(RxFreqCol, row, rxFreq);
        table.fillDefaults(row, texts);
    }
    ChannelRow completeRow(const QString &freq) const {
        return {freq,           texts.offText,  freq,         texts.offText,
                texts.highText, texts.wideText, texts.onText, texts.offText};
    }
};

TEST_F(CellEditing, TypingANewFrequencyCompletesTheChannelAndReopensTheEditor) {
    grid.click(RxFreqCol, 5);
    ASSERT_TRUE(view.editorVisible);
    EXPECT_EQ(view.editorText, QString());

    grid.typeText(QStringLiteral("4"));
    EXPECT_EQ(view.focus, Focus::Editor);
    EXPECT_EQ(table.text(RxFreqCol, 5), QStringLiteral("4")); // shown while typing
    grid.typeText(QStringLiteral("00"));
    EXPECT_EQ(table.text(RxFreqCol, 5), QStringLiteral("400"));
    EXPECT_TRUE(table.isPendingChannel(5));

    grid.enter();
    EXPECT_EQ(table.row(5), completeRow(QStringLiteral("400.00000")));
    EXPECT_TRUE(view.editorVisible);
    EXPECT_EQ(view.editorCell, QPoint(RxFreqCol, 5));
    EXPECT_EQ(view.editorText, QStringLiteral("400.00000"));
    EXPECT_EQ(view.focus, Focus::Grid);
    EXPECT_TRUE(view.errors.isEmpty());
}

TEST_F(CellEditing, ADigitInTheGridStartsANewValue) {
    makeChannel(3, QStringLiteral("438.50000"));
    grid.click(TxFreqCol, 3);
    ASSERT_EQ(view.editorText, QStringLiteral("438.50000"));

    grid.type(Qt::Key_7, QStringLiteral("7"));
    EXPECT_EQ(view.editorText, QStringLiteral("7"));
    EXPECT_EQ(view.caret, 1);
    EXPECT_EQ(view.focus, Focus::Editor);
    grid.typeText(QStringLiteral("00"));
    grid.enter();
    // TxFreq is clamped on its own; RxFreq is not tied to it.
    EXPECT_EQ(table.text(TxFreqCol, 3), QStringLiteral("550.00000"));
    EXPECT_EQ(table.text(RxFreqCol, 3), QStringLiteral("438.50000"));
}

TEST_F(CellEditing, EnterInTheGridFocusesTheEditorWithItsText) {
    makeChannel(3, QStringLiteral("438.50000"));
    grid.click(RxFreqCol, 3);
    EXPECT_TRUE(ctl.gridKeyPressed(Qt::Key_Return, QStringLiteral("\r")));
    EXPECT_EQ(view.focus, Focus::Editor);
    EXPECT_EQ(view.editorText, QStringLiteral("438.50000"));
}

TEST_F(CellEditing, GridKeysAreIgnoredOutsideFrequencyCells) {
    makeChannel(3, QStringLiteral("438.50000"));
    const auto check = [&](int col, int row) {
        grid.click(col, row);
        EXPECT_FALSE(ctl.gridKeyPressed(Qt::Key_4, QStringLiteral("4"))) << col << "," << row;
        EXPECT_FALSE(ctl.gridKeyPressed(Qt::Key_Return, QStringLiteral("\r")));
        EXPECT_EQ(view.focus, Focus::Grid);
    };
    check(PowerCol, 3);
    check(RxToneCol, 3);
    check(TxFreqCol, 4); // TxFreq of an empty channel
    // In a frequency cell only digits and Enter mean something.
    grid.click(RxFreqCol, 3);
    EXPECT_FALSE(ctl.gridKeyPressed(Qt::Key_A, QStringLiteral("a")));
    EXPECT_EQ(view.editorText, QStringLiteral("438.50000"));
    EXPECT_EQ(view.focus, Focus::Grid);
}

TEST_F(CellEditing, ClickingAnotherCellCommitsThePendingChannelFirst) {
    grid.click(RxFreqCol, 5);
    grid.typeText(QStringLiteral("438.5"));
    grid.click(RxToneCol, 5);
    EXPECT_EQ(table.row(5), completeRow(QStringLiteral("438.50000")));
    EXPECT_TRUE(view.pickerVisible);
    EXPECT_EQ(view.pickerIndex, 0); // OffText
    EXPECT_FALSE(view.editorVisible);
}

struct EmptyChannelClick {
    int col;
    bool opensEditor;
};

class ClickOnEmptyChannel : public CellEditing,
                            public ::testing::WithParamInterface<EmptyChannelClick> {};

TEST_P(ClickOnEmptyChannel, OnlyRxFreqOpensAnEditor) {
    grid.click(GetParam().col, 8);
    EXPECT_EQ(view.editorVisible, GetParam().opensEditor);
    EXPECT_FALSE(view.pickerVisible);
    EXPECT_EQ(table.row(8), ChannelRow{});
    EXPECT_EQ(ctl.currentCol(), GetParam().col);
    EXPECT_EQ(ctl.currentRow(), 8);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ClickOnEmptyChannel,
    ::testing::Values(EmptyChannelClick{RxFreqCol, true}, EmptyChannelClick{RxToneCol, false},
                      EmptyChannelClick{TxFreqCol, false}, EmptyChannelClick{TxToneCol, false},
                      EmptyChannelClick{PowerCol, false}, EmptyChannelClick{BandwidthCol, false},
                      EmptyChannelClick{ScanCol, false}, EmptyChannelClick{BusyLockCol, false}));

struct ToggleCase {
    int col;
    const char *start;
    const char *afterOne;
    const char *afterTwo;
};

class ToggleByClick : public CellEditing, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(ToggleByClick, EachClickSwitchesTheValue) {
    makeChannel(4, QStringLiteral("438.50000"));
    table.setText(GetParam().col, 4, QString::fromUtf8(GetParam().start));
    grid.click(GetParam().col, 4);
    EXPECT_EQ(table.text(GetParam().col, 4), QString::fromUtf8(GetParam().afterOne));
    grid.click(GetParam().col, 4); // the cell that already is current
    EXPECT_EQ(table.text(GetParam().col, 4), QString::fromUtf8(GetParam().afterTwo));
    EXPECT_FALSE(view.editorVisible);
    EXPECT_FALSE(view.pickerVisible);
}

INSTANTIATE_TEST_SUITE_P(Columns, ToggleByClick,
                         ::testing::Values(ToggleCase{PowerCol, "High", "Low", "High"},
                                           ToggleCase{PowerCol, "高功率", "High", "Low"},
                                           ToggleCase{BandwidthCol, "Wide", "Narrow", "Wide"},
                                           ToggleCase{BandwidthCol, "", "Wide", "Narrow"},
                                           ToggleCase{ScanCol, "ON", "OFF", "ON"},
                                           ToggleCase{BusyLockCol, "OFF", "ON", "OFF"},
                                           ToggleCase{BusyLockCol, "on", "OFF", "ON"}));

class Toggles : public CellEditing {
protected:
    void SetUp() override {
        for (int row = 1; row <= kChannelCount; ++row)
            makeChannel(row, QStringLiteral("438.50000"));
    }
    QString power(int row) const { return table.text(PowerCol, row); }
};

TEST_F(Toggles, ArrowKeysMoveOntoAToggleWithoutSwitchingIt) {
    grid.click(PowerCol, 3); // switches 3
    grid.keyMove(Qt::Key_Down, PowerCol, 4);
    EXPECT_EQ(power(4), texts.highText);
    EXPECT_FALSE(ctl.skipNextToggle());
    grid.keyMove(Qt::Key_Up, PowerCol, 3);
    EXPECT_EQ(power(3), texts.lowText); // as the click left it
    grid.click(PowerCol, 3);
    EXPECT_EQ(power(3), texts.highText); // a click still switches
}

TEST_F(Toggles, PageKeysHomeAndEndSwitchTheCellTheyLandOn) {
    grid.click(PowerCol, 3);
    grid.keyMove(Qt::Key_PageDown, PowerCol, 23);
    EXPECT_EQ(power(23), texts.lowText);
    grid.keyMove(Qt::Key_End, BusyLockCol, 23);
    EXPECT_EQ(table.text(BusyLockCol, 23), texts.onText);
    grid.keyMove(Qt::Key_Home, RxFreqCol, 23);
    grid.keyMove(Qt::Key_PageUp, RxFreqCol, 3);
    EXPECT_FALSE(ctl.skipNextToggle());
}

TEST_F(Toggles, AnArrowOutsideTheTogglesCancelsTheNextToggleOnly) {
    grid.click(RxFreqCol, 3);
    grid.keyMove(Qt::Key_Down, RxFreqCol, 4);
    EXPECT_TRUE(ctl.skipNextToggle()); // nothing cancelled yet
    grid.click(PowerCol, 4);
    EXPECT_EQ(power(4), texts.highText);
    EXPECT_FALSE(ctl.skipNextToggle());
    grid.click(PowerCol, 4);
    EXPECT_EQ(power(4), texts.lowText);
}

TEST_F(Toggles, AnArrowAtTheEdgeLeavesTheFlagForTheNextToggle) {
    view.firstVisibleRow = 180;
    ctl.selectCell(PowerCol, 199); // a program move switches like a click
    EXPECT_EQ(power(199), texts.lowText);
    EXPECT_FALSE(ctl.gridKeyPressed(Qt::Key_Down, QString())); // the grid cannot move on
    EXPECT_TRUE(ctl.skipNextToggle());
    grid.keyMove(Qt::Key_PageUp, PowerCol, 180);
    EXPECT_EQ(power(180), texts.highText);
    EXPECT_FALSE(ctl.skipNextToggle());
}

TEST_F(Toggles, SpaceSwitchesTheCurrentToggleAsAClickDoes) {
    grid.click(PowerCol, 3);
    grid.keyMove(Qt::Key_Down, PowerCol, 4); // arrives without switching
    EXPECT_TRUE(ctl.gridKeyPressed(Qt::Key_Space, QStringLiteral(" ")));
    EXPECT_EQ(power(4), texts.lowText);
    EXPECT_TRUE(ctl.gridKeyPressed(Qt::Key_Space, QStringLiteral(" ")));
    EXPECT_EQ(power(4), texts.highText);
    table.clearRow(5);
    grid.keyMove(Qt::Key_Down, PowerCol, 5);
    EXPECT_TRUE(ctl.gridKeyPressed(Qt::Key_Space, QStringLiteral(" ")));
    EXPECT_TRUE(table.isEmptyChannel(5)) << "an empty channel has nothing to switch";
    grid.click(RxFreqCol, 6);
    EXPECT_FALSE(ctl.gridKeyPressed(Qt::Key_Space, QStringLiteral(" ")))
        << "Space on a frequency cell is no toggle";
}

TEST_F(Toggles, SelectionMovesSwitchNothingAndKeepTheFlag) {
    grid.click(PowerCol, 3);
    ctl.moveRowKeepingToggles(13);
    EXPECT_EQ(view.gridCell, QPoint(PowerCol, 13));
    EXPECT_EQ(ctl.currentRow(), 13);
    EXPECT_EQ(power(13), texts.highText);
    EXPECT_FALSE(ctl.skipNextToggle());
    grid.click(RxFreqCol, 3);
    ctl.moveRowKeepingToggles(4);
    EXPECT_FALSE(ctl.skipNextToggle()) << "the flag is as it was";
    EXPECT_EQ(ctl.currentRow(), 4);
}

TEST_F(Toggles, TheWheelSkipsTogglesOnlyInToggleColumns) {
    grid.click(PowerCol, 3);
    ctl.wheelStep(+1);
    EXPECT_EQ(ctl.currentRow(), 4);
    EXPECT_EQ(view.gridCell, QPoint(PowerCol, 4));
    EXPECT_EQ(power(4), texts.highText);
    ctl.wheelStep(-1);
    EXPECT_EQ(ctl.currentRow(), 3);
    EXPECT_EQ(power(3), texts.lowText);

    grid.click(TxToneCol, 3);
    ctl.wheelStep(+1);
    EXPECT_FALSE(ctl.skipNextToggle());
    EXPECT_TRUE(view.pickerVisible);
    EXPECT_EQ(ctl.toneEditRow(), 4);

    grid.click(RxFreqCol, 1);
    ctl.wheelStep(-1); // nowhere to go
    EXPECT_EQ(ctl.currentRow(), 1);
}

TEST_F(Toggles, TheWheelAtTheEdgeKeepsTheFlag) {
    view.firstVisibleRow = 180;
    ctl.selectCell(ScanCol, 199);
    ctl.wheelStep(+1);
    EXPECT_TRUE(ctl.skipNextToggle());
    EXPECT_EQ(ctl.currentRow(), 199);
}

TEST_F(Toggles, NewTextsTakeEffectAtOnce) {
    texts.highText = QStringLiteral("高功率");
    texts.lowText = QStringLiteral("低功率");
    grid.click(PowerCol, 3); // "High" is no text of the new language
    EXPECT_EQ(power(3), QStringLiteral("高功率"));
    grid.click(PowerCol, 3);
    EXPECT_EQ(power(3), QStringLiteral("低功率"));
}

struct FilterCase {
    const char *editorText;
    int selected;
    int key;
    const char *text;
    bool accepted;
};

class FrequencyKeyFilter : public CellEditing, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FrequencyKeyFilter, AcceptsOnlyWhatCanFormAFrequency) {
    grid.click(RxFreqCol, 2);
    view.setFrequencyEditorText(QString::fromUtf8(GetParam().editorText));
    view.selectionLength = GetParam().selected;
    view.caret -= GetParam().selected;
    EXPECT_EQ(ctl.frequencyEditorKeyPressed(GetParam().key, QString::fromUtf8(GetParam().text)),
              GetParam().accepted);
    EXPECT_TRUE(view.editorVisible); // a filtered key does not close the editor
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FrequencyKeyFilter,
    ::testing::Values(FilterCase{"", 0, Qt::Key_4, "4", true},
                      FilterCase{"43850", 0, Qt::Key_9, "9", true},
                      // "." needs three characters before it and no other ".".
                      FilterCase{"", 0, Qt::Key_Period, ".", false},
                      FilterCase{"4", 0, Qt::Key_Period, ".", false},
                      FilterCase{"43", 0, Qt::Key_Period, ".", false},
                      FilterCase{"438", 0, Qt::Key_Period, ".", true},
                      FilterCase{"438.5", 0, Qt::Key_Period, ".", false},
                      // Nine characters at most, unless the typed one replaces a selection.
                      FilterCase{"438.5000", 0, Qt::Key_0, "0", true},
                      FilterCase{"438.50000", 0, Qt::Key_1, "1", false},
                      FilterCase{"438500000", 0, Qt::Key_Period, ".", false},
                      FilterCase{"438.50000", 9, Qt::Key_4, "4", true},
                      FilterCase{"438.50000", 1, Qt::Key_4, "4", true},
                      // Editing and caret keys work; everything else is dropped.
                      FilterCase{"438.50000", 0, Qt::Key_Backspace, "\b", true},
                      FilterCase{"438.50000", 0, Qt::Key_Delete, "\x7f", true},
                      FilterCase{"438.50000", 0, Qt::Key_Left, "", true},
                      FilterCase{"438", 0, Qt::Key_Escape, "\x1b", false},
                      FilterCase{"438", 0, Qt::Key_Minus, "-", false},
                      FilterCase{"438", 0, Qt::Key_Comma, ",", false},
                      FilterCase{"438", 0, Qt::Key_E, "e", false},
                      FilterCase{"438", 0, Qt::Key_Space, " ", false},
                      FilterCase{"438", 0, Qt::Key_V, "\x16", false}, // Ctrl+V
                      FilterCase{"438", 0, Qt::Key_Tab, "\t", true},  // on to the next control
                      FilterCase{"438", 0, Qt::Key_Backtab, "", true},
                      FilterCase{"438", 0, 0, "٤", false},    // a non-ASCII digit
                      FilterCase{"438", 0, 0, "45", false})); // composed input

TEST_F(CellEditing, TypedTextKeepsTheFilterRules) {
    grid.click(RxFreqCol, 2);
    grid.typeText(QStringLiteral(".4.3.8.5.1.2.3.4.5.6"));
    EXPECT_EQ(view.editorText, QStringLiteral("438.51234"));
    EXPECT_EQ(table.text(RxFreqCol, 2), QStringLiteral("438.51234"));
}

TEST(FoldFrequencyInput, TakesFullWidthDigitsAndStopsAsAscii) {
    EXPECT_EQ(foldFrequencyInput(QStringLiteral("４３８。５")), QStringLiteral("438.5"));
    EXPECT_EQ(foldFrequencyInput(QStringLiteral("０１２３４５６７８９．｡")),
              QStringLiteral("0123456789.."));
    EXPECT_EQ(foldFrequencyInput(QStringLiteral("4x,ａ٤")), QStringLiteral("4x,ａ٤"));
}

// An input method's commit or a paste: each character passes the key filter in turn.
TEST_F(CellEditing, InsertedTextPassesTheFilterCharacterByCharacter) {
    grid.click(RxFreqCol, 2);
    grid.enter();
    ASSERT_EQ(view.focus, Focus::Editor);
    ctl.frequencyEditorTextInput(QStringLiteral("4x3,8。5。１２３４５"));
    EXPECT_EQ(view.editorText, QStringLiteral("438.51234"));
    EXPECT_EQ(table.text(RxFreqCol, 2), QStringLiteral("438.51234"));
}

TEST_F(CellEditing, InputMethodTextInTheGridStartsANewValue) {
    makeChannel(3, QStringLiteral("438.50000"));
    grid.click(RxFreqCol, 3);
    EXPECT_FALSE(ctl.gridTextInput(QStringLiteral("ab")));
    EXPECT_EQ(view.focus, Focus::Grid);
    EXPECT_TRUE(ctl.gridTextInput(QStringLiteral("a４４。6")));
    EXPECT_EQ(view.focus, Focus::Editor);
    EXPECT_EQ(view.editorText, QStringLiteral("446"));
    EXPECT_EQ(table.text(RxFreqCol, 3), QStringLiteral("446"));
}

struct CommitCase {
    const char *name;
    ChannelRow before;
    int col;
    ChannelRow after;
};

class Commit : public CellEditing, public ::testing::WithParamInterface<CommitCase> {};

TEST_P(Commit, AppliesTheFirstMatchingRule) {
    grid.click(GetParam().col, 6); // row 6 is empty now: nothing switches or opens
    table.setRow(6, GetParam().before);
    EXPECT_TRUE(ctl.commitCell());
    EXPECT_EQ(table.row(6), GetParam().after);
    EXPECT_TRUE(view.errors.isEmpty());
}

const QString H = QStringLiteral("High"), L = QStringLiteral("Low"), W = QStringLiteral("Wide"),
              N = QStringLiteral("Narrow"), ON = QStringLiteral("ON"), OF = QStringLiteral("OFF");

INSTANTIATE_TEST_SUITE_P(
    Rules, Commit,
    ::testing::Values(
        CommitCase{"PendingGetsDefaults",
                   {"438.5", "", "", "", "", "", "", ""},
                   RxFreqCol,
                   {"438.50000", OF, "438.50000", OF, H, W, ON, OF}},
        // Whatever else a pending row holds is replaced by the defaults.
        CommitCase{"PendingOverwritesOtherFields",
                   {"99", "", "123", "D023N", L, N, OF, ON},
                   RxFreqCol,
                   {"100.00000", OF, "100.00000", OF, H, W, ON, OF}},
        // A pending row from a file may be current in a toggle column (the click switched
        // its empty Power): that text is no frequency, so only the defaults are written.
        CommitCase{"PendingInToggleColumn",
                   {"438.5", "", "", "", H, "", "", ""},
                   PowerCol,
                   {"438.5", OF, "438.5", OF, H, W, ON, OF}},
        CommitCase{"CompleteRxFreqNormalised",
                   {"438.512", OF, "438.50000", OF, L, N, OF, ON},
                   RxFreqCol,
                   {"438.51250", OF, "438.50000", OF, L, N, OF, ON}},
        CommitCase{"CompleteTxFreqNormalisedAlone",
                   {"438.50000", OF, "700", OF, L, N, OF, ON},
                   TxFreqCol,
                   {"438.50000", OF, "550.00000", OF, L, N, OF, ON}},
        CommitCase{"EmptyTxFreqStaysEmpty",
                   {"438.50000", OF, "", OF, H, W, ON, OF},
                   TxFreqCol,
                   {"438.50000", OF, "", OF, H, W, ON, OF}},
        CommitCase{"ToggleColumnUnchanged",
                   {"438.5", OF, "438.5", OF, L, N, OF, ON},
                   PowerCol,
                   {"438.5", OF, "438.5", OF, L, N, OF, ON}},
        CommitCase{"NoRxFreqEmptiesTheRow",
                   {"", OF, "438.50000", "D023N", L, N, OF, ON},
                   TxToneCol,
                   ChannelRow{}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CellEditing, ClearingRxFreqAndCommittingEmptiesTheChannel) {
    makeChannel(7, QStringLiteral("438.50000"));
    grid.click(RxFreqCol, 7);
    grid.typeText(QStringLiteral("4"));
    grid.type(Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(table.text(RxFreqCol, 7), QString());
    grid.enter();
    EXPECT_EQ(table.row(7), ChannelRow{});
    EXPECT_TRUE(view.editorVisible); // reopened, empty
    EXPECT_EQ(view.editorText, QString());
}

// A frequency text that is no number can only come from a file; committing it must report
// the text, keep it, and leave the program working.
class NonNumberCommit : public CellEditing {
protected:
    void SetUp() override {
        grid.click(RxFreqCol, 9);
        table.setRow(9, {"4OO.00000", OF, "400.00000", OF, H, W, ON, OF});
    }
};

TEST_F(NonNumberCommit, IsReportedAndKeepsTheText) {
    EXPECT_FALSE(ctl.commitCell());
    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(view.errors[0].contains(QStringLiteral("4OO.00000")));
    EXPECT_TRUE(view.errors[0].contains(QStringLiteral("009")));
    EXPECT_EQ(table.text(RxFreqCol, 9), QStringLiteral("4OO.00000"));
}

struct FrequencyMessageCase {
    const char *name;
    bool english; // the English pack's texts, else the built-in Chinese ones
    QString cellText;
    QString expected;
};

void PrintTo(const FrequencyMessageCase &c, std::ostream *os) {
    *os << c.name;
}

class NonNumberMessage : public NonNumberCommit,
                         public ::testing::WithParamInterface<FrequencyMessageCase> {};

TEST_P(NonNumberMessage, NamesChannelAndTextInTheCurrentLanguage) {
    const FrequencyMessageCase &c = GetParam();
    texts = c.english ? test::englishTexts() : UiTexts{};
    table.setText(RxFreqCol, 9, c.cellText);
    EXPECT_FALSE(ctl.commitCell());
    EXPECT_EQ(view.errors, QStringList{c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    Languages, NonNumberMessage,
    ::testing::Values(FrequencyMessageCase{"Chinese", false, "4OO.00000",
                                           QStringLiteral("信道 009：“4OO.00000”不是有效的频率。")},
                      FrequencyMessageCase{"English", true, "4OO.00000",
                                           "Channel 009: \"4OO.00000\" is not a valid frequency."},
                      // A placeholder in the cell's text is shown as it stands, not filled again.
                      FrequencyMessageCase{"PlaceholderInTheText", true, "4%1%2",
                                           "Channel 009: \"4%1%2\" is not a valid frequency."}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(NonNumberCommit, OfAPendingChannelWritesNoDefaults) {
    table.setRow(9, {"abc", "", "", "", "", "", "", ""});
    EXPECT_FALSE(ctl.commitCell());
    EXPECT_EQ(view.errors.size(), 1);
    EXPECT_EQ(table.row(9), (ChannelRow{"abc", "", "", "", "", "", "", ""}));
}

TEST_F(NonNumberCommit, DoesNotHoldTheSelectionCaptive) {
    grid.click(RxFreqCol, 10);
    EXPECT_EQ(view.errors.size(), 1);
    EXPECT_EQ(ctl.currentRow(), 10);
    EXPECT_TRUE(view.editorVisible);
    EXPECT_EQ(view.editorCell, QPoint(RxFreqCol, 10));
}

TEST_F(NonNumberCommit, StopsTheEnterKeyBeforeReopening) {
    grid.click(RxFreqCol, 9);
    view.errors.clear();
    ctl.gridKeyPressed(Qt::Key_Return, QStringLiteral("\r"));
    grid.enter();
    EXPECT_EQ(view.errors.size(), 1);
    EXPECT_FALSE(view.editorVisible);
    EXPECT_EQ(view.focus, Focus::Grid);
    EXPECT_EQ(table.text(RxFreqCol, 9), QStringLiteral("4OO.00000"));
}

class TonePicker : public CellEditing {
protected:
    void SetUp() override {
        makeChannel(12, QStringLiteral("438.50000"));
        table.setText(TxToneCol, 12, QStringLiteral("88.5"));
        grid.click(TxToneCol, 12);
    }
};

TEST_F(TonePicker, OpensOnTheCellsTone) {
    EXPECT_TRUE(view.pickerVisible);
    EXPECT_EQ(view.pickerCell, QPoint(TxToneCol, 12));
    EXPECT_EQ(view.pickerIndex, 9);
    EXPECT_EQ(ctl.toneEditRow(), 12);
    EXPECT_EQ(view.focus, Focus::Grid);
    // A text that is no item shows the picker empty, not on the last cell's tone.
    table.setText(RxToneCol, 12, QStringLiteral("D999N"));
    grid.click(RxToneCol, 12);
    EXPECT_EQ(view.pickerIndex, -1);
}

TEST_F(TonePicker, WritesEverySelectionAtOnce) {
    ctl.tonePickerTextChanged(QStringLiteral("D023N"));
    EXPECT_EQ(table.text(TxToneCol, 12), QStringLiteral("D023N"));
    EXPECT_TRUE(view.pickerVisible);
    ctl.tonePickerTextChanged(QStringLiteral("D754I"));
    EXPECT_EQ(table.text(TxToneCol, 12), QStringLiteral("D754I"));
}

TEST_F(TonePicker, LosingTheFocusWritesAndHides) {
    view.focus = Focus::Picker;
    ctl.tonePickerFocusLost(QStringLiteral("67.0"));
    EXPECT_EQ(table.text(TxToneCol, 12), QStringLiteral("67.0"));
    EXPECT_FALSE(view.pickerVisible);
    // Late events of a hidden picker no longer belong to a cell.
    ctl.tonePickerTextChanged(QStringLiteral("D023N"));
    ctl.tonePickerFocusLost(QStringLiteral("D023N"));
    EXPECT_EQ(table.text(TxToneCol, 12), QStringLiteral("67.0"));
}

// A valid tone the list does not offer, as a file or the radio may bring it. The picker
// was last on 88.5 (the fixture), which must not leak into the cell.
struct OffListTone {
    int col;
    const char *text;
};

void PrintTo(const OffListTone &t, std::ostream *os) {
    *os << "col " << t.col << " \"" << t.text << '"';
}

class TonePickerOffTheList : public TonePicker, public ::testing::WithParamInterface<OffListTone> {
protected:
    QString tone() const { return QString::fromLatin1(GetParam().text); }
    int col() const { return GetParam().col; }
    void openOnTheTone() {
        table.setText(col(), 12, tone());
        grid.click(col(), 12);
    }
};

TEST_P(TonePickerOffTheList, ShowsNoSelectionAndLeavingKeepsTheCell) {
    openOnTheTone();
    ASSERT_TRUE(view.pickerVisible);
    EXPECT_EQ(view.pickerIndex, -1);
    view.focus = Focus::Picker;
    ctl.tonePickerFocusLost(view.pickerText(texts.offText));
    EXPECT_EQ(table.text(col(), 12), tone());
    EXPECT_FALSE(view.pickerVisible);
}

TEST_P(TonePickerOffTheList, PickingAnItemWritesIt) {
    openOnTheTone();
    ctl.tonePickerTextChanged(QStringLiteral("D023N"));
    EXPECT_EQ(table.text(col(), 12), QStringLiteral("D023N"));
    ctl.tonePickerFocusLost(QStringLiteral("D025N")); // chosen by arrow key meanwhile
    EXPECT_EQ(table.text(col(), 12), QStringLiteral("D025N"));
}

TEST_P(TonePickerOffTheList, TheNextCellInTheListWritesAsBefore) {
    openOnTheTone();
    const int other = col() == RxToneCol ? TxToneCol : RxToneCol;
    table.setText(other, 12, QStringLiteral("100.0"));
    grid.click(other, 12);
    EXPECT_EQ(view.pickerIndex, toneIndex(QStringLiteral("100.0"), texts.offText));
    ctl.tonePickerFocusLost(QStringLiteral("67.0"));
    EXPECT_EQ(table.text(other, 12), QStringLiteral("67.0"));
    EXPECT_EQ(table.text(col(), 12), tone());
}

INSTANTIATE_TEST_SUITE_P(Tones, TonePickerOffTheList,
                         ::testing::Values(OffListTone{TxToneCol, "88.4"},
                                           OffListTone{RxToneCol, "D024N"},
                                           OffListTone{TxToneCol, "254.2"},
                                           OffListTone{TxToneCol, ""}));

TEST_F(TonePicker, ACharacterKeyReturnsToTheGrid) {
    view.focus = Focus::Picker;
    ctl.tonePickerKeyPressed();
    EXPECT_EQ(view.focus, Focus::Grid);
    EXPECT_FALSE(view.pickerVisible);
    EXPECT_EQ(table.text(TxToneCol, 12), QStringLiteral("88.5"));
}

TEST_F(TonePicker, GridFocusHidesIt) {
    ctl.gridFocusIn();
    EXPECT_FALSE(view.pickerVisible);
    EXPECT_EQ(table.text(TxToneCol, 12), QStringLiteral("88.5"));
}

TEST_F(TonePicker, ScrollingHidesIt) {
    ctl.gridRepainted();
    EXPECT_TRUE(view.pickerVisible);
    view.firstVisibleRow = 2;
    ctl.gridRepainted();
    EXPECT_FALSE(view.pickerVisible);
}

TEST_F(CellEditing, ScrollingHidesTheEditorAndTheCellKeepsTheTypedText) {
    grid.click(RxFreqCol, 5);
    grid.typeText(QStringLiteral("43"));
    ctl.gridRepainted(); // a paint without scrolling changes nothing
    EXPECT_TRUE(view.editorVisible);
    view.firstVisibleRow = 4;
    ctl.gridRepainted();
    EXPECT_FALSE(view.editorVisible);
    EXPECT_EQ(table.text(RxFreqCol, 5), QStringLiteral("43"));
    // Keys no longer reach the cell through the hidden editor.
    ctl.frequencyEditorKeyReleased();
    EXPECT_EQ(table.text(RxFreqCol, 5), QStringLiteral("43"));
}

TEST_F(CellEditing, ScrollingTheCellOutOfViewHidesTheEditor) {
    grid.click(RxFreqCol, 1);
    view.firstVisibleRow = 100;
    ctl.gridRepainted();
    EXPECT_FALSE(view.editorVisible);
}

TEST_F(CellEditing, AnEditorPlacedOutOfViewIsHiddenAtTheNextPaint) {
    ctl.selectCell(RxFreqCol, 150); // the fake does not scroll
    ASSERT_TRUE(view.editorVisible);
    view.firstVisibleRow = 140;
    ctl.gridRepainted();
    EXPECT_FALSE(view.editorVisible);
}

TEST_F(CellEditing, DeleteKeyInTheGridDeletesTheCurrentChannel) {
    makeChannel(4, QStringLiteral("438.50000"));
    grid.click(RxFreqCol, 4);
    EXPECT_TRUE(ctl.gridKeyPressed(Qt::Key_Delete, QString()));
    EXPECT_EQ(table.row(4), ChannelRow{});
    EXPECT_EQ(view.editorText, QString());
    EXPECT_FALSE(view.editorVisible);
    EXPECT_EQ(view.gridCell, QPoint(RxFreqCol, 4));
    EXPECT_EQ(ctl.currentRow(), 4);
}

TEST_F(CellEditing, DeleteKeyInTheEditorOnlyEditsTheText) {
    makeChannel(4, QStringLiteral("438.50000"));
    grid.click(RxFreqCol, 4);
    ctl.gridKeyPressed(Qt::Key_Return, QStringLiteral("\r"));
    view.caret = 0;
    grid.type(Qt::Key_Delete, QString());
    EXPECT_EQ(table.text(TxFreqCol, 4), QStringLiteral("438.50000"));
    EXPECT_EQ(table.text(PowerCol, 4), texts.highText);
}

TEST_F(CellEditing, ProgramMovesActivateOnlyWhenTheCellChanges) {
    grid.click(RxFreqCol, 1);
    ctl.hideEditors();
    ctl.selectCell(RxFreqCol, 1);
    EXPECT_FALSE(view.editorVisible);
    EXPECT_TRUE(view.programMoves.isEmpty());

    ctl.selectColumn(TxToneCol);
    ctl.selectRow(30);
    EXPECT_EQ(view.programMoves, (QList<QPoint>{{TxToneCol, 1}, {TxToneCol, 30}}));
    EXPECT_EQ(ctl.currentCol(), TxToneCol);
    EXPECT_EQ(ctl.currentRow(), 30);
    ctl.selectRow(0);   // fixed row
    ctl.selectRow(200); // no such channel
    EXPECT_EQ(view.programMoves.size(), 2);
}

// ---- Typing and picking do what the keys say ----

TEST_F(CellEditing, EscapeTakesTheTypingBackWithoutACommit) {
    makeChannel(3, QStringLiteral("438.50000"));
    grid.click(RxFreqCol, 3);
    grid.typeText(QStringLiteral("446"));
    ASSERT_EQ(table.text(RxFreqCol, 3), QStringLiteral("446"));

    grid.type(Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(table.text(RxFreqCol, 3), QStringLiteral("438.50000"));
    EXPECT_EQ(view.editorText, QStringLiteral("438.50000"));
    EXPECT_TRUE(view.editorVisible);
    EXPECT_EQ(view.focus, Focus::Grid);
    // Moving on commits nothing: the channel is as it was.
    grid.keyMove(Qt::Key_Down, RxFreqCol, 4);
    EXPECT_EQ(table.row(3), completeRow(QStringLiteral("438.50000")));

    // On an empty channel Escape leaves it empty, with no pending channel to complete.
    grid.click(RxFreqCol, 5);
    grid.typeText(QStringLiteral("9"));
    grid.type(Qt::Key_Escape, QStringLiteral("\x1b"));
    grid.click(RxFreqCol, 6);
    EXPECT_EQ(table.row(5), ChannelRow{});
    EXPECT_TRUE(view.notices.isEmpty());
}

TEST_F(CellEditing, PassingThroughACellNeverChangesIt) {
    // Texts as a file or the radio left them: not normalised, one channel still pending.
    const ChannelRow fromFile{"438.5", OF, "438.5", OF, L, N, OF, ON};
    const ChannelRow pending{"439.5", "", "", "", "", "", "", ""};
    table.setRow(2, fromFile);
    table.setRow(3, pending);
    grid.click(RxFreqCol, 2);
    grid.keyMove(Qt::Key_Down, RxFreqCol, 3);
    grid.keyMove(Qt::Key_Right, RxToneCol, 3);
    grid.keyMove(Qt::Key_Left, RxFreqCol, 3);
    grid.click(TxFreqCol, 2);
    EXPECT_TRUE(ctl.commitEdit()); // what an action does before it starts
    EXPECT_EQ(table.row(2), fromFile);
    EXPECT_EQ(table.row(3), pending);

    // Typing is what commits, with the specified rules.
    grid.typeText(QStringLiteral("438.5"));
    grid.click(RxFreqCol, 4);
    EXPECT_EQ(table.text(TxFreqCol, 2), QStringLiteral("438.50000"));
    EXPECT_EQ(table.text(RxFreqCol, 2), QStringLiteral("438.5"));
}

struct ClampCase {
    const char *typed;
    const char *cell;
    const char *notice; // empty: nothing to say
};

class ClampNotice : public CellEditing, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(ClampNotice, SaysWhenNormalisationMovedTheValueToALimit) {
    const ClampCase &c = GetParam();
    grid.click(RxFreqCol, 8);
    grid.typeText(QString::fromUtf8(c.typed));
    grid.enter();
    EXPECT_EQ(table.text(RxFreqCol, 8), QString::fromLatin1(c.cell));
    const QString notice = QString::fromUtf8(c.notice);
    EXPECT_EQ(view.notices, notice.isEmpty() ? QStringList{} : QStringList{notice});
}

INSTANTIATE_TEST_SUITE_P(
    Values, ClampNotice,
    ::testing::Values(ClampCase{"9", "100.00000", "9 → 100.00000: below the lowest frequency"},
                      ClampCase{"050.5", "100.00000",
                                "050.5 → 100.00000: below the lowest frequency"},
                      ClampCase{"600", "550.00000", "600 → 550.00000: above the highest frequency"},
                      // Onto the raster at the top is no clamp; neither is a limit typed.
                      ClampCase{"549.999", "550.00000", ""}, ClampCase{"100", "100.00000", ""},
                      ClampCase{"438.5", "438.50000", ""}));

TEST_F(TonePicker, AChoiceInTheListHandsTheArrowKeysBackToTheGrid) {
    makeChannel(13, QStringLiteral("439.00000"));
    view.focus = Focus::Picker; // the click that dropped the list down
    ctl.tonePickerListChosen(QStringLiteral("D023N"));
    EXPECT_EQ(table.text(TxToneCol, 12), QStringLiteral("D023N"));
    EXPECT_EQ(view.focus, Focus::Grid);
    EXPECT_FALSE(view.pickerVisible);

    grid.keyMove(Qt::Key_Down, TxToneCol, 13);
    EXPECT_EQ(table.text(TxToneCol, 12), QStringLiteral("D023N"));
    EXPECT_EQ(table.text(TxToneCol, 13), texts.offText);
    EXPECT_TRUE(view.pickerVisible);
    EXPECT_EQ(view.pickerCell, QPoint(TxToneCol, 13));
    EXPECT_EQ(ctl.currentRow(), 13);
}

} // namespace
} // namespace vrx

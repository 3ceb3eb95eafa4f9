#pragma once

#include "channels/cell_edit_view.h"
#include "channels/channel_table.h"
#include "i18n/ui_texts.h"

#include <QString>

#include <optional>

namespace vrx {

// Most characters a frequency cell holds ("438.50000").
inline constexpr int kFrequencyTextLength = 9;

// Text from an input method or the clipboard with the full-width digits and full stops of
// a Chinese input method ("４３８。５") turned into their ASCII forms ("438.5"); every other
// character is left as it is, for the key filter to judge.
QString foldFrequencyInput(const QString &text);

// The rules of editing channels in the grid, without a screen: which cell opens which
// floating editor, the key filters, the commit with the defaults of a new channel, the
// two-valued toggles and when the editors are hidden again. The grid widget forwards its
// events here and implements CellEditView.
//
// Operations act on CurrentCol/CurrentRow, the record of the last activated cell, which is
// kept apart from the grid's own current cell (they differ between a mouse press and its
// release, for example).
class CellEditController {
public:
    // texts is read at each use, so a language switch takes effect at once.
    CellEditController(ChannelTable &table, const UiTexts &texts, CellEditView &view);

    int currentCol() const { return currentCol_; }
    int currentRow() const { return currentRow_; }
    int toneEditRow() const { return toneEditRow_; }
    bool skipNextToggle() const { return skipNextToggle_; }
    int gridCol() const { return gridCol_; }
    int gridRow() const { return gridRow_; }
    bool frequencyEditorVisible() const { return frequencyEditorVisible_; }
    bool tonePickerVisible() const { return tonePickerVisible_; }

    // ---- Events of the grid widget ----

    // Left-button press on channel cell (col, row): commits, then the grid's current cell is
    // there. The activation follows at the release.
    void cellPressed(int col, int row);
    // Release of that click (not of the second press of a double click): activates the
    // grid's current cell, also when it already was the current one.
    void cellReleased();
    // The grid moved its current cell by a key (arrows, Page Up/Down, Home, End). A key that
    // could not move the cell is not reported.
    void gridMoved(int col, int row);
    // One step of the mouse wheel: +1 one row down, -1 one row up.
    void wheelStep(int direction);
    // A key pressed in the grid (Qt key code and its text), before the grid handles it.
    // Returns true when the key was used here and the grid must not handle it.
    // Space on a filled toggle cell switches it as a click does.
    bool gridKeyPressed(int key, const QString &text);
    // Text an input method committed while the grid had the focus: each character counts
    // as a typed one, so the first digit on a frequency cell starts a new value in the
    // editor and the rest follows it there. Returns true when any of it was used.
    bool gridTextInput(const QString &text);
    void gridFocusIn();
    // Activates the grid's current cell as a click on it would, so that typing can start
    // there (the window's first showing).
    void activateGridCell() { activate(gridCol_, gridRow_); }
    // The grid painted or scrolled: editors whose cell moved or left the view are hidden.
    void gridRepainted();

    // ---- Events of the frequency editor ----

    // A key pressed in the editor. Returns true when the editor may process it; false when it
    // is dropped (or was used here, like Enter, and Escape, which takes the typing back).
    bool frequencyEditorKeyPressed(int key, const QString &text);
    // Any key released in the editor: the cell shows what is being typed.
    void frequencyEditorKeyReleased();
    // Text that reaches the editor other than by a key (an input method's commit, a
    // paste): each character passes the key filter in turn as if it were typed, and the
    // cell shows the result.
    void frequencyEditorTextInput(const QString &text);

    // ---- Events of the tone picker ----

    // The user chose an item: it is written into the cell at once.
    void tonePickerTextChanged(const QString &text);
    // The user chose an item in the dropped-down list: after writing it the grid takes the
    // focus back, so that the arrow keys move through the channels again instead of
    // stepping the tone that was just chosen.
    void tonePickerListChosen(const QString &text);
    // Writes the picker's text back and hides it; a picker that was shown empty (the
    // cell's tone is no item of the list) and was not used writes nothing.
    void tonePickerFocusLost(const QString &text);
    // A character key while the picker has the focus; the widget swallows the key.
    void tonePickerKeyPressed();

    // ---- Operations for the channel operations, transfers and dialogs ----

    // Commits the current cell: completes a pending channel with the defaults, normalises a
    // frequency cell, empties a channel without RxFreq. A frequency that is not a number is
    // reported through the view and the cell keeps its text; returns false then.
    bool commitCell();
    // The commit before a move and before an action: commitCell() when the current cell was
    // typed into since its activation; a cell only passed through keeps its text (a text
    // from a file or the radio is not normalised behind the user's back) and makes no
    // undo step, though a frequency text that is no number is reported (false) as ever.
    bool commitEdit();
    // Normalises the frequency text of cell (col, row); reports a text that is not a number
    // and returns false, leaving the text as it is. An empty cell stays empty.
    bool normaliseFrequencyCell(int col, int row);
    // Reports a frequency text of channel row that cannot be read as a number, with
    // MsgInvalidFrequency of the current language.
    void reportInvalidFrequency(int row, const QString &text);
    // Program moves of the grid's current cell. A move to a different cell commits and
    // activates like a user move; a move to the cell the grid is on does nothing.
    void selectCell(int col, int row);
    void selectColumn(int col) { selectCell(col, gridRow_); }
    void selectRow(int row) { selectCell(gridCol_, row); }
    // Moves the grid to `row` in the same column as a key that extends the channel
    // selection: it commits and activates, but switches no toggle cell on the way.
    void moveRowKeepingToggles(int row);
    // Sets CurrentRow without moving the grid (automatic filling advances it before its move).
    void setCurrentRow(int row);
    void hideEditors();
    void setFrequencyEditorText(const QString &text);
    // Reselects the open tone picker's item from its cell (after the cell changed under it).
    void refreshTonePicker();
    // Empties the current channel (no commit first), empties the editor text, hides both
    // editors; the selection stays.
    void deleteCurrentChannel();

private:
    void activate(int col, int row);
    // The commit rules on cell (col, row), typed into or not.
    bool commitCellText(int col, int row);
    void moveGridTo(int col, int row);
    void toggle(int col, int row);
    void commitFromEditor();
    // Escape: the cell and the editor get back the text the cell had when activated.
    void revertTyping();
    // Tells the view when normalisation moved the typed text to a limit of the range.
    void noteClamp(const QString &typed, const QString &normalised);
    void showFrequencyEditor(int col, int row);
    void showTonePicker(int col, int row);
    void hideFrequencyEditor();
    void hideTonePicker();
    bool rxFreqFilled(int row) const { return !table_.isEmptyChannel(row); }

    ChannelTable &table_;
    const UiTexts &texts_;
    CellEditView &view_;

    int currentCol_ = RxFreqCol;
    int currentRow_ = 1;
    int toneEditRow_ = 1;
    bool skipNextToggle_ = false;
    int gridCol_ = RxFreqCol;
    int gridRow_ = 1;

    bool frequencyEditorVisible_ = false;
    bool tonePickerVisible_ = false;
    // The picker's selection stands for its cell: it matched the cell's tone when shown,
    // or the user has chosen an item since.
    bool tonePickerHoldsCell_ = false;
    // The current cell's text at its activation, and whether typing has changed it since.
    QString activatedText_;
    bool typed_ = false;
    // Top of the current cell when each editor was placed; empty when it was out of view.
    std::optional<int> frequencyEditorCellTop_;
    std::optional<int> tonePickerCellTop_;
};

} // namespace vrx

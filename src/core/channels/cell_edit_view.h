#pragma once

#include <QRect>
#include <QString>

namespace vrx {

// What the cell editing controller needs from the channel grid and its two floating
// editors (the frequency editor and the tone picker). The grid widget implements it; the
// controller decides everything, the view only shows, hides, places and focuses.
//
// Calls made here must not be forwarded back to the controller as user events: a program
// selection (selectGridCell), a shown picker's selection or an editor text set by the
// controller are not user changes.
class CellEditView {
public:
    virtual ~CellEditView() = default;

    // Rectangle of cell (col, row) in the coordinates the editors are placed in; an empty
    // rectangle when the cell is scrolled out of view.
    virtual QRect cellRect(int col, int row) const = 0;

    // Places the frequency editor over cell (col, row), sets its text and shows it, without
    // taking the focus from the grid.
    virtual void showFrequencyEditor(int col, int row, const QString &text) = 0;
    virtual void hideFrequencyEditor() = 0;
    virtual QString frequencyEditorText() const = 0;
    virtual void setFrequencyEditorText(const QString &text) = 0;
    // Length of the selected part of the editor's text (replaced by the next typed character).
    virtual int frequencyEditorSelectionLength() const = 0;
    virtual void setFrequencyEditorCaret(int position) = 0;
    // Inserts text at the caret, replacing the selection, as a typed character does.
    virtual void insertFrequencyEditorText(const QString &text) = 0;
    virtual void focusFrequencyEditor() = 0;

    // Places the tone picker over cell (col, row) and shows it, without taking the focus.
    // selectedIndex is the item of the tone list to select; -1 shows the picker empty,
    // with no item selected (the cell holds a tone the list does not offer).
    virtual void showTonePicker(int col, int row, int selectedIndex) = 0;
    virtual void hideTonePicker() = 0;

    virtual void focusGrid() = 0;
    // Moves the grid's own current cell (a program move), scrolling it into view first.
    virtual void selectGridCell(int col, int row) = 0;

    // Shows an error that an action could not handle (a message box in the GUI).
    virtual void reportError(const QString &message) = 0;
    // Says what an edit did that the user may not expect (the status line in the GUI).
    virtual void reportNotice(const QString &message) = 0;
};

} // namespace vrx

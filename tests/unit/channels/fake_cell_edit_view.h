#pragma once

#include "channels/cell_edit_controller.h"
#include "channels/cell_edit_view.h"
#include "channels/tone_list.h"
#include "test_texts.h"

#include <QList>
#include <QPoint>
#include <QStringList>

#include <ostream>

namespace vrx::test {

// A grid of 60 x 20 pixel cells under a 20 pixel header row, showing rows
// firstVisibleRow .. firstVisibleRow + visibleRows - 1, with a line editor that inserts
// characters the way a real one does. It records what the controller asked of it.
class FakeCellEditView : public CellEditView {
public:
    enum class Focus { Grid, Editor, Picker };

    int firstVisibleRow = 1;
    int visibleRows = 20;

    bool editorVisible = false;
    QPoint editorCell;
    QString editorText;
    int caret = 0;
    int selectionLength = 0;

    bool pickerVisible = false;
    QPoint pickerCell;
    int pickerIndex = -1; // -1: shown empty

    Focus focus = Focus::Grid;
    QPoint gridCell{1, 1};
    QList<QPoint> programMoves;
    QStringList errors;
    QStringList notices;

    QRect cellRect(int col, int row) const override {
        if (row < firstVisibleRow || row >= firstVisibleRow + visibleRows)
            return {};
        return QRect(col * 60, 20 + (row - firstVisibleRow) * 20, 60, 20);
    }
    void showFrequencyEditor(int col, int row, const QString &text) override {
        editorVisible = true;
        editorCell = QPoint(col, row);
        setFrequencyEditorText(text);
    }
    void hideFrequencyEditor() override {
        editorVisible = false;
        if (focus == Focus::Editor)
            focus = Focus::Grid;
    }
    QString frequencyEditorText() const override { return editorText; }
    void setFrequencyEditorText(const QString &text) override {
        editorText = text;
        caret = int(text.size());
        selectionLength = 0;
    }
    int frequencyEditorSelectionLength() const override { return selectionLength; }
    void setFrequencyEditorCaret(int position) override { caret = position; }
    void insertFrequencyEditorText(const QString &text) override { applyEditorKey(0, text); }
    void focusFrequencyEditor() override { focus = Focus::Editor; }
    void showTonePicker(int col, int row, int selectedIndex) override {
        pickerVisible = true;
        pickerCell = QPoint(col, row);
        pickerIndex = selectedIndex;
    }
    // The text the picker shows: its selected item, or nothing.
    QString pickerText(const QString &offText) const {
        return pickerIndex >= 0 ? toneList(offText).value(pickerIndex) : QString();
    }
    void hideTonePicker() override {
        pickerVisible = false;
        if (focus == Focus::Picker)
            focus = Focus::Grid;
    }
    void focusGrid() override { focus = Focus::Grid; }
    void selectGridCell(int col, int row) override {
        gridCell = QPoint(col, row);
        programMoves.append(gridCell);
    }
    void reportError(const QString &message) override { errors.append(message); }
    void reportNotice(const QString &message) override { notices.append(message); }

    // What the editor does with a key the controller let through.
    void applyEditorKey(int key, const QString &text) {
        if (key == Qt::Key_Backspace) {
            if (selectionLength > 0)
                editorText.remove(caret, selectionLength);
            else if (caret > 0)
                editorText.remove(--caret, 1);
        } else if (!text.isEmpty()) {
            editorText.remove(caret, selectionLength);
            editorText.insert(caret, text);
            caret += int(text.size());
        }
        selectionLength = 0;
    }
    void selectAllEditorText() {
        caret = 0;
        selectionLength = int(editorText.size());
    }
};

// Qt key code of a typed character.
inline int keyOf(QChar c) {
    if (c == QLatin1Char('.'))
        return Qt::Key_Period;
    return c.toUpper().unicode(); // Qt::Key_0..9 and Key_A..Z are their ASCII codes
}

// Drives a controller the way the grid widget does.
struct GridDriver {
    CellEditController &ctl;
    FakeCellEditView &view;

    void click(int col, int row) {
        ctl.cellPressed(col, row);
        view.gridCell = QPoint(col, row);
        ctl.cellReleased();
    }
    // A key move of the grid (arrow, Page Down ...): key down, then the grid moves unless
    // the controller used the key, then the move is reported.
    void keyMove(int key, int col, int row) {
        if (ctl.gridKeyPressed(key, QString()))
            return;
        view.gridCell = QPoint(col, row);
        ctl.gridMoved(col, row);
    }
    // A key typed wherever the focus is; the release goes to whoever has the focus then.
    void type(int key, const QString &text) {
        if (view.focus == FakeCellEditView::Focus::Editor) {
            if (ctl.frequencyEditorKeyPressed(key, text))
                view.applyEditorKey(key, text);
        } else {
            ctl.gridKeyPressed(key, text);
        }
        if (view.focus == FakeCellEditView::Focus::Editor)
            ctl.frequencyEditorKeyReleased();
    }
    void typeText(const QString &text) {
        for (const QChar c : text)
            type(keyOf(c), QString(c));
    }
    void enter() { type(Qt::Key_Return, QStringLiteral("\r")); }
};

} // namespace vrx::test

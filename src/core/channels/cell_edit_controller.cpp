#include "channels/cell_edit_controller.h"

#include "channels/frequency.h"
#include "channels/tone_list.h"

#include <Qt>

#include <algorithm>

namespace vrx {

namespace {

bool isChannelCell(int col, int row) {
    return col >= RxFreqCol && col <= BusyLockCol && row >= 1 && row <= kChannelCount;
}

bool isFrequencyColumn(int col) {
    return col == RxFreqCol || col == TxFreqCol;
}

bool isArrowKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

bool isEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isDigitText(const QString &text) {
    return text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
}

} // namespace

QString foldFrequencyInput(const QString &text) {
    QString folded = text;
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if (u >= u'\uFF10' && u <= u'\uFF19') // full-width digits
            c = QChar(u'0' + (u - u'\uFF10'));
        else if (u == u'\u3002' || u == u'\uFF0E' || u == u'\uFF61') // 。 ． ｡
            c = QLatin1Char('.');
    }
    return folded;
}

CellEditController::CellEditController(ChannelTable &table, const UiTexts &texts,
                                       CellEditView &view)
    : table_(table), texts_(texts), view_(view) {}

// ---- Grid events ----

void CellEditController::cellPressed(int col, int row) {
    if (!isChannelCell(col, row))
        return;
    commitEdit();
    gridCol_ = col;
    gridRow_ = row;
}

void CellEditController::cellReleased() {
    activate(gridCol_, gridRow_);
}

void CellEditController::gridMoved(int col, int row) {
    if (!isChannelCell(col, row) || (col == gridCol_ && row == gridRow_))
        return;
    commitEdit();
    gridCol_ = col;
    gridRow_ = row;
    activate(col, row);
}

void CellEditController::moveRowKeepingToggles(int row) {
    if (row < 1 || row > kChannelCount || row == gridRow_)
        return;
    const bool skip = skipNextToggle_;
    skipNextToggle_ = true;
    moveGridTo(gridCol_, row);
    // A landing off the toggles leaves the flag as it was before this move.
    if (skipNextToggle_)
        skipNextToggle_ = skip;
}

void CellEditController::wheelStep(int direction) {
    if (direction == 0)
        return;
    // Wheeling over a toggle column must not switch every cell it passes.
    if (currentCol_ > TxToneCol)
        skipNextToggle_ = true;
    const int row = gridRow_ + (direction > 0 ? 1 : -1);
    if (row >= 1 && row <= kChannelCount)
        moveGridTo(gridCol_, row);
}

bool CellEditController::gridKeyPressed(int key, const QString &text) {
    if (isArrowKey(key)) {
        // Set before the grid moves; left set when the move lands on no toggle.
        skipNextToggle_ = true;
        return false;
    }
    if (key == Qt::Key_Delete) {
        deleteCurrentChannel();
        return true;
    }
    if (key == Qt::Key_Space && currentCol_ >= PowerCol && currentCol_ <= BusyLockCol) {
        // The keyboard's click on a toggle; an empty channel has nothing to switch.
        if (rxFreqFilled(currentRow_))
            toggle(currentCol_, currentRow_);
        return true;
    }
    const bool frequencyCell =
        currentCol_ == RxFreqCol || (currentCol_ == TxFreqCol && rxFreqFilled(currentRow_));
    if (!frequencyCell || !frequencyEditorVisible_)
        return false;
    if (isEnterKey(key)) {
        view_.focusFrequencyEditor();
        return true;
    }
    if (isDigitText(text)) {
        // A digit typed on a frequency cell starts a new value.
        view_.setFrequencyEditorText(text);
        view_.focusFrequencyEditor();
        view_.setFrequencyEditorCaret(1);
        return true;
    }
    return false;
}

bool CellEditController::gridTextInput(const QString &text) {
    const QString folded = foldFrequencyInput(text);
    for (qsizetype i = 0; i < folded.size(); ++i) {
        if (gridKeyPressed(0, QString(folded[i]))) {
            frequencyEditorTextInput(folded.mid(i + 1));
            return true;
        }
    }
    return false;
}

void CellEditController::gridFocusIn() {
    hideTonePicker();
}

void CellEditController::gridRepainted() {
    if (!frequencyEditorVisible_ && !tonePickerVisible_)
        return;
    const QRect rect = view_.cellRect(currentCol_, currentRow_);
    auto moved = [&](const std::optional<int> &placedTop) {
        return rect.isEmpty() || !placedTop || *placedTop != rect.top();
    };
    if (frequencyEditorVisible_ && moved(frequencyEditorCellTop_))
        hideFrequencyEditor();
    if (tonePickerVisible_ && moved(tonePickerCellTop_))
        hideTonePicker();
}

// ---- Frequency editor events ----

bool CellEditController::frequencyEditorKeyPressed(int key, const QString &text) {
    if (isEnterKey(key)) {
        commitFromEditor();
        return false;
    }
    if (key == Qt::Key_Escape) {
        revertTyping();
        return false;
    }
    // Tab and Shift+Tab move the focus on, as from any control; they insert nothing.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return true;
    // Editing and caret keys; they insert no character.
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete || text.isEmpty())
        return true;
    if (text.size() != 1)
        return false;
    const QString current = view_.frequencyEditorText();
    const bool room =
        current.size() - view_.frequencyEditorSelectionLength() < kFrequencyTextLength;
    if (isDigitText(text))
        return room;
    if (text[0] == QLatin1Char('.'))
        return room && current.size() >= 3 && !current.contains(QLatin1Char('.'));
    return false;
}

void CellEditController::frequencyEditorKeyReleased() {
    if (!frequencyEditorVisible_)
        return;
    const QString text = view_.frequencyEditorText();
    // A release without a change (the Enter that moved the focus into the editor, a caret
    // key) is no typing.
    if (text == table_.text(currentCol_, currentRow_))
        return;
    typed_ = true;
    table_.setText(currentCol_, currentRow_, text);
}

void CellEditController::frequencyEditorTextInput(const QString &text) {
    if (!frequencyEditorVisible_)
        return;
    for (const QChar c : foldFrequencyInput(text)) {
        if (frequencyEditorKeyPressed(0, QString(c)))
            view_.insertFrequencyEditorText(QString(c));
    }
    frequencyEditorKeyReleased();
}

void CellEditController::revertTyping() {
    if (!frequencyEditorVisible_)
        return;
    if (typed_)
        table_.setText(currentCol_, currentRow_, activatedText_);
    typed_ = false;
    view_.setFrequencyEditorText(table_.text(currentCol_, currentRow_));
    // As after Enter: the editor stays over the cell, the grid takes the keys.
    view_.focusGrid();
}

void CellEditController::noteClamp(const QString &typed, const QString &normalised) {
    switch (frequencyClamp(typed)) {
    case FrequencyClamp::BelowLowest:
        view_.reportNotice(texts_.noteBelowLowest.arg(typed, normalised));
        break;
    case FrequencyClamp::AboveHighest:
        view_.reportNotice(texts_.noteAboveHighest.arg(typed, normalised));
        break;
    case FrequencyClamp::Inside:
        break;
    }
}

void CellEditController::commitFromEditor() {
    hideFrequencyEditor();
    view_.focusGrid();
    if (!commitCell())
        return;
    // Reopens the editor over the same cell with the normalised text.
    activate(gridCol_, gridRow_);
}

// ---- Tone picker events ----

void CellEditController::tonePickerTextChanged(const QString &text) {
    // A hidden picker belongs to no cell any more; writing would hit the wrong column.
    if (!tonePickerVisible_)
        return;
    tonePickerHoldsCell_ = true;
    table_.setText(currentCol_, toneEditRow_, text);
}

void CellEditController::tonePickerListChosen(const QString &text) {
    if (!tonePickerVisible_)
        return;
    tonePickerTextChanged(text);
    view_.focusGrid();
    hideTonePicker();
}

void CellEditController::tonePickerFocusLost(const QString &text) {
    if (!tonePickerVisible_)
        return;
    // A tone the list does not offer (from a file or the radio) stays until the user
    // picks another one; merely passing through the picker must not replace it.
    if (tonePickerHoldsCell_)
        table_.setText(currentCol_, toneEditRow_, text);
    hideTonePicker();
}

void CellEditController::tonePickerKeyPressed() {
    view_.focusGrid();
    hideTonePicker();
}

// ---- Operations ----

bool CellEditController::commitEdit() {
    if (typed_)
        return commitCell();
    // Passing through changes nothing; a text that is no frequency is still reported, as
    // the commit would.
    const QString text = table_.text(currentCol_, currentRow_);
    if (isFrequencyColumn(currentCol_) && !text.isEmpty() && !normaliseFrequency(text)) {
        reportInvalidFrequency(currentRow_, text);
        return false;
    }
    return true;
}

bool CellEditController::commitCell() {
    const int col = currentCol_;
    const int row = currentRow_;
    const QString typed = typed_ ? table_.text(col, row) : QString();
    typed_ = false;
    const bool committed = commitCellText(col, row);
    if (committed && !typed.isEmpty() && isFrequencyColumn(col))
        noteClamp(typed, table_.text(col, row));
    return committed;
}

bool CellEditController::commitCellText(int col, int row) {
    if (table_.isPendingChannel(row)) {
        // Only a frequency cell is normalised: a pending channel from a file may be current
        // in another column, and its text is no frequency.
        if (isFrequencyColumn(col) && !normaliseFrequencyCell(col, row))
            return false;
        table_.fillDefaults(row, texts_);
        return true;
    }
    if (isFrequencyColumn(col) && !table_.text(col, row).isEmpty())
        return normaliseFrequencyCell(col, row);
    if (rxFreqFilled(row))
        return true;
    table_.clearRow(row);
    return true;
}

bool CellEditController::normaliseFrequencyCell(int col, int row) {
    const QString text = table_.text(col, row);
    if (text.isEmpty())
        return true;
    const auto normalised = normaliseFrequency(text);
    if (!normalised) {
        reportInvalidFrequency(row, text);
        return false;
    }
    table_.setText(col, row, *normalised);
    return true;
}

void CellEditController::reportInvalidFrequency(int row, const QString &text) {
    // One pass over the pattern, so a "%1" in the cell's text is shown as it stands.
    view_.reportError(texts_.msgInvalidFrequency.arg(table_.text(NumberCol, row), text));
}

void CellEditController::selectCell(int col, int row) {
    if (!isChannelCell(col, row) || (col == gridCol_ && row == gridRow_))
        return;
    moveGridTo(col, row);
}

void CellEditController::moveGridTo(int col, int row) {
    // A failed commit is reported; the move still goes on so that no cell can hold the
    // user captive.
    commitEdit();
    gridCol_ = col;
    gridRow_ = row;
    view_.selectGridCell(col, row);
    activate(col, row);
}

void CellEditController::setCurrentRow(int row) {
    currentRow_ = std::clamp(row, 1, kChannelCount);
    typed_ = false;
}

void CellEditController::hideEditors() {
    hideTonePicker();
    hideFrequencyEditor();
}

void CellEditController::setFrequencyEditorText(const QString &text) {
    // The operations show the cell's new text here; Escape goes back to it.
    activatedText_ = text;
    typed_ = false;
    view_.setFrequencyEditorText(text);
}

void CellEditController::refreshTonePicker() {
    if (tonePickerVisible_)
        showTonePicker(currentCol_, currentRow_);
}

void CellEditController::deleteCurrentChannel() {
    if (currentRow_ > 0)
        table_.clearRow(currentRow_);
    typed_ = false;
    view_.setFrequencyEditorText(QString());
    hideEditors();
}

// ---- Activation ----

void CellEditController::activate(int col, int row) {
    if (!isChannelCell(col, row))
        return;
    hideEditors();
    currentCol_ = col;
    currentRow_ = row;
    switch (col) {
    case RxFreqCol:
        showFrequencyEditor(col, row);
        break;
    case TxFreqCol:
        if (rxFreqFilled(row))
            showFrequencyEditor(col, row);
        break;
    case RxToneCol:
    case TxToneCol:
        if (rxFreqFilled(row))
            showTonePicker(col, row);
        break;
    default:
        if (!rxFreqFilled(row))
            break;
        if (skipNextToggle_) {
            skipNextToggle_ = false;
            break;
        }
        toggle(col, row);
        break;
    }
    activatedText_ = table_.text(col, row);
    typed_ = false;
}

void CellEditController::toggle(int col, int row) {
    const QString cell = table_.text(col, row);
    QString next;
    switch (col) {
    case PowerCol:
        next = cell == texts_.highText ? texts_.lowText : texts_.highText;
        break;
    case BandwidthCol:
        next = cell == texts_.wideText ? texts_.narrowText : texts_.wideText;
        break;
    case ScanCol:
    case BusyLockCol:
        next = cell == texts_.offText ? texts_.onText : texts_.offText;
        break;
    default:
        return;
    }
    table_.setText(col, row, next);
}

void CellEditController::showFrequencyEditor(int col, int row) {
    const QRect rect = view_.cellRect(col, row);
    frequencyEditorCellTop_ = rect.isEmpty() ? std::nullopt : std::optional<int>(rect.top());
    frequencyEditorVisible_ = true;
    view_.showFrequencyEditor(col, row, table_.text(col, row));
}

void CellEditController::showTonePicker(int col, int row) {
    const QRect rect = view_.cellRect(col, row);
    tonePickerCellTop_ = rect.isEmpty() ? std::nullopt : std::optional<int>(rect.top());
    tonePickerVisible_ = true;
    toneEditRow_ = row;
    const int index = toneIndex(table_.text(col, row), texts_.offText);
    tonePickerHoldsCell_ = index >= 0;
    view_.showTonePicker(col, row, index);
}

void CellEditController::hideFrequencyEditor() {
    frequencyEditorVisible_ = false;
    view_.hideFrequencyEditor();
}

void CellEditController::hideTonePicker() {
    tonePickerVisible_ = false;
    view_.hideTonePicker();
}

} // namespace vrx

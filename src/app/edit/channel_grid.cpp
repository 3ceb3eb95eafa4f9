#include "edit/channel_grid.h"

#include "channels/channel_table.h"
#include "channels/tone_list.h"
#include "edit/channel_table_model.h"
#include "i18n/access_texts.h"
#include "i18n/ui_texts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace vrx {

namespace {

// The current cell keeps its normal colours; while the grid has the focus a frame around
// it shows where typing goes, also on cells that open no editor.
class PlainCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!option.state.testFlag(QStyle::State_HasFocus))
            return;
        painter->save();
        painter->setPen(QPen(kFocusFrameColour, 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }

private:
    // The frequency editor's border colour.
    static constexpr QColor kFocusFrameColour{58, 110, 165};
};

// Liberation Sans stands in for Arial where Arial is not installed (same metrics).
// The cells use 13 pixels rather than the classic 15: at 15 a nine-character frequency is
// wider than its 66-pixel column and would be cut.
constexpr int kCellFontPixels = 13;

QFont arial(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    return font;
}

constexpr int kWheelStep = 120; // one notch of a standard mouse wheel

// The header row is the fixed row 0 of the table; it wears the fixed colour in every
// built-in skin.
const QString kHeaderSheet = QStringLiteral(
    "QHeaderView::section { background: rgb(192,192,192); color: black; padding: 0px;"
    " border: none; border-right: 1px solid rgb(128,128,128);"
    " border-bottom: 1px solid rgb(128,128,128); font-family: Arial; font-size: 12px; }");
// The desktop's colours, with the same flat cells and size.
const QString kDesktopHeaderSheet = QStringLiteral(
    "QHeaderView::section { padding: 0px; border: none; border-right: 1px solid palette(mid);"
    " border-bottom: 1px solid palette(mid); background: palette(button);"
    " color: palette(button-text); font-family: Arial; font-size: 12px; }");
const QString kGridSheet = QStringLiteral(
    "QTableView { background: white; gridline-color: rgb(160,160,160); color: black; }");
const QString kEditorSheet =
    QStringLiteral("QLineEdit { border: 1px solid rgb(58,110,165); padding: 0px; background: white;"
                   " color: black; }");
const QString kDesktopEditorSheet =
    QStringLiteral("QLineEdit { border: 1px solid palette(highlight); padding: 0px; }");

} // namespace

ChannelGrid::ChannelGrid(ChannelTable *table, const UiTexts *texts, QWidget *parent)
    : QTableView(parent), texts_(texts), model_(new ChannelTableModel(table, this)) {
    setModel(model_);
    setItemDelegate(new PlainCellDelegate(this));
    setFont(arial(kCellFontPixels));
    setTextElideMode(Qt::ElideNone);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Only the current cell matters; nothing is ever selected, so nothing is highlighted.
    setSelectionMode(QAbstractItemView::NoSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setDragEnabled(false);

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView *header = horizontalHeader();
    // The header captions are longer than the values; a smaller size keeps
    // "QT/DQT解码" inside its 73 pixels.
    header->setFont(arial(12));
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setMinimumSectionSize(10);
    header->setFixedHeight(kRowHeight + 1);
    header->setStretchLastSection(false);
    for (int col = 0; col < kColumnCount; ++col)
        header->resizeSection(col, kColumnWidths[col]);
    useDesktopColours(false);

    int width = 2 * frameWidth();
    for (int w : kColumnWidths)
        width += w;
    setMinimumWidth(width + verticalScrollBar()->sizeHint().width());

    frequencyEditor_ = new QLineEdit(this);
    frequencyEditor_->setObjectName(QStringLiteral("frequencyEditor"));
    frequencyEditor_->setFixedSize(66, 18);
    frequencyEditor_->setAlignment(Qt::AlignCenter);
    frequencyEditor_->setFont(arial(kCellFontPixels));
    frequencyEditor_->setMaxLength(kFrequencyTextLength);
    // Part of the grid: Tab leaves the grid rather than stopping on its editor.
    frequencyEditor_->setFocusPolicy(Qt::ClickFocus);
    frequencyEditor_->setContextMenuPolicy(Qt::NoContextMenu);
    // Dropped text would pass no filter; typing and pasting do.
    frequencyEditor_->setAcceptDrops(false);
    frequencyEditor_->setStyleSheet(kEditorSheet);
    frequencyEditor_->hide();
    frequencyEditor_->installEventFilter(this);

    tonePicker_ = new QComboBox(this);
    tonePicker_->setObjectName(QStringLiteral("tonePicker"));
    tonePicker_->setEditable(false);
    tonePicker_->setFixedSize(73, 21);
    tonePicker_->setMaxVisibleItems(15);
    // A list dropped below the picker, 15 items high: the style's own list covers the
    // screen centred on the current item, so the release of the opening click would land
    // on an item and close it again.
    tonePicker_->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    tonePicker_->setFocusPolicy(Qt::ClickFocus);
    tonePicker_->hide();
    tonePicker_->installEventFilter(this);
    tonePickerLabel_ = new QLabel(this);
    tonePickerLabel_->hide();
    tonePickerLabel_->setBuddy(tonePicker_);
    refreshToneList();
    connect(tonePicker_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!updatingPicker_ && index >= 0)
            controller_->tonePickerTextChanged(tonePicker_->itemText(index));
    });
    // A choice in the dropped-down list (the click or Enter that closes it) hands the keys
    // back to the grid; the picker's own arrow keys still step the tone.
    tonePicker_->view()->installEventFilter(this);
    tonePicker_->view()->viewport()->installEventFilter(this);
    connect(tonePicker_, &QComboBox::activated, this, [this](int index) {
        const bool fromList = choosingInList_;
        choosingInList_ = false;
        if (fromList && index >= 0)
            controller_->tonePickerListChosen(tonePicker_->itemText(index));
    });

    // The grid starts on channel 1, RxFreq, without activating it.
    setCurrentIndex(model_->indexOf(RxFreqCol, 1));
    controller_ = std::make_unique<CellEditController>(*table, *texts_, *this);
}

ChannelGrid::~ChannelGrid() {
    // The editors report focus changes while they are destroyed; the controller is gone by
    // then.
    frequencyEditor_->removeEventFilter(this);
    tonePicker_->removeEventFilter(this);
    tonePicker_->view()->removeEventFilter(this);
    tonePicker_->view()->viewport()->removeEventFilter(this);
    tonePicker_->disconnect(this);
}

int ChannelGrid::currentColumn() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.column() : 0;
}

int ChannelGrid::currentChannel() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? ChannelTableModel::channelOf(index) : 0;
}

void ChannelGrid::selectCell(int col, int channel) {
    controller_->selectCell(col, channel);
}

void ChannelGrid::useDesktopColours(bool desktop) {
    horizontalHeader()->setStyleSheet(desktop ? kDesktopHeaderSheet : kHeaderSheet);
    setStyleSheet(desktop ? QString() : kGridSheet);
    if (frequencyEditor_)
        frequencyEditor_->setStyleSheet(desktop ? kDesktopEditorSheet : kEditorSheet);
    model_->useDesktopColours(desktop);
}

void ChannelGrid::setAccessTexts(const AccessTexts *texts) {
    access_ = texts;
    model_->setAccessTexts(texts);
    retranslateAccessible();
}

void ChannelGrid::retranslateAccessible() {
    if (!access_)
        return;
    setAccessibleName(access_->text(PackId::AccGridName));
    setAccessibleDescription(access_->text(PackId::AccGridDescription));
    frequencyEditor_->setAccessibleDescription(
        access_->text(PackId::AccFrequencyEditorDescription));
    tonePicker_->setAccessibleDescription(access_->text(PackId::AccTonePickerDescription));
    const int col = currentColumn();
    if (col >= RxFreqCol) {
        frequencyEditor_->setAccessibleName(access_->editorName(col, currentChannel()));
        tonePicker_->setAccessibleName(access_->editorName(col, currentChannel()));
        tonePickerLabel_->setText(tonePicker_->accessibleName());
    }
}

void ChannelGrid::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                              const QList<int> &roles) {
    QTableView::dataChanged(topLeft, bottomRight, roles);
    if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole))
        return;
    const QModelIndex current = currentIndex();
    // Only a change made with the grid in hand: typing in the editor speaks for itself.
    if (hasFocus() && current.isValid() && current.row() >= topLeft.row() &&
        current.row() <= bottomRight.row() && current.column() >= topLeft.column() &&
        current.column() <= bottomRight.column())
        announceCell(current);
}

void ChannelGrid::announceCell(const QModelIndex &index) {
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface *table = grid ? grid->tableInterface() : nullptr;
    QAccessibleInterface *cell = table ? table->cellAt(index.row(), index.column()) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent named(cell, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleValueChangeEvent value(cell, index.data(Qt::DisplayRole));
    QAccessible::updateAccessibility(&value);
}

int ChannelGrid::channelAfterPageKey(bool down) {
    const QModelIndex to = moveCursor(down ? MovePageDown : MovePageUp, Qt::NoModifier);
    return to.isValid() ? ChannelTableModel::channelOf(to) : currentChannel();
}

void ChannelGrid::refreshToneList() {
    const int index = tonePicker_->currentIndex();
    updatingPicker_ = true;
    tonePicker_->clear();
    tonePicker_->addItems(toneList(texts_->offText));
    // A picker shown empty over a tone the list lacks stays empty.
    tonePicker_->setCurrentIndex(index);
    updatingPicker_ = false;
}

// ---- CellEditView ----

QRect ChannelGrid::cellRect(int col, int row) const {
    const QRect rect = visualRect(model_->indexOf(col, row));
    if (!rect.intersects(viewport()->rect()))
        return {};
    return rect.translated(viewport()->geometry().topLeft());
}

void ChannelGrid::showFrequencyEditor(int col, int row, const QString &text) {
    const QRect rect = cellRect(col, row);
    if (access_)
        frequencyEditor_->setAccessibleName(access_->editorName(col, row));
    frequencyEditor_->setText(text);
    if (rect.isEmpty())
        return; // out of view; the controller hides it at the next repaint
    frequencyEditor_->move(rect.topLeft() + QPoint(2, 2));
    frequencyEditor_->show();
    frequencyEditor_->raise();
}

void ChannelGrid::insertFrequencyEditorText(const QString &text) {
    frequencyEditor_->insert(text);
}

void ChannelGrid::keepFocusInGrid(QWidget *hiding) {
    if (hiding->hasFocus())
        setFocus(Qt::OtherFocusReason);
}

void ChannelGrid::hideFrequencyEditor() {
    keepFocusInGrid(frequencyEditor_);
    frequencyEditor_->hide();
}

QString ChannelGrid::frequencyEditorText() const {
    return frequencyEditor_->text();
}

void ChannelGrid::setFrequencyEditorText(const QString &text) {
    frequencyEditor_->setText(text);
}

int ChannelGrid::frequencyEditorSelectionLength() const {
    return int(frequencyEditor_->selectedText().size());
}

void ChannelGrid::setFrequencyEditorCaret(int position) {
    frequencyEditor_->setCursorPosition(position);
}

void ChannelGrid::focusFrequencyEditor() {
    frequencyEditor_->setFocus(Qt::OtherFocusReason);
}

void ChannelGrid::showTonePicker(int col, int row, int selectedIndex) {
    const QRect rect = cellRect(col, row);
    if (access_) {
        tonePicker_->setAccessibleName(access_->editorName(col, row));
        tonePickerLabel_->setText(tonePicker_->accessibleName());
    }
    updatingPicker_ = true;
    tonePicker_->setCurrentIndex(selectedIndex); // -1 leaves it empty
    updatingPicker_ = false;
    if (rect.isEmpty())
        return;
    tonePicker_->move(rect.topLeft() + QPoint(1, 0));
    tonePicker_->show();
    tonePicker_->raise();
}

void ChannelGrid::hideTonePicker() {
    tonePicker_->hidePopup();
    keepFocusInGrid(tonePicker_);
    tonePicker_->hide();
}

void ChannelGrid::focusGrid() {
    setFocus(Qt::OtherFocusReason);
}

void ChannelGrid::selectGridCell(int col, int row) {
    const QModelIndex index = model_->indexOf(col, row);
    scrollTo(index);
    setCurrentIndex(index);
}

void ChannelGrid::reportError(const QString &message) {
    emit errorReported(message);
}

void ChannelGrid::reportNotice(const QString &message) {
    emit noticeReported(message);
}

// ---- Grid events ----

void ChannelGrid::mousePressEvent(QMouseEvent *event) {
    // Only the left button moves the current cell.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    pressedOnCell_ = index.isValid() && index.column() != NumberCol;
    doubleClickPress_ = false;
    if (pressedOnCell_)
        controller_->cellPressed(index.column(), ChannelTableModel::channelOf(index));
    QTableView::mousePressEvent(event);
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent *event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const bool activate = pressedOnCell_ && !doubleClickPress_;
    pressedOnCell_ = false;
    doubleClickPress_ = false;
    if (activate)
        controller_->cellReleased();
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent *event) {
    // The second press of a double click neither moves nor activates anything.
    if (event->button() == Qt::LeftButton)
        doubleClickPress_ = true;
    event->accept();
}

void ChannelGrid::mouseMoveEvent(QMouseEvent *event) {
    // Dragging would move the current cell past the controller; a grid cell is chosen by
    // press and release only.
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

bool ChannelGrid::isToneListKey(const QKeyEvent *event) const {
    if (!controller_->tonePickerVisible() || !tonePicker_->isVisible())
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_F4 && mods == Qt::NoModifier) ||
           (event->key() == Qt::Key_Down && mods == Qt::AltModifier) ||
           (event->key() == Qt::Key_Space && mods == Qt::NoModifier);
}

bool ChannelGrid::event(QEvent *event) {
    // Alt+Down is also a window shortcut (move the channel down); on a tone cell it opens
    // the list, as it does in any drop-down list.
    if (event->type() == QEvent::ShortcutOverride &&
        isToneListKey(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void ChannelGrid::keyPressEvent(QKeyEvent *event) {
    if (isToneListKey(event)) {
        tonePicker_->showPopup();
        event->accept();
        return;
    }
    if (controller_->gridKeyPressed(event->key(), event->text())) {
        event->accept();
        return;
    }
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (after.isValid() && after != before)
        controller_->gridMoved(after.column(), ChannelTableModel::channelOf(after));
}

void ChannelGrid::wheelEvent(QWheelEvent *event) {
    // Each notch moves the current row by one (and scrolls with it), like the arrow keys.
    wheelRemainder_ += event->angleDelta().y();
    while (wheelRemainder_ >= kWheelStep || wheelRemainder_ <= -kWheelStep) {
        const bool up = wheelRemainder_ > 0;
        wheelRemainder_ += up ? -kWheelStep : kWheelStep;
        controller_->wheelStep(up ? -1 : 1);
    }
    event->accept();
}

void ChannelGrid::focusInEvent(QFocusEvent *event) {
    QTableView::focusInEvent(event);
    // Only the focus coming from another control of the window hides the tone picker; the
    // window becoming active again or a closed menu gives back what was there.
    const Qt::FocusReason reason = event->reason();
    const bool returning = reason == Qt::ActiveWindowFocusReason ||
                           reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
    if (controller_ && !returning)
        controller_->gridFocusIn();
}

void ChannelGrid::showEvent(QShowEvent *event) {
    QTableView::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // The program comes up ready for typing into channel 1's receive frequency.
    setFocus(Qt::OtherFocusReason);
    controller_->activateGridCell();
}

void ChannelGrid::inputMethodEvent(QInputMethodEvent *event) {
    // A committed text counts as typed characters; a text still being composed shows in
    // the input method's own window.
    if (!event->commitString().isEmpty())
        controller_->gridTextInput(event->commitString());
    event->accept();
}

void ChannelGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    if (controller_)
        controller_->gridRepainted();
}

void ChannelGrid::keyboardSearch(const QString &) {
    // Typed characters belong to the frequency editor, never to a search of the cells.
}

// ---- Editor events ----

bool ChannelGrid::eventFilter(QObject *watched, QEvent *event) {
    if (watched == frequencyEditor_)
        return frequencyEditorEvent(event);
    if (watched == tonePicker_)
        return tonePickerEvent(event);
    // Events reach here while the grid is still being built.
    if (tonePicker_ &&
        (watched == tonePicker_->view() || watched == tonePicker_->view()->viewport())) {
        // Seen before the list's own handling, which closes it and reports the choice.
        const auto type = event->type();
        if (type == QEvent::MouseButtonRelease)
            choosingInList_ = true;
        else if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            choosingInList_ = key == Qt::Key_Return || key == Qt::Key_Enter;
        } else if (type == QEvent::Show)
            choosingInList_ = false;
        return false;
    }
    return QTableView::eventFilter(watched, event);
}

bool ChannelGrid::frequencyEditorEvent(QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste)) {
            pasteIntoFrequencyEditor(false);
            return true;
        }
        // Dropped keys never reach the line edit.
        return !controller_->frequencyEditorKeyPressed(key->key(), key->text());
    }
    case QEvent::KeyRelease:
        controller_->frequencyEditorKeyReleased();
        return false;
    case QEvent::InputMethod: {
        auto *input = static_cast<QInputMethodEvent *>(event);
        const QString committed = input->commitString();
        if (committed.isEmpty() && input->replacementLength() == 0)
            return false; // composing only; nothing enters the text yet
        // The composition goes on showing; the committed text passes the key filter.
        QInputMethodEvent composing(input->preeditString(), input->attributes());
        frequencyEditor_->removeEventFilter(this);
        QCoreApplication::sendEvent(frequencyEditor_, &composing);
        frequencyEditor_->installEventFilter(this);
        controller_->frequencyEditorTextInput(committed);
        return true;
    }
    case QEvent::MouseButtonRelease:
        // The middle button pastes the X11 selection.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton) {
            pasteIntoFrequencyEditor(true);
            return true;
        }
        return false;
    case QEvent::Wheel:
        // The editor lies over a grid cell: the wheel moves the current row there too.
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    default:
        return false;
    }
}

void ChannelGrid::pasteIntoFrequencyEditor(bool selection) {
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QString text = clipboard->text(selection ? QClipboard::Selection : QClipboard::Clipboard);
    controller_->frequencyEditorTextInput(text);
}

bool ChannelGrid::tonePickerEvent(QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        // The closed picker's own keys step the tone; they are no choice in the list (a
        // release the list ignored may have left the mark).
        choosingInList_ = false;
        // Left and Right step through the tones as Up and Down do.
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) {
            QKeyEvent step(QEvent::KeyPress, key->key() == Qt::Key_Left ? Qt::Key_Up : Qt::Key_Down,
                           key->modifiers());
            QCoreApplication::sendEvent(tonePicker_, &step);
            return true;
        }
        // A character would pick an item by its first letter; it closes the picker instead.
        // Arrow keys carry no text and change the selection as usual.
        if (key->text().isEmpty())
            return false;
        controller_->tonePickerKeyPressed();
        return true;
    }
    case QEvent::Wheel:
        // The wheel over the closed picker moves the current row as over the grid; it
        // never steps the tone.
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    case QEvent::FocusOut: {
        // Opening the drop-down list moves the focus into it, and a menu or another window
        // takes it only for a while; none of these is leaving the picker.
        // (The list takes the focus without saying so: the new focus widget is in it.)
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const QWidget *next = QApplication::focusWidget();
        const bool intoList = next && next->window() == tonePicker_->view()->window();
        if (!intoList && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::MenuBarFocusReason)
            controller_->tonePickerFocusLost(tonePicker_->currentText());
        return false;
    }
    default:
        return false;
    }
}

} // namespace vrx

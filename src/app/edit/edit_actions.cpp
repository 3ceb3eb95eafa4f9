#include "edit/edit_actions.h"

#include "channels/bulk_edit.h"
#include "channels/channel_clipboard.h"
#include "channels/row_operations.h"
#include "channels/tone_list.h"
#include "edit/channel_grid.h"
#include "edit/channel_table_model.h"
#include "edit/find_bar.h"
#include "files/interchange_actions.h"
#include "shell/main_window.h"
#include "shell/menu_access_keys.h"
#include "shell/window_texts.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace vrx {

namespace {

// The number column shows which channels are selected; the other cells keep their colours.
class NumberColumnDelegate : public QStyledItemDelegate {
public:
    NumberColumnDelegate(const RowSelection &selection, QObject *parent)
        : QStyledItemDelegate(parent), selection_(selection) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        QStyleOptionViewItem plain = option;
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (!selection_.isSelected(ChannelTableModel::channelOf(index))) {
            QStyledItemDelegate::paint(painter, plain, index);
            return;
        }
        painter->fillRect(option.rect, QColor(51, 102, 204));
        painter->setPen(Qt::white);
        painter->setFont(option.font);
        painter->drawText(option.rect, Qt::AlignCenter, index.data().toString());
    }

private:
    const RowSelection &selection_;
};

RowSelection::Click clickKind(Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier)
        return RowSelection::Click::Extend;
    if (modifiers & Qt::ControlModifier)
        return RowSelection::Click::Toggle;
    return RowSelection::Click::Plain;
}

} // namespace

EditActions::EditActions(MainWindow &window)
    : window_(window), history_(window.table(), window.settings(), window.bandPlan()) {
    chooseTone = [this](const QString &title, const QString &label, const QStringList &tones) {
        bool ok = false;
        const QString tone = QInputDialog::getItem(&window_, title, label, tones, 0, false, &ok);
        return ok ? std::optional<QString>(tone) : std::nullopt;
    };
    askOffset = [this](const QString &title, const QString &label) {
        bool ok = false;
        const QString text =
            QInputDialog::getText(&window_, title, label, QLineEdit::Normal, QString(), &ok);
        return ok ? std::optional<QString>(text) : std::nullopt;
    };

    history_.followSelection(&selection_);
    buildActions();
    findBar_ = new FindBar;
    connect(findBar_, &FindBar::nextRequested, this, &EditActions::findNext);
    connect(findBar_, &FindBar::closed, this,
            [this] { window_.grid()->setFocus(Qt::OtherFocusReason); });
    retranslate();

    ChannelGrid *grid = window_.grid();
    grid->setItemDelegateForColumn(NumberCol, new NumberColumnDelegate(selection_, grid));
    grid->viewport()->installEventFilter(this);
    grid->installEventFilter(this);
    // Installed after the grid's own filter, so it sees the editor's keys first.
    grid->frequencyEditor()->installEventFilter(this);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, &EditActions::showContextMenu);

    pendingTimer_.setSingleShot(true);
    pendingTimer_.setInterval(0);
    connect(&pendingTimer_, &QTimer::timeout, this, &EditActions::recordPendingEdits);
    connect(&window_.table(), &ChannelTable::rowsChanged, &pendingTimer_,
            qOverload<>(&QTimer::start));
    connect(qApp, &QApplication::focusChanged, &pendingTimer_, qOverload<>(&QTimer::start));
    updateUndoItems();
}

EditActions::~EditActions() = default;

QMenu *EditActions::contextMenu() const {
    return contextMenu_;
}

void EditActions::buildActions() {
    const std::pair<EditCommand, QList<QKeySequence>> keys[] = {
        {EditCommand::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {EditCommand::Redo,
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {EditCommand::SelectAll, {QKeySequence(Qt::CTRL | Qt::Key_A)}},
        {EditCommand::Copy, {QKeySequence(Qt::CTRL | Qt::Key_C)}},
        {EditCommand::Cut, {QKeySequence(Qt::CTRL | Qt::Key_X)}},
        {EditCommand::Paste, {QKeySequence(Qt::CTRL | Qt::Key_V)}},
        {EditCommand::InsertChannel, {QKeySequence(Qt::Key_Insert)}},
        {EditCommand::DeleteShiftUp, {QKeySequence(Qt::CTRL | Qt::Key_Delete)}},
        {EditCommand::Sort, {}},
        {EditCommand::Find, {QKeySequence(Qt::CTRL | Qt::Key_F)}},
        {EditCommand::FindNext, {QKeySequence(Qt::Key_F3)}},
    };
    for (const auto &[command, shortcuts] : keys) {
        auto *action = new QAction(&window_);
        action->setShortcuts(shortcuts);
        actions_[static_cast<int>(command)] = action;
        // Window-wide, like the menu they stand in.
        window_.addAction(action);
    }
    auto on = [this](EditCommand command, void (EditActions::*run)()) {
        connect(action(command), &QAction::triggered, this, [this, run] { (this->*run)(); });
    };
    on(EditCommand::Undo, &EditActions::undo);
    on(EditCommand::Redo, &EditActions::redo);
    on(EditCommand::SelectAll, &EditActions::selectAll);
    on(EditCommand::Copy, &EditActions::copy);
    on(EditCommand::Cut, &EditActions::cut);
    on(EditCommand::Paste, &EditActions::paste);
    on(EditCommand::InsertChannel, &EditActions::insertChannel);
    on(EditCommand::DeleteShiftUp, &EditActions::deleteAndShiftUp);
    on(EditCommand::Sort, &EditActions::sort);
    on(EditCommand::Find, &EditActions::showFind);
    on(EditCommand::FindNext, &EditActions::findNext);
}

void EditActions::addToMenu(QMenu *edit) {
    edit->addSeparator();
    for (EditCommand command : {EditCommand::Undo, EditCommand::Redo})
        edit->addAction(action(command));
    edit->addSeparator();
    for (EditCommand command :
         {EditCommand::SelectAll, EditCommand::Copy, EditCommand::Cut, EditCommand::Paste})
        edit->addAction(action(command));
    edit->addSeparator();
    for (EditCommand command :
         {EditCommand::InsertChannel, EditCommand::DeleteShiftUp, EditCommand::Sort})
        edit->addAction(action(command));
    edit->addSeparator();
    for (EditCommand command : {EditCommand::Find, EditCommand::FindNext})
        edit->addAction(action(command));
}

void EditActions::applyPack(const LanguagePack &pack) {
    texts_.apply(pack);
    retranslate();
}

void EditActions::retranslate() {
    const std::pair<EditCommand, PackId> captions[] = {
        {EditCommand::SelectAll, PackId::MenuSelectAll},
        {EditCommand::Copy, PackId::MenuCopy},
        {EditCommand::Cut, PackId::MenuCut},
        {EditCommand::Paste, PackId::MenuPaste},
        {EditCommand::InsertChannel, PackId::MenuInsertChannel},
        {EditCommand::DeleteShiftUp, PackId::MenuDeleteShiftUp},
        {EditCommand::Sort, PackId::MenuSortByRxFreq},
        {EditCommand::Find, PackId::MenuFind},
        {EditCommand::FindNext, PackId::MenuFindNext},
    };
    for (const auto &[command, id] : captions)
        action(command)->setText(texts_.text(id));
    findBar_->setCaptions(texts_.text(PackId::FindLabel), texts_.text(PackId::MsgNotFound));
    window_.grid()->channelModel()->setOutOfBandTip(texts_.text(PackId::TipOutsideBands));
    updateUndoItems();
}

void EditActions::updateUndoItems() {
    auto caption = [this](PackId format, std::optional<PackId> name) {
        return texts_.text(format).arg(name ? texts_.text(*name) : QString()).trimmed();
    };
    // An access key given to the caption stays while the caption says the same.
    auto setCaption = [](QAction *item, const QString &text) {
        if (withoutAccessKey(item->text()) != text)
            item->setText(text);
    };
    setCaption(action(EditCommand::Undo), caption(PackId::MenuUndo, history_.undoName()));
    action(EditCommand::Undo)->setEnabled(history_.undoName().has_value());
    setCaption(action(EditCommand::Redo), caption(PackId::MenuRedo, history_.redoName()));
    action(EditCommand::Redo)->setEnabled(history_.redoName().has_value());
}

// ---- History ----

bool EditActions::editorInUse() const {
    const ChannelGrid *grid = window_.grid();
    const QWidget *focus = QApplication::focusWidget();
    // Typing in the frequency editor, or choosing in the tone picker's list, is one step
    // that ends when the editor is left.
    return (focus && focus == grid->frequencyEditor()) || (focus && focus == grid->tonePicker()) ||
           (grid->tonePicker()->view() && grid->tonePicker()->view()->isVisible());
}

void EditActions::recordPendingEdits() {
    if (!editorInUse())
        history_.recordChannelChanges();
    updateUndoItems();
}

void EditActions::step(PackId name, const std::function<void()> &change, StepScope scope) {
    history_.runStep(name, scope, change);
    updateUndoItems();
}

void EditActions::beginStep(PackId name, StepScope scope) {
    history_.beginStep(name, scope);
}

void EditActions::endStep() {
    history_.endStep();
    updateUndoItems();
}

void EditActions::undo() {
    if (!window_.finishEditing())
        return;
    // The editors would show, and on their next key write back, the text undone.
    history_.undo();
    window_.grid()->editController().hideEditors();
    window_.grid()->viewport()->update();
    updateUndoItems();
}

void EditActions::redo() {
    if (!window_.finishEditing())
        return;
    history_.redo();
    window_.grid()->editController().hideEditors();
    window_.grid()->viewport()->update();
    updateUndoItems();
}

// ---- Selection and clipboard ----

QList<int> EditActions::targetRows() const {
    return selection_.rowsOr(window_.grid()->editController().currentRow());
}

void EditActions::selectAll() {
    selection_.selectAll();
    window_.grid()->viewport()->update();
}

void EditActions::copy() {
    if (!window_.finishEditing())
        return;
    QList<ChannelRow> rows;
    for (int row : targetRows())
        rows.append(window_.table().row(row));
    QApplication::clipboard()->setText(formatChannelRows(rows));
}

void EditActions::cut() {
    copy();
    step(PackId::StepCut, [this] {
        for (int row : targetRows())
            window_.table().clearRow(row);
    });
}

void EditActions::paste() {
    const QString text = QApplication::clipboard()->text();
    if (text.size() > kMaxPasteChars) {
        report(message(PackId::PasteTooLarge));
        return;
    }
    // Rows of a CSV channel list, header included, are an import at the current row.
    if (window_.interchangeActions().pasteCsv(text))
        return;
    if (!window_.finishEditing())
        return;
    const auto parsed = parseChannelRows(text, window_.texts());
    if (const auto *refusal = std::get_if<PasteRefusal>(&parsed)) {
        if (refusal->col > kFieldCount)
            report(message(PackId::MsgPasteTooManyFields).arg(refusal->line).arg(refusal->text));
        else
            report(message(PackId::MsgPasteRefused)
                       .arg(refusal->line)
                       .arg(window_.table().header(refusal->col), refusal->text));
        return;
    }
    const QList<ChannelRow> &rows = std::get<QList<ChannelRow>>(parsed);
    const int first = window_.grid()->editController().currentRow();
    if (rows.isEmpty()) {
        report(message(PackId::MsgPasteNothing));
        return;
    }
    if (first + rows.size() - 1 > kChannelCount) {
        report(message(PackId::MsgPastePastEnd)
                   .arg(rows.size())
                   .arg(window_.table().text(NumberCol, first)));
        return;
    }
    step(PackId::StepPaste, [this, &rows, first] {
        for (int i = 0; i < rows.size(); ++i)
            window_.table().setRow(first + i, rows[i]);
    });
}

// ---- Insert, delete, sort ----

void EditActions::insertChannel() {
    if (!window_.finishEditing())
        return;
    const int row = window_.grid()->editController().currentRow();
    // Nothing may fall off the end.
    if (window_.table().row(kChannelCount) != ChannelRow{}) {
        report(message(PackId::MsgInsertFull));
        return;
    }
    step(PackId::StepInsertChannel, [this, row] { insertEmptyChannel(window_.table(), row); });
}

void EditActions::deleteAndShiftUp() {
    if (!window_.finishEditing())
        return;
    const QList<int> rows = targetRows();
    step(PackId::StepDeleteShiftUp, [this, &rows] {
        deleteChannelsAndShiftUp(window_.table(), rows);
        selection_.clear();
    });
    window_.grid()->viewport()->update();
}

void EditActions::sort() {
    if (!window_.finishEditing())
        return;
    const QList<int> rows = selection_.rows();
    step(PackId::StepSort, [this, &rows] { sortByReceiveFrequency(window_.table(), rows); });
}

// ---- Find ----

void EditActions::showFind() {
    findBar_->open();
}

void EditActions::hideFind() {
    findBar_->dismiss();
}

void EditActions::findNext() {
    const QString query = findBar_->query();
    if (query.trimmed().isEmpty()) {
        showFind();
        return;
    }
    const CellEditController &editor = window_.grid()->editController();
    const std::optional<CellPosition> found =
        findNextCell(window_.table(), query, {editor.currentCol(), editor.currentRow()});
    if (!found) {
        findBar_->showNotFound(true);
        return;
    }
    findBar_->showNotFound(false);
    // A program move: it commits and activates as a user move does.
    window_.grid()->selectCell(found->col, found->row);
}

// ---- Bulk edits ----

void EditActions::bulkSetField(int col, const QString &text) {
    if (!window_.finishEditing())
        return;
    const QList<int> rows = targetRows();
    step(PackId::StepBulkEdit,
         [this, &rows, col, &text] { setFieldOfChannels(window_.table(), rows, col, text); });
}

void EditActions::bulkSetTones(bool receive, bool transmit) {
    if (!window_.finishEditing())
        return;
    const PackId title = receive && transmit ? PackId::BulkSetBothTones
                         : receive           ? PackId::BulkSetRxTone
                                             : PackId::BulkSetTxTone;
    const std::optional<QString> tone = chooseTone(
        texts_.text(title), texts_.text(PackId::BulkTonePrompt), toneList(window_.texts().offText));
    if (!tone)
        return;
    const QList<int> rows = targetRows();
    step(PackId::StepBulkEdit, [&] {
        if (receive)
            setFieldOfChannels(window_.table(), rows, RxToneCol, *tone);
        if (transmit)
            setFieldOfChannels(window_.table(), rows, TxToneCol, *tone);
    });
}

void EditActions::bulkTransmitEqualsReceive() {
    if (!window_.finishEditing())
        return;
    const QList<int> rows = targetRows();
    step(PackId::StepBulkEdit, [this, &rows] { copyReceiveToTransmit(window_.table(), rows); });
}

void EditActions::bulkShiftFrequencies() {
    if (!window_.finishEditing())
        return;
    const std::optional<QString> offset =
        askOffset(texts_.text(PackId::BulkShiftFrequencies), texts_.text(PackId::BulkShiftPrompt));
    if (!offset)
        return;
    const QList<int> rows = targetRows();
    std::optional<ShiftRefusal> refusal;
    step(PackId::StepBulkEdit, [&] { refusal = shiftFrequencies(window_.table(), rows, *offset); });
    if (!refusal)
        return;
    const QString channel = window_.table().text(NumberCol, refusal->row);
    switch (refusal->reason) {
    case ShiftRefusal::Reason::NotNumber:
        report(message(PackId::MsgShiftBadOffset).arg(*offset));
        break;
    case ShiftRefusal::Reason::OutOfRange:
        report(message(PackId::MsgShiftOutOfRange).arg(channel));
        break;
    case ShiftRefusal::Reason::OffRaster:
        report(message(PackId::MsgShiftOffRaster).arg(offset->trimmed()));
        break;
    case ShiftRefusal::Reason::LeavesRaster:
        report(message(PackId::MsgShiftLeavesRaster).arg(channel, offset->trimmed()));
        break;
    }
}

QMenu *EditActions::buildBulkMenu(QWidget *parent) {
    auto *bulk = new QMenu(texts_.text(PackId::MenuBulkEdit), parent);
    const UiTexts &words = window_.texts();
    const std::tuple<PackId, int, QString, QString> twoValued[] = {
        {PackId::BulkSetPower, PowerCol, words.highText, words.lowText},
        {PackId::BulkSetBandwidth, BandwidthCol, words.wideText, words.narrowText},
        {PackId::BulkSetScan, ScanCol, words.onText, words.offText},
        {PackId::BulkSetBusyLock, BusyLockCol, words.onText, words.offText},
    };
    for (const auto &[id, col, first, second] : twoValued) {
        QMenu *sub = bulk->addMenu(texts_.text(id));
        for (const QString &value : {first, second}) {
            sub->addAction(value, this, [this, col = col, value] { bulkSetField(col, value); });
        }
    }
    bulk->addSeparator();
    bulk->addAction(texts_.text(PackId::BulkSetRxTone), this,
                    [this] { bulkSetTones(true, false); });
    bulk->addAction(texts_.text(PackId::BulkSetTxTone), this,
                    [this] { bulkSetTones(false, true); });
    bulk->addAction(texts_.text(PackId::BulkSetBothTones), this,
                    [this] { bulkSetTones(true, true); });
    bulk->addSeparator();
    bulk->addAction(texts_.text(PackId::BulkTxEqualsRx), this,
                    &EditActions::bulkTransmitEqualsReceive);
    bulk->addAction(texts_.text(PackId::BulkShiftFrequencies), this,
                    &EditActions::bulkShiftFrequencies);
    return bulk;
}

void EditActions::showContextMenu(const QPoint &pos) {
    if (contextMenu_)
        contextMenu_->close();
    ChannelGrid *grid = window_.grid();
    auto *menu = new QMenu(grid);
    menu->setObjectName(QStringLiteral("gridContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (EditCommand command : {EditCommand::Copy, EditCommand::Cut, EditCommand::Paste})
        menu->addAction(action(command));
    menu->addSeparator();
    for (EditCommand command :
         {EditCommand::InsertChannel, EditCommand::DeleteShiftUp, EditCommand::Sort})
        menu->addAction(action(command));
    if (selection_.size() >= 2) {
        menu->addSeparator();
        menu->addMenu(buildBulkMenu(menu));
    }
    contextMenu_ = menu;
    keepAccessKeys(menu);
    menu->popup(grid->viewport()->mapToGlobal(pos));
}

// ---- Events ----

bool EditActions::numberColumnEvent(QEvent *event) {
    ChannelGrid *grid = window_.grid();
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint pos = mouse->position().toPoint();
    const QModelIndex index = grid->indexAt(pos);
    const int row = index.isValid() ? ChannelTableModel::channelOf(index) : 0;
    switch (event->type()) {
    case QEvent::MouseMove:
        // The rest of a press taken here stays here.
        if (!pressOnNumber_)
            return false;
        if (dragFrom_ && !dragging_ &&
            (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
            dragging_ = true;
            grid->viewport()->setCursor(Qt::ClosedHandCursor);
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (!pressOnNumber_)
            return false;
        pressOnNumber_ = false;
        if (dragging_) {
            dragging_ = false;
            grid->viewport()->unsetCursor();
            if (row)
                dropSelectionAt(row);
        } else if (dragFrom_) {
            // A click on a selected number without a drag selects that channel alone.
            selection_.click(dragFrom_, RowSelection::Click::Plain);
            grid->viewport()->update();
        }
        dragFrom_ = 0;
        return true;
    default:
        break;
    }
    if (mouse->button() != Qt::LeftButton || !index.isValid())
        return false;
    if (index.column() != NumberCol) {
        // A plain click on a cell ends the selection; the grid handles the click as ever.
        if (!(mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) &&
            !selection_.isEmpty()) {
            selection_.clear();
            grid->viewport()->update();
        }
        return false;
    }
    pressOnNumber_ = true;
    pressPos_ = pos;
    const RowSelection::Click kind = clickKind(mouse->modifiers());
    if (kind == RowSelection::Click::Plain && selection_.isSelected(row) &&
        event->type() == QEvent::MouseButtonPress) {
        // Pressed on the selection: a drag moves it, a click selects this one.
        dragFrom_ = row;
    } else {
        // A quick second click is a click too.
        selection_.click(row, kind);
        grid->viewport()->update();
    }
    grid->setFocus(Qt::MouseFocusReason);
    return true;
}

bool EditActions::selectionKey(const QKeyEvent *key) {
    ChannelGrid *grid = window_.grid();
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    CellEditController &editor = grid->editController();
    const int current = editor.gridRow();
    if (key->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        if (selection_.isEmpty())
            return false;
        selection_.clear();
        updateSelectionView();
        return true;
    }
    if (mods != Qt::ShiftModifier)
        return false;
    int to = 0;
    switch (key->key()) {
    case Qt::Key_Space:
        selection_.click(current, RowSelection::Click::Plain);
        updateSelectionView();
        return true;
    case Qt::Key_Up:
        to = current - 1;
        break;
    case Qt::Key_Down:
        to = current + 1;
        break;
    case Qt::Key_PageUp:
        to = grid->channelAfterPageKey(false);
        break;
    case Qt::Key_PageDown:
        to = grid->channelAfterPageKey(true);
        break;
    default:
        return false;
    }
    to = std::clamp(to, 1, kChannelCount);
    selection_.extend(current, to);
    // Selecting is no editing: the cells passed keep their values.
    editor.moveRowKeepingToggles(to);
    updateSelectionView();
    return true;
}

void EditActions::updateSelectionView() {
    window_.grid()->viewport()->update();
}

void EditActions::dropSelectionAt(int row) {
    if (!window_.finishEditing())
        return;
    const QList<int> rows = selection_.rows();
    step(PackId::StepMoveChannels, [this, &rows, row] {
        const int first = moveChannels(window_.table(), rows, row);
        // The moved channels stay selected where they landed (inside the step, so that
        // undo selects them where they were).
        selection_.click(first, RowSelection::Click::Plain);
        selection_.click(first + int(rows.size()) - 1, RowSelection::Click::Extend);
    });
    window_.grid()->viewport()->update();
}

bool EditActions::eventFilter(QObject *watched, QEvent *event) {
    ChannelGrid *grid = window_.grid();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        if (watched == grid->viewport())
            return numberColumnEvent(event);
        return false;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == grid)
            return selectionKey(key);
        if (watched == grid->frequencyEditor()) {
            // The editor's own undo while it is being typed into; the key filter would
            // drop these keys as characters.
            if (key->matches(QKeySequence::Undo)) {
                grid->frequencyEditor()->undo();
                return true;
            }
            if (key->matches(QKeySequence::Redo)) {
                grid->frequencyEditor()->redo();
                return true;
            }
        }
        return false;
    }
    default:
        return false;
    }
}

void EditActions::report(const QString &message) {
    window_.reportError(message);
}

} // namespace vrx

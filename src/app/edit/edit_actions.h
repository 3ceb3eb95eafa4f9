#pragma once

#include "channels/plan_history.h"
#include "channels/row_selection.h"
#include "i18n/edit_texts.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QKeyEvent;
class QMenu;
class QWidget;

namespace vrx {

class FindBar;
class LanguagePack;
class MainWindow;

enum class EditCommand : int {
    Undo,
    Redo,
    SelectAll,
    Copy,
    Cut,
    Paste,
    InsertChannel,
    DeleteShiftUp,
    Sort,
    Find,
    FindNext,
};
inline constexpr int kEditCommandCount = 11;

// The editing commands beyond the specified cell editing: undo and redo over the plan
// history, selecting channels by their numbers (and dragging them there to move them), the channel
// clipboard, insert and delete with shifting, sorting, the find bar and the bulk edits of the
// grid's context menu. Each command is a thin call into the core and one undo step.
class EditActions : public QObject {
    Q_OBJECT
public:
    // The window's grid and plan must exist; the find bar is made here for the window to
    // place.
    explicit EditActions(MainWindow &window);
    ~EditActions() override;

    // Appends the commands to the Edit menu, after a separator.
    void addToMenu(QMenu *edit);
    QAction *action(EditCommand command) const { return actions_[static_cast<int>(command)]; }
    FindBar *findBar() const { return findBar_; }
    // The context menu last opened on the grid (for the tests); nullptr once it has closed.
    QMenu *contextMenu() const;
    const RowSelection &selection() const { return selection_; }
    PlanHistory &history() { return history_; }
    const EditTexts &texts() const { return texts_; }

    // A language pack was loaded: captions, step names and messages in its language.
    void applyPack(const LanguagePack &pack);

    // Runs `change` as one undo step and updates the Undo/Redo items.
    void step(PackId name, const std::function<void()> &change,
              StepScope scope = StepScope::Channels);
    void beginStep(PackId name, StepScope scope = StepScope::Channels);
    void endStep();
    // Records cell edits made since the last step (unless an editor is in use) and updates
    // the Undo/Redo items.
    void recordPendingEdits();

    void undo();
    void redo();
    void selectAll();
    void copy();
    void cut();
    void paste();
    void insertChannel();
    void deleteAndShiftUp();
    void sort();
    void showFind();
    void hideFind();
    void findNext();

    // Bulk edits of the selected channels (the current one when none is selected).
    void bulkSetField(int col, const QString &text);
    void bulkSetTones(bool receive, bool transmit);
    void bulkTransmitEqualsReceive();
    void bulkShiftFrequencies();

    // Dialogs of the bulk edits; tests replace them. Each returns nullopt when cancelled.
    std::function<std::optional<QString>(const QString &title, const QString &label,
                                         const QStringList &tones)>
        chooseTone;
    std::function<std::optional<QString>(const QString &title, const QString &label)> askOffset;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    void retranslate();
    void updateUndoItems();
    void showContextMenu(const QPoint &pos);
    QMenu *buildBulkMenu(QWidget *parent);
    bool numberColumnEvent(QEvent *event);
    // Shift with Up, Down, Page Up or Page Down, Shift+Space and Escape on the grid.
    bool selectionKey(const QKeyEvent *key);
    void updateSelectionView();
    // Drag and drop of the selected channels by their numbers.
    void dropSelectionAt(int row);
    bool editorInUse() const;
    QList<int> targetRows() const;
    QString message(PackId id) const { return texts_.text(id); }
    void report(const QString &message);

    MainWindow &window_;
    PlanHistory history_;
    EditTexts texts_;
    RowSelection selection_;
    std::array<QAction *, kEditCommandCount> actions_{};
    FindBar *findBar_ = nullptr;
    QPointer<QMenu> contextMenu_;
    // Cell edits are gathered after the event that made them, once the editors rest.
    QTimer pendingTimer_;
    bool pressOnNumber_ = false;
    QPoint pressPos_;
    // Channel whose selected number was pressed (a drag may follow); 0 when none.
    int dragFrom_ = 0;
    bool dragging_ = false;
};

} // namespace vrx

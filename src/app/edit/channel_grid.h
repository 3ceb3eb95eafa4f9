#pragma once

#include "channels/cell_edit_controller.h"
#include "channels/cell_edit_view.h"

#include <QTableView>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vrx {

class AccessTexts;
class ChannelTable;
class ChannelTableModel;
struct UiTexts;

// The channel table as a grid: 9 columns x 199 channels under a header row, the channel
// number column fixed and grey, every fifth channel shaded, no selection colour.
//
// Cells are never edited in place: the grid carries the two floating editors (a frequency
// line edit and a tone picker) and forwards its own and their events to a
// CellEditController, which decides what opens, what is written and when it closes.
class ChannelGrid : public QTableView, public CellEditView {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 20;
    static constexpr int kColumnWidths[9] = {35, 66, 73, 66, 72, 60, 48, 35, 61};

    // `texts` is read at each use and must outlive the grid.
    ChannelGrid(ChannelTable *table, const UiTexts *texts, QWidget *parent = nullptr);
    ~ChannelGrid() override;

    ChannelTableModel *channelModel() const { return model_; }
    CellEditController &editController() { return *controller_; }
    QLineEdit *frequencyEditor() const { return frequencyEditor_; }
    QComboBox *tonePicker() const { return tonePicker_; }

    // The grid's own current cell as (column 1..8, channel 1..199); 0 when there is none.
    int currentColumn() const;
    int currentChannel() const;
    // Makes (col, channel) the current cell as a program move: commits and activates as a
    // user move does.
    void selectCell(int col, int channel);
    // What a screen reader hears for the grid, its cells and its editors; read at each
    // use, so it must outlive the grid.
    void setAccessTexts(const AccessTexts *texts);
    // The built-in skins' white grid and grey header, or the desktop palette's colours.
    void useDesktopColours(bool desktop);
    // Names and describes the grid and its editors in the texts' language.
    void retranslateAccessible();
    // The channel a Page Up or Page Down would land on from the current cell.
    int channelAfterPageKey(bool down);
    // Rebuilds the tone picker's items; the first one is the language's "no tone" word.
    void refreshToneList();

    // CellEditView: rectangles are in the grid's coordinates, where the editors live.
    QRect cellRect(int col, int row) const override;
    void showFrequencyEditor(int col, int row, const QString &text) override;
    void hideFrequencyEditor() override;
    QString frequencyEditorText() const override;
    void setFrequencyEditorText(const QString &text) override;
    int frequencyEditorSelectionLength() const override;
    void setFrequencyEditorCaret(int position) override;
    void insertFrequencyEditorText(const QString &text) override;
    void focusFrequencyEditor() override;
    void showTonePicker(int col, int row, int selectedIndex) override;
    void hideTonePicker() override;
    void focusGrid() override;
    void selectGridCell(int col, int row) override;
    void reportError(const QString &message) override;
    void reportNotice(const QString &message) override;

signals:
    // A commit met a cell it cannot read; the window shows the message.
    void errorReported(const QString &message);
    // An edit did something worth saying (a value moved to a limit); for the status line.
    void noticeReported(const QString &message);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool event(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyboardSearch(const QString &search) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;

private:
    // A switched cell says its new value to a screen reader.
    void announceCell(const QModelIndex &index);
    bool frequencyEditorEvent(QEvent *event);
    bool tonePickerEvent(QEvent *event);
    // A widget about to be hidden that holds the focus would pass it on to the next
    // control of the window; the grid takes it instead.
    void keepFocusInGrid(QWidget *hiding);
    // F4, Alt+Down or Space on a tone cell whose picker shows: the key opens its list.
    bool isToneListKey(const QKeyEvent *event) const;
    // The clipboard's text (or the X11 selection) through the frequency editor's filter.
    void pasteIntoFrequencyEditor(bool selection);

    const UiTexts *texts_;
    const AccessTexts *access_ = nullptr;
    ChannelTableModel *model_;
    QLineEdit *frequencyEditor_ = nullptr;
    QComboBox *tonePicker_ = nullptr;
    // Never shown: on Linux a list is named by its label, not by its own name.
    QLabel *tonePickerLabel_ = nullptr;
    std::unique_ptr<CellEditController> controller_;
    bool pressedOnCell_ = false;
    bool doubleClickPress_ = false;
    bool updatingPicker_ = false;
    // A click or Enter in the picker's open list is choosing an item.
    bool choosingInList_ = false;
    bool shown_ = false;
    int wheelRemainder_ = 0;
};

} // namespace vrx

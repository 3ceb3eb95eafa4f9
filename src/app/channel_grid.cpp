#include "channel_grid.h"

#include "channel_table_model.h"
#include "channels/channel_table.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace vrx {

namespace {

// The current cell keeps its normal colours (no focus frame); the floating editors show
// where it is.
class PlainCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }
};

QFont gridFont() {
    // Liberation Sans stands in for Arial where Arial is not installed (same metrics).
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    return font;
}

} // namespace

ChannelGrid::ChannelGrid(ChannelTable *table, QWidget *parent)
    : QTableView(parent), model_(new ChannelTableModel(table, this)) {
    setModel(model_);
    setItemDelegate(new PlainCellDelegate(this));
    setFont(gridFont());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Only the current cell matters; nothing is ever selected, so nothing is highlighted.
    setSelectionMode(QAbstractItemView::NoSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView *header = horizontalHeader();
    // The header captions are longer than the values; a smaller size keeps
    // "QT/DQT解码" inside its 73 pixels.
    QFont headerFont = gridFont();
    headerFont.setPixelSize(12);
    header->setFont(headerFont);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setMinimumSectionSize(10);
    header->setFixedHeight(kRowHeight + 1);
    header->setStretchLastSection(false);
    for (int col = 0; col < kColumnCount; ++col)
        header->resizeSection(col, kColumnWidths[col]);
    // The header row is the fixed row 0 of the table; it wears the fixed colour in every skin.
    header->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background: rgb(192,192,192); color: black; padding: 0px;"
        " border: none; border-right: 1px solid rgb(128,128,128);"
        " border-bottom: 1px solid rgb(128,128,128); font-family: Arial; font-size: 12px; }"));
    setStyleSheet(QStringLiteral("QTableView { background: white; gridline-color: rgb(160,160,160);"
                                 " color: black; }"));

    int width = 2 * frameWidth();
    for (int w : kColumnWidths)
        width += w;
    setMinimumWidth(width + verticalScrollBar()->sizeHint().width());
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
    if (col < 1 || col > kFieldCount || channel < 1 || channel > kChannelCount)
        return;
    setCurrentIndex(model_->indexOf(col, channel));
}

QRect ChannelGrid::cellRect(int col, int channel) const {
    const QRect rect = visualRect(model_->indexOf(col, channel));
    return rect.intersects(viewport()->rect()) ? rect : QRect();
}

} // namespace vrx

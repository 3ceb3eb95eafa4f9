#pragma once

#include <QTableView>

namespace vrx {

class ChannelTable;
class ChannelTableModel;

// The channel table as a grid: 9 columns x 199 channels under a header row, the channel
// number column fixed and grey, every fifth channel shaded, no selection colour.
// Cells are never edited in place.
class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 20;
    static constexpr int kColumnWidths[9] = {35, 66, 73, 66, 72, 60, 48, 35, 61};

    explicit ChannelGrid(ChannelTable *table, QWidget *parent = nullptr);

    ChannelTableModel *channelModel() const { return model_; }

    // The current cell as (column 1..8, channel 1..199); (0, 0) when there is none.
    int currentColumn() const;
    int currentChannel() const;
    // Makes (col, channel) the current cell, as a program move.
    void selectCell(int col, int channel);
    // The cell's rectangle in viewport coordinates; empty when it is scrolled out of view.
    QRect cellRect(int col, int channel) const;

private:
    ChannelTableModel *model_;
};

} // namespace vrx

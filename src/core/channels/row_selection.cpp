#include "channels/row_selection.h"

#include "channels/channel_table.h"

#include <algorithm>

namespace vrx {

void RowSelection::click(int row, Click kind) {
    if (row < 1 || row > kChannelCount)
        return;
    switch (kind) {
    case Click::Plain:
        rows_ = {row};
        anchor_ = row;
        break;
    case Click::Extend: {
        const int from = anchor_ ? anchor_ : row;
        rows_.clear();
        for (int r = std::min(from, row); r <= std::max(from, row); ++r)
            rows_.insert(r);
        anchor_ = from;
        break;
    }
    case Click::Toggle:
        if (!rows_.erase(row))
            rows_.insert(row);
        anchor_ = row;
        break;
    }
}

void RowSelection::extend(int from, int to) {
    if (from < 1 || from > kChannelCount)
        return;
    if (!anchor_ || !isSelected(from))
        click(from, Click::Plain);
    click(std::clamp(to, 1, kChannelCount), Click::Extend);
}

void RowSelection::selectAll() {
    for (int row = 1; row <= kChannelCount; ++row)
        rows_.insert(row);
    // A key that extends it afterwards starts from the current channel.
    anchor_ = 0;
}

void RowSelection::clear() {
    rows_.clear();
    anchor_ = 0;
}

QList<int> RowSelection::rowsOr(int current) const {
    return rows_.empty() ? QList<int>{current} : rows();
}

} // namespace vrx

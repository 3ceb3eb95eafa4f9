#pragma once

#include <QList>

#include <set>

namespace vrx {

// The channels selected by their numbers: a click selects one, Shift+click extends from
// the last clicked one, Ctrl+click toggles one; Shift with the arrow and page keys
// extends it. Kept apart from the current cell.
class RowSelection {
public:
    enum class Click { Plain, Extend, Toggle };

    void click(int row, Click kind);
    // A key extends the selection from the current channel `from` to `to`: from the
    // anchor while `from` lies in the selection, else from `from` itself.
    void extend(int from, int to);
    void selectAll();
    void clear();

    bool isSelected(int row) const { return rows_.count(row) > 0; }
    int size() const { return int(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    // Ascending.
    QList<int> rows() const { return QList<int>(rows_.begin(), rows_.end()); }
    // The selected channels, or `current` alone when none is selected.
    QList<int> rowsOr(int current) const;

private:
    std::set<int> rows_;
    int anchor_ = 0;
};

} // namespace vrx

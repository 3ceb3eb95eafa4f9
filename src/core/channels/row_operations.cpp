#include "channels/row_operations.h"

#include "channels/frequency.h"

#include <algorithm>
#include <limits>
#include <set>

namespace vrx {

namespace {

bool isChannel(int row) {
    return row >= 1 && row <= kChannelCount;
}

std::set<int> channelSet(const QList<int> &rows) {
    std::set<int> set;
    for (int row : rows) {
        if (isChannel(row))
            set.insert(row);
    }
    return set;
}

} // namespace

bool insertEmptyChannel(ChannelTable &table, int row) {
    if (!isChannel(row) || table.row(kChannelCount) != ChannelRow{})
        return false;
    ChannelRows rows = table.rows();
    std::move_backward(rows.begin() + row - 1, rows.end() - 1, rows.end());
    rows[row - 1] = ChannelRow{};
    table.setRows(rows);
    return true;
}

void deleteChannelsAndShiftUp(ChannelTable &table, const QList<int> &rows) {
    const std::set<int> removed = channelSet(rows);
    if (removed.empty())
        return;
    const ChannelRows before = table.rows();
    ChannelRows after{};
    int next = 0;
    for (int row = 1; row <= kChannelCount; ++row) {
        if (!removed.count(row))
            after[next++] = before[row - 1];
    }
    table.setRows(after);
}

int moveChannels(ChannelTable &table, const QList<int> &rows, int target) {
    const std::set<int> moved = channelSet(rows);
    if (moved.empty())
        return 0;
    const ChannelRows before = table.rows();
    std::vector<ChannelRow> rest;
    std::vector<ChannelRow> block;
    for (int row = 1; row <= kChannelCount; ++row)
        (moved.count(row) ? block : rest).push_back(before[row - 1]);
    const int first = std::clamp(target, 1, int(rest.size()) + 1);
    rest.insert(rest.begin() + first - 1, block.begin(), block.end());
    ChannelRows after;
    std::copy(rest.begin(), rest.end(), after.begin());
    table.setRows(after);
    return first;
}

void sortByReceiveFrequency(ChannelTable &table, QList<int> rows) {
    std::set<int> places = channelSet(rows);
    if (places.size() < 2) {
        places.clear();
        for (int row = 1; row <= kChannelCount; ++row)
            places.insert(row);
    }
    const ChannelRows before = table.rows();
    // Key: empty channels last, then texts that are no number, then by frequency.
    auto key = [](const ChannelRow &row) -> std::pair<int, qint64> {
        if (row[RxFreqCol - 1].isEmpty())
            return {2, 0};
        const std::optional<qint64> units = parseFrequencyUnits(row[RxFreqCol - 1]);
        return units ? std::pair<int, qint64>{0, *units} : std::pair<int, qint64>{1, 0};
    };
    std::vector<ChannelRow> sorted;
    for (int row : places)
        sorted.push_back(before[row - 1]);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&key](const ChannelRow &a, const ChannelRow &b) { return key(a) < key(b); });
    ChannelRows after = before;
    auto it = sorted.begin();
    for (int row : places)
        after[row - 1] = *it++;
    table.setRows(after);
}

bool cellMatches(int col, const QString &cellText, const QString &query) {
    const QString wanted = query.trimmed();
    if (wanted.isEmpty() || cellText.isEmpty())
        return false;
    if (col == RxFreqCol || col == TxFreqCol) {
        if (cellText.startsWith(wanted))
            return true;
        const std::optional<QString> normalised = normaliseFrequency(wanted);
        // A query outside the bands is clamped by normalising; it must not find the edges.
        const std::optional<qint64> units = parseFrequencyUnits(wanted);
        return normalised && units && *units >= kMinFrequencyUnits &&
               *units <= kMaxFrequencyUnits && *normalised == cellText;
    }
    if (col == RxToneCol || col == TxToneCol)
        return cellText.contains(wanted, Qt::CaseInsensitive);
    return false;
}

std::optional<CellPosition> findNextCell(const ChannelTable &table, const QString &query,
                                         CellPosition after) {
    constexpr int kSearchCols[] = {RxFreqCol, RxToneCol, TxFreqCol, TxToneCol};
    constexpr int kCellCount = kChannelCount * kFieldCount;
    const int start = (std::clamp(after.row, 1, kChannelCount) - 1) * kFieldCount +
                      std::clamp(after.col, 1, kFieldCount) - 1;
    for (int step = 1; step <= kCellCount; ++step) {
        const int cell = (start + step) % kCellCount;
        const int row = cell / kFieldCount + 1;
        const int col = cell % kFieldCount + 1;
        if (std::find(std::begin(kSearchCols), std::end(kSearchCols), col) == std::end(kSearchCols))
            continue;
        if (cellMatches(col, table.text(col, row), query))
            return CellPosition{col, row};
    }
    return std::nullopt;
}

} // namespace vrx

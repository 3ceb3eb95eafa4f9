#include "channels/bulk_edit.h"

#include "channels/frequency.h"

namespace vrx {

namespace {

template <typename Edit> void forEachChannel(const QList<int> &rows, Edit edit) {
    QList<int> seen;
    for (int row : rows) {
        if (row < 1 || row > kChannelCount || seen.contains(row))
            continue;
        seen.append(row);
        edit(row);
    }
}

} // namespace

void setFieldOfChannels(ChannelTable &table, const QList<int> &rows, int col, const QString &text) {
    if (col <= RxFreqCol || col > kFieldCount)
        return;
    forEachChannel(rows, [&](int row) {
        if (!table.isEmptyChannel(row))
            table.setText(col, row, text);
    });
}

void copyReceiveToTransmit(ChannelTable &table, const QList<int> &rows) {
    forEachChannel(rows, [&](int row) {
        if (!table.isEmptyChannel(row))
            table.setText(TxFreqCol, row, table.text(RxFreqCol, row));
    });
}

std::optional<ShiftRefusal> shiftFrequencies(ChannelTable &table, const QList<int> &rows,
                                             const QString &offsetMHz) {
    const std::optional<qint64> offset = parseFrequencyUnits(offsetMHz);
    if (!offset)
        return ShiftRefusal{0};
    ChannelRows after = table.rows();
    std::optional<ShiftRefusal> refusal;
    forEachChannel(rows, [&](int row) {
        if (refusal || table.isEmptyChannel(row))
            return;
        for (int col : {RxFreqCol, TxFreqCol}) {
            QString &text = after[row - 1][col - 1];
            if (text.isEmpty())
                continue;
            const std::optional<qint64> units = parseFrequencyUnits(text);
            const qint64 shifted = units ? *units + *offset : 0;
            if (!units || shifted < kMinFrequencyUnits || shifted > kMaxFrequencyUnits) {
                refusal = ShiftRefusal{row};
                return;
            }
            text = normaliseFrequency(formatFrequencyUnits(shifted)).value_or(text);
        }
    });
    if (refusal)
        return refusal;
    table.setRows(after);
    return std::nullopt;
}

} // namespace vrx

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
    using Reason = ShiftRefusal::Reason;
    const std::optional<qint64> offset = parseFrequencyUnits(offsetMHz);
    if (!offset)
        return ShiftRefusal{0, Reason::NotNumber};
    // Any other offset moves some channels by more or less than asked once normalisation
    // puts them back onto the raster (0.003 MHz moved them by 5, 3.75 and 6.25 kHz).
    if (*offset % kRasterUnits5k != 0 && *offset % kRasterUnits6k25 != 0)
        return ShiftRefusal{0, Reason::OffRaster};
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
                refusal = ShiftRefusal{row, Reason::OutOfRange};
                return;
            }
            const std::optional<QString> normalised =
                normaliseFrequency(formatFrequencyUnits(shifted));
            if (!normalised || parseFrequencyUnits(*normalised) != shifted) {
                refusal = ShiftRefusal{row, Reason::LeavesRaster};
                return;
            }
            text = *normalised;
        }
    });
    if (refusal)
        return refusal;
    table.setRows(after);
    return std::nullopt;
}

} // namespace vrx

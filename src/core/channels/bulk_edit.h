#pragma once

#include "channels/channel_table.h"

#include <QList>
#include <QString>

#include <optional>

namespace vrx {

// Edits of one field over several channels. Empty channels among the rows are left alone;
// rows outside 1..199 are ignored. The caller makes each call one undo step.

// Writes `text` into column `col` (2..8) of every non-empty channel among `rows`.
void setFieldOfChannels(ChannelTable &table, const QList<int> &rows, int col, const QString &text);

// TxFreq := RxFreq on every non-empty channel among `rows`.
void copyReceiveToTransmit(ChannelTable &table, const QList<int> &rows);

struct ShiftRefusal {
    int row = 0; // channel whose frequency would leave 100-550 MHz; 0: the offset is no number
};

// Adds `offsetMHz` (a decimal text such as "5", "-0.5") to RxFreq and TxFreq of every
// non-empty channel among `rows` and normalises the results. Refused as a whole, nothing
// changed, when the offset is no number or any result leaves 100-550 MHz (or a frequency
// there is no number).
std::optional<ShiftRefusal> shiftFrequencies(ChannelTable &table, const QList<int> &rows,
                                             const QString &offsetMHz);

} // namespace vrx

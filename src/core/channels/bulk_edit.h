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
    enum class Reason {
        NotNumber,    // the offset is no number
        OutOfRange,   // `row`'s frequency would leave 100-550 MHz (or is no number)
        OffRaster,    // the offset is no whole number of 5 kHz or of 6.25 kHz steps
        LeavesRaster, // `row`'s frequency would land off the raster and be moved further
    };
    int row = 0; // 0 for the reasons about the offset itself
    Reason reason = Reason::NotNumber;
};

// Adds `offsetMHz` (a decimal text such as "5", "-0.5") to RxFreq and TxFreq of every
// non-empty channel among `rows`. Every channel moves by exactly the offset, or nothing
// moves: refused as a whole when the offset is no number or no whole number of raster steps,
// or when any result would leave 100-550 MHz or need normalising onto the raster.
std::optional<ShiftRefusal> shiftFrequencies(ChannelTable &table, const QList<int> &rows,
                                             const QString &offsetMHz);

} // namespace vrx

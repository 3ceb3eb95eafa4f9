#pragma once

#include "channels/channel_table.h"

#include <QList>
#include <QString>

#include <optional>

namespace vrx {

// Whole-channel operations on a set of channels (row numbers 1..199). Each writes the
// table only when it can be done whole; the caller makes it one undo step.

// Inserts an empty channel at `row`; the channels from there down move one place down.
// False (nothing changed) when channel 199 is not empty or the row is no channel.
bool insertEmptyChannel(ChannelTable &table, int row);

// Removes the given channels; the later ones move up and the freed channels at the end
// are empty. Rows outside 1..199 and repeats are ignored.
void deleteChannelsAndShiftUp(ChannelTable &table, const QList<int> &rows);

// Moves the given channels, in their order, so that the first of them lands on channel
// `target` (lowered so that all fit above channel 200); the others close up around them.
// Returns the channel the block starts on; nothing changes for an empty set.
int moveChannels(ChannelTable &table, const QList<int> &rows, int target);

// Sorts the given channels among their own places by receive frequency, ascending; empty
// channels go last, ties (and frequencies that are no number, after the numbers) keep
// their order. With fewer than two rows, all 199 channels are sorted.
void sortByReceiveFrequency(ChannelTable &table, QList<int> rows);

struct CellPosition {
    int col = 0;
    int row = 0;
    bool operator==(const CellPosition &) const = default;
};

// Whether a frequency or tone cell matches the text searched for: a frequency cell that
// starts with it or equals it once normalised ("438.5" finds 438.50000), a tone cell that
// contains it, ignoring case. An empty query matches nothing.
bool cellMatches(int col, const QString &cellText, const QString &query);

// The next frequency or tone cell after (col, row), row by row, left to right, wrapping
// after channel 199 to channel 1; the cell itself is tried last. nullopt when none matches.
std::optional<CellPosition> findNextCell(const ChannelTable &table, const QString &query,
                                         CellPosition after);

} // namespace vrx

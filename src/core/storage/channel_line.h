#pragma once

#include "channels/channel_table.h"

#include <QString>

#include <variant>

namespace vrx {

// Why a channel line of a channel file cannot be taken: what is wrong, naming the field.
struct ChannelLineFault {
    QString reason;
};

// Reads one channel line: "CH", three digits, then the eight fields each after " | ", and a
// final " | " (its trailing blank may be missing, as editors strip it). A blank RxFreq makes
// the channel empty whatever follows. Otherwise each field is empty or what its cell can
// hold: a frequency "DDD.DDDDD" from 100 to 550 MHz, a tone that is the off word, a CTCSS
// tone or a DCS code of the list, and the value words of either language. The number in
// the line is not read: the line's position says which channel it is.
std::variant<ChannelRow, ChannelLineFault> readChannelLine(const QString &line);

} // namespace vrx

#pragma once

#include "channels/channel_table.h"
#include "i18n/ui_texts.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vrx {

// Channel records in the radio's memory, as pure functions between cell texts and bytes.
//
// Record layout (16 bytes): RxFreq (4), TxFreq (4), RxTone (2), TxTone (2), flags (1),
// filler FF FF FF. An erased record is all FF; a record whose RxFreq is FF FF FF FF
// reads as an empty channel whatever its other bytes hold.

inline constexpr int kFrequencyBytes = 4;
inline constexpr int kToneBytes = 2;

// "ABC.DEFGH" (MHz) -> GH EF CD AB: eight BCD digits of 10 Hz units, least significant
// byte first. An empty text is "no frequency", FF FF FF FF. The digits may be hex
// digits, so that texts read from a partly erased record ("FFF.FF625") go back as they
// came. Anything else is not encodable: nullopt.
std::optional<QByteArray> encodeFrequency(const QString &text);
// The inverse, every nibble shown as an upper-case hex digit; FF FF FF FF gives "".
QString decodeFrequency(const QByteArray &bytes);

// ToneWord, least significant byte first. "67.0" -> 70 06, "100.0" -> 00 10,
// "D023N" -> 23 80, "D754I" -> 54 C7, empty or OffText -> FF FF. Surrounding spaces are
// ignored. nullopt for any other text, and for CTCSS tones from 300 Hz up, whose word
// would read back as another tone or as a DCS code.
std::optional<QByteArray> encodeTone(const QString &text, const UiTexts &texts);
// By the word's first hex digit: F none, 8 DCS normal, C DCS inverted, 1 and 2 CTCSS from
// 100 Hz, anything else CTCSS below 100 Hz (so 3123 reads "12.3").
QString decodeTone(const QByteArray &bytes, const UiTexts &texts);

// Flags byte: high nibble F; bit 3 Power (1 HighText), bit 2 Bandwidth (1 WideText),
// bit 1 Scan (1 OnText), bit 0 BusyLock (1 OffText: the opposite sense). All four cells
// empty gives FF. nullopt when a cell holds neither of its two texts.
std::optional<quint8> encodeFlags(const ChannelRow &row, const UiTexts &texts);
// Writes the Power, Bandwidth, Scan and BusyLock texts of the low nibble into `row`.
void decodeFlags(quint8 flags, const UiTexts &texts, ChannelRow &row);

// The first column (RxFreqCol..BusyLockCol) whose cell cannot be written to the radio,
// or 0 when the whole row can. A row with an empty RxFreq is an empty channel and is
// always writable (as an erased record).
int findUnencodableColumn(const ChannelRow &row, const UiTexts &texts);

// The 16-byte record of a channel row; all FF for an empty channel. nullopt when
// findUnencodableColumn() names a column.
std::optional<QByteArray> encodeChannel(const ChannelRow &row, const UiTexts &texts);
// The row of a 16-byte record.
ChannelRow decodeChannel(const QByteArray &record, const UiTexts &texts);

} // namespace vrx

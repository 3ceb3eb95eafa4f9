#pragma once

#include "settings/radio_settings.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vrx {

// The radio-wide blocks of the radio's memory, as pure functions on 8-byte blocks.

// SettingsBlock (0C80): byte 0 the eight one-bit options APO..MR freq./MR CH (bit 0 up);
// bytes 1-3 Squelch, VoxControl, TxT.O.T; byte 4 keyswitch, Switch.U.P, DownFreq,
// BroadBand, SpreadFreq, band (bits 0-5, bits 6 and 7 set); bytes 5-7 Freq.Step,
// Txlight, Rxlight as index + 1. The defaults give FF 02 00 04 CF 06 02 04.
QByteArray encodeSettingsBlock(const OptionIndexes &indexes);
// The option indexes a SettingsBlock selects, read from the low nibbles. A nibble that
// names no entry of its list keeps that option's index from `current`; Txlight and
// Rxlight read F as index 2 and 4 (the radio's own reading of an unset colour).
OptionIndexes decodeSettingsBlock(const QByteArray &block, const OptionIndexes &current);

// BandLimitsBlock (0CA0 band 1, 0CA8 band 2) from the selected receive and transmit band
// texts ("136-174MHz"): each edge as the BCD digits of MHz x 10, least significant byte
// first, so 136-174 gives 60 13 40 17. nullopt when either text has no digits where the
// edges stand (also when nothing is selected, an empty text).
std::optional<QByteArray> encodeBandLimits(const QString &rxBandText, const QString &txBandText);

// IdentBlock (0C90), written last by every write: 00 00 F3 38 32 36 33 50.
QByteArray identBlock();

// PowerDriveBlock (0C88): high, low1, low2, then FF x 5.
QByteArray encodePowerDrive(const DriveValues &values);
// The three drive values of a PowerDriveBlock; nullopt for fewer than 3 bytes.
std::optional<DriveValues> decodePowerDrive(const QByteArray &block);

} // namespace vrx

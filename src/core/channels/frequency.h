#pragma once

#include <QString>

#include <optional>

namespace vrx {

// Frequencies are computed exactly in units of 10 Hz; 1 MHz is 100000 units.
inline constexpr qint64 kFrequencyUnitsPerMHz = 100000;
inline constexpr qint64 kMinFrequencyUnits = 100 * kFrequencyUnitsPerMHz;
inline constexpr qint64 kMaxFrequencyUnits = 550 * kFrequencyUnitsPerMHz;
// The two channel rasters, 5 kHz and 6.25 kHz.
inline constexpr qint64 kRasterUnits5k = 500;
inline constexpr qint64 kRasterUnits6k25 = 625;

// Normalises a typed or computed frequency text (MHz) into the nine-character cell form
// "DDD.DDDDD": clamped to 100..550 MHz, truncated to 100 Hz, then moved up in 50 Hz steps
// onto the first multiple of 5 kHz or 6.25 kHz (never past 550 MHz).
//
// The text is read like a number parser reads a decimal: surrounding blanks, a sign, a
// missing integer or fraction part ("4.", ".5") and an exponent ("4e2") are accepted.
// Anything else, including an empty text and ".", gives nullopt; the caller reports it.
// The arithmetic is done on the decimal digits, so no binary rounding creeps in.
std::optional<QString> normaliseFrequency(const QString &text);

// Where normalisation puts a frequency text against the 100..550 MHz limits.
enum class FrequencyClamp { Inside, BelowLowest, AboveHighest };
// Inside also for a text that is no number (normalisation refuses it anyway).
FrequencyClamp frequencyClamp(const QString &text);

// Reads a frequency text (MHz, same syntax as above) as units of 10 Hz, truncated toward
// zero. Magnitudes beyond 10^15 units saturate there, which is far outside any band.
std::optional<qint64> parseFrequencyUnits(const QString &text);

// Shortest decimal MHz text of a value in units of 10 Hz: 40000000 -> "400",
// 40002500 -> "400.025".
QString formatFrequencyUnits(qint64 units);

} // namespace vrx

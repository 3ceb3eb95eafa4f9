#pragma once

#include <QString>
#include <QStringList>

namespace vrx {

inline constexpr int kCtcssToneCount = 50;
inline constexpr int kDcsCodeCount = 107;
// OffText, the CTCSS tones, the DCS codes normal ("D023N"), then inverted ("D023I").
inline constexpr int kToneListSize = 1 + kCtcssToneCount + 2 * kDcsCodeCount; // 265

// The CTCSS tones in Hz with one decimal, in list order ("67.0" ... "254.1").
const QStringList &ctcssTones();
// The DCS codes as three octal digits, in list order ("017" ... "754").
const QStringList &dcsCodes();

// The items of the tone picker; item 0 is offText (the language's "no tone").
QStringList toneList(const QString &offText);

// Index of the first item of toneList(offText) equal to text, -1 when none is.
int toneIndex(const QString &text, const QString &offText);

// Whether `text` is a CTCSS tone of the list ("67.0") or a DCS code of the list with its
// polarity ("D023N", "D023I"): the tones the picker offers, apart from the off word.
bool isListedTone(const QString &text);

} // namespace vrx

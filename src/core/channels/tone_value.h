#pragma once

#include <QString>

#include <optional>

namespace vrx {

// A tone cell's meaning, apart from its text: none, a CTCSS tone in tenths of a hertz, or
// a DCS code (three octal digits) with its polarity.
struct ToneValue {
    enum class Kind { None, Ctcss, Dcs };

    Kind kind = Kind::None;
    int ctcssTenths = 0; // 885 for 88.5 Hz
    QString dcsCode;     // "023"
    bool inverted = false;

    static ToneValue none() { return {}; }
    static ToneValue ctcss(int tenths) { return {Kind::Ctcss, tenths, {}, false}; }
    static ToneValue dcs(const QString &code, bool inverted) {
        return {Kind::Dcs, 0, code, inverted};
    }

    bool operator==(const ToneValue &) const = default;
};

// CTCSS tones from 300 Hz up cannot be stored: their radio word would read back as
// another tone or as a DCS code.
inline constexpr int kMaxCtcssTenths = 2999;

// Reads a tone cell: empty or `offText` is none, "NN.N"/"NNN.N" (below 300 Hz) a CTCSS
// tone, "D" + three octal digits + "N" or "I" a DCS code. nullopt for any other text.
std::optional<ToneValue> parseToneCell(const QString &text, const QString &offText);

// The cell text of a tone: `offText`, "88.5" (below 10 Hz with a leading zero, "05.0",
// the form the radio reads back) or "D023N"/"D023I".
QString toneCellText(const ToneValue &tone, const QString &offText);

// Three octal digits ("023"); what a DCS code must be.
bool isDcsCode(const QString &code);

} // namespace vrx

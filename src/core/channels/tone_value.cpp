#include "channels/tone_value.h"

namespace vrx {

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

bool isDcsCode(const QString &code) {
    if (code.size() != 3)
        return false;
    for (const QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('7'))
            return false;
    }
    return true;
}

std::optional<ToneValue> parseToneCell(const QString &text, const QString &offText) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == offText)
        return ToneValue::none();
    if (t.size() == 5 && t[0] == QLatin1Char('D') &&
        (t[4] == QLatin1Char('N') || t[4] == QLatin1Char('I')) && isDcsCode(t.mid(1, 3)))
        return ToneValue::dcs(t.mid(1, 3), t[4] == QLatin1Char('I'));
    // "NN.N" or "NNN.N": digits, a full stop, one decimal.
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    if ((dot != 2 && dot != 3) || t.size() != dot + 2)
        return std::nullopt;
    // Three integer digits start with 1 or 2, as the radio's word for them does.
    if (dot == 3 && t[0] != QLatin1Char('1') && t[0] != QLatin1Char('2'))
        return std::nullopt;
    int tenths = 0;
    for (int i = 0; i < t.size(); ++i) {
        if (i == dot)
            continue;
        if (!isDigit(t[i]))
            return std::nullopt;
        tenths = tenths * 10 + (t[i].unicode() - '0');
    }
    if (tenths == 0 || tenths > kMaxCtcssTenths)
        return std::nullopt;
    return ToneValue::ctcss(tenths);
}

QString toneCellText(const ToneValue &tone, const QString &offText) {
    switch (tone.kind) {
    case ToneValue::Kind::None:
        return offText;
    case ToneValue::Kind::Ctcss:
        return QStringLiteral("%1.%2")
            .arg(tone.ctcssTenths / 10, 2, 10, QLatin1Char('0'))
            .arg(tone.ctcssTenths % 10);
    case ToneValue::Kind::Dcs:
        return QLatin1Char('D') + tone.dcsCode +
               (tone.inverted ? QLatin1Char('I') : QLatin1Char('N'));
    }
    return offText;
}

} // namespace vrx

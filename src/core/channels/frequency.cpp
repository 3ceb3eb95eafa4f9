#include "channels/frequency.h"

#include <algorithm>

namespace vrx {

namespace {

constexpr qint64 kSaturation = 1'000'000'000'000'000; // 10^15
constexpr qint64 kExponentLimit = 1'000'000'000;

// A decimal number as its digit string and a power of ten: value = digits x 10^exponent.
struct Decimal {
    bool negative = false;
    QString digits;
    qint64 exponent = 0;
};

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

std::optional<Decimal> parseDecimal(const QString &input) {
    const QString text = input.trimmed();
    Decimal d;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        d.negative = text[i++] == QLatin1Char('-');
    qsizetype fractionDigits = 0;
    while (i < n && isAsciiDigit(text[i]))
        d.digits.append(text[i++]);
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isAsciiDigit(text[i])) {
            d.digits.append(text[i++]);
            ++fractionDigits;
        }
    }
    if (d.digits.isEmpty())
        return std::nullopt;
    qint64 exponent = 0;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            negativeExponent = text[i++] == QLatin1Char('-');
        if (i >= n || !isAsciiDigit(text[i]))
            return std::nullopt;
        while (i < n && isAsciiDigit(text[i])) {
            // Beyond the limit the value is zero or saturated anyway.
            exponent = std::min(exponent * 10 + (text[i++].unicode() - '0'), kExponentLimit);
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return std::nullopt;
    d.exponent = exponent - fractionDigits;
    return d;
}

// floor(|value| x 10^scale), saturated at kSaturation.
qint64 scaledMagnitude(const Decimal &d, int scale) {
    const qint64 shift = d.exponent + scale;
    qsizetype used = d.digits.size();
    if (shift < 0) {
        if (-shift >= used)
            return 0;
        used += shift; // drop the digits below the unit
    }
    qint64 value = 0;
    for (qsizetype i = 0; i < used; ++i) {
        value = value * 10 + (d.digits[i].unicode() - '0');
        if (value >= kSaturation)
            return kSaturation;
    }
    for (qint64 k = 0; k < shift && value != 0; ++k) {
        value *= 10;
        if (value >= kSaturation)
            return kSaturation;
    }
    return value;
}

} // namespace

std::optional<QString> normaliseFrequency(const QString &text) {
    const auto number = parseDecimal(text);
    if (!number)
        return std::nullopt;
    // Units of 100 Hz, truncated. floor(f x 10^4) < 10^6 exactly when f < 100, so clamping
    // the truncated value is the same as clamping f first. Negative values are below 100.
    qint64 hundreds = number->negative ? 0 : scaledMagnitude(*number, 4);
    hundreds = std::clamp(hundreds, kMinFrequencyUnits / 10, kMaxFrequencyUnits / 10);
    qint64 units = hundreds * 10;
    while (units < kMaxFrequencyUnits && units % kRasterUnits5k != 0 &&
           units % kRasterUnits6k25 != 0)
        units += 5;
    return QStringLiteral("%1.%2")
        .arg(units / kFrequencyUnitsPerMHz, 3, 10, QLatin1Char('0'))
        .arg(units % kFrequencyUnitsPerMHz, 5, 10, QLatin1Char('0'));
}

std::optional<qint64> parseFrequencyUnits(const QString &text) {
    const auto number = parseDecimal(text);
    if (!number)
        return std::nullopt;
    const qint64 magnitude = scaledMagnitude(*number, 5);
    return number->negative ? -magnitude : magnitude;
}

QString formatFrequencyUnits(qint64 units) {
    const bool negative = units < 0;
    // Unsigned, so that even the most negative value has a magnitude.
    const quint64 magnitude = negative ? quint64(0) - quint64(units) : quint64(units);
    QString text = QString::number(magnitude / kFrequencyUnitsPerMHz);
    if (const quint64 fraction = magnitude % kFrequencyUnitsPerMHz; fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 5, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

FrequencyClamp frequencyClamp(const QString &text) {
    const std::optional<qint64> units = parseFrequencyUnits(text);
    if (!units)
        return FrequencyClamp::Inside;
    // Truncation to 100 Hz comes after the clamp, so the limits compare unrounded.
    if (*units < kMinFrequencyUnits)
        return FrequencyClamp::BelowLowest;
    if (*units > kMaxFrequencyUnits)
        return FrequencyClamp::AboveHighest;
    return FrequencyClamp::Inside;
}

} // namespace vrx

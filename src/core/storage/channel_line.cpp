#include "storage/channel_line.h"

#include "channels/frequency.h"
#include "channels/tone_list.h"
#include "channels/value_words.h"
#include "i18n/ui_texts.h"

#include <QRegularExpression>

namespace vrx {

namespace {

const QString kSeparator = QStringLiteral(" | ");
constexpr int kNumberLength = 5; // "CH" and three digits

bool isFrequencyCell(const QString &text) {
    static const QRegularExpression form(QStringLiteral("^\\d{3}\\.\\d{5}$"));
    if (!form.match(text).hasMatch())
        return false;
    const std::optional<qint64> units = parseFrequencyUnits(text);
    return units && *units >= kMinFrequencyUnits && *units <= kMaxFrequencyUnits;
}

// The built-in words of both languages are the ones a saved file can hold.
bool isValueWord(int col, const QString &text) {
    static const UiTexts builtIn;
    return recognisedValue(col, text, builtIn).has_value();
}

QString fieldFault(int col, const QString &text) {
    switch (col) {
    case RxFreqCol:
    case TxFreqCol:
        if (isFrequencyCell(text))
            return {};
        return QStringLiteral("%1 \"%2\" is not a frequency DDD.DDDDD from 100 to 550 MHz")
            .arg(fieldName(col), text);
    case RxToneCol:
    case TxToneCol:
        if (isListedTone(text) || isValueWord(col, text))
            return {};
        return QStringLiteral("%1 \"%2\" is neither the off word, a CTCSS tone of the list nor "
                              "a DCS code of the list")
            .arg(fieldName(col), text);
    default:
        if (isValueWord(col, text))
            return {};
        return QStringLiteral("%1 \"%2\" is none of the column's words").arg(fieldName(col), text);
    }
}

} // namespace

std::variant<ChannelRow, ChannelLineFault> readChannelLine(const QString &line) {
    static const QRegularExpression number(QStringLiteral("^CH\\d{3}"));
    if (!number.match(line).hasMatch())
        return ChannelLineFault{QStringLiteral("the line does not start with CH and a "
                                               "three-digit channel number")};
    QString body = line.mid(kNumberLength);
    if (body.endsWith(QStringLiteral(" |")))
        body += QLatin1Char(' ');
    // " | f1 | f2 ... | f8 | " splits into an empty piece, the eight fields, an empty piece.
    const QStringList pieces = body.split(kSeparator);
    if (pieces.size() != kFieldCount + 2 || !pieces.front().isEmpty() || !pieces.back().isEmpty())
        return ChannelLineFault{QStringLiteral("the line does not have the eight fields, each "
                                               "after \" | \", and a final \" | \"")};
    ChannelRow row;
    if (pieces[RxFreqCol].isEmpty())
        return row;
    for (int col = 1; col <= kFieldCount; ++col) {
        const QString &text = pieces[col];
        if (text.contains(QLatin1Char(' ')) || text.contains(QLatin1Char('|')))
            return ChannelLineFault{
                QStringLiteral("%1 \"%2\" holds a blank or a bar").arg(fieldName(col), text)};
        if (text.isEmpty())
            continue;
        if (const QString fault = fieldFault(col, text); !fault.isEmpty())
            return ChannelLineFault{fault};
        row[col - 1] = text;
    }
    return row;
}

} // namespace vrx

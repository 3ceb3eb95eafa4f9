#include "channels/channel_clipboard.h"

#include "channels/frequency.h"
#include "channels/tone_list.h"
#include "channels/value_words.h"

#include <QRegularExpression>

#include <optional>

namespace vrx {

namespace {

const QChar kTab = QLatin1Char('\t');

// A tone a cell can hold, as the picker offers it: the off word, a CTCSS tone of the list
// ("67" as a spreadsheet shows 67.0) or a DCS code of the list ("d023n" too). Anything
// else would be refused by the write and dropped by a CSV export.
std::optional<QString> toneText(int col, const QString &text, const UiTexts &texts) {
    if (const std::optional<QString> off = recognisedValue(col, text, texts))
        return off;
    static const QRegularExpression ctcss(QStringLiteral("^(\\d{2,3})(?:\\.(\\d))?$"));
    QString tone = text.toUpper();
    if (const QRegularExpressionMatch m = ctcss.match(text); m.hasMatch()) {
        const QString tenths = m.captured(2).isEmpty() ? QStringLiteral("0") : m.captured(2);
        tone = QString::number(m.captured(1).toInt()) + QLatin1Char('.') + tenths;
    }
    if (isListedTone(tone))
        return tone;
    return std::nullopt;
}

std::optional<QString> fieldText(int col, const QString &text, const UiTexts &texts) {
    switch (col) {
    case RxFreqCol:
    case TxFreqCol:
        return normaliseFrequency(text);
    case RxToneCol:
    case TxToneCol:
        return toneText(col, text, texts);
    default:
        return recognisedValue(col, text, texts);
    }
}

} // namespace

QString formatChannelRows(const QList<ChannelRow> &rows) {
    QString text;
    for (const ChannelRow &row : rows) {
        for (int i = 0; i < kFieldCount; ++i) {
            if (i > 0)
                text += kTab;
            text += row[i];
        }
        text += QLatin1Char('\n');
    }
    return text;
}

std::variant<QList<ChannelRow>, PasteRefusal> parseChannelRows(const QString &text,
                                                               const UiTexts &texts) {
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = body.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    QList<ChannelRow> rows;
    for (int n = 0; n < lines.size(); ++n) {
        const int line = n + 1;
        QStringList fields = lines[n].split(kTab);
        for (QString &field : fields)
            field = field.trimmed();
        while (fields.size() > kFieldCount && fields.last().isEmpty())
            fields.removeLast();
        if (fields.size() > kFieldCount)
            return PasteRefusal{line, kFieldCount + 1, fields[kFieldCount]};
        while (fields.size() < kFieldCount)
            fields.append(QString());

        if (fields[0].isEmpty()) {
            // A blank line is an empty channel; other fields without a frequency are not.
            for (int i = 1; i < kFieldCount; ++i) {
                if (!fields[i].isEmpty())
                    return PasteRefusal{line, RxFreqCol, QString()};
            }
            rows.append(ChannelRow{});
            continue;
        }
        ChannelRow row;
        for (int col = 1; col <= kFieldCount; ++col) {
            const QString &given = fields[col - 1];
            if (given.isEmpty()) {
                continue; // default below
            }
            const std::optional<QString> value = fieldText(col, given, texts);
            if (!value)
                return PasteRefusal{line, col, given};
            row[col - 1] = *value;
        }
        const ChannelRow defaults = {row[0],         texts.offText,  row[0],       texts.offText,
                                     texts.highText, texts.wideText, texts.onText, texts.offText};
        for (int i = 1; i < kFieldCount; ++i) {
            if (row[i].isEmpty())
                row[i] = defaults[i];
        }
        rows.append(row);
    }
    return rows;
}

} // namespace vrx

#include "storage/csv_format.h"

namespace vrx {

QList<CsvRecord> splitCsvRecords(const QString &text) {
    QList<CsvRecord> records;
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    while (i < n) {
        // At the start of a line: skip blank and comment lines whole.
        const qsizetype end = text.indexOf(QLatin1Char('\n'), i);
        const qsizetype lineEnd = end < 0 ? n : end;
        const QStringView lineText = QStringView(text).mid(i, lineEnd - i);
        if (lineText.trimmed().isEmpty() || lineText.startsWith(QLatin1Char('#'))) {
            i = lineEnd + 1;
            ++line;
            continue;
        }

        CsvRecord record;
        record.line = line;
        QString field;
        bool quoted = false;
        while (i < n) {
            const QChar c = text[i];
            if (quoted) {
                if (c == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        field += c;
                        ++i;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == QLatin1Char('\n'))
                        ++line;
                    field += c;
                }
                ++i;
                continue;
            }
            if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                record.fields << field;
                field.clear();
            } else if (c == QLatin1Char('\n')) {
                ++i;
                ++line;
                break;
            } else if (c != QLatin1Char('\r') || (i + 1 < n && text[i + 1] != QLatin1Char('\n'))) {
                field += c;
            }
            ++i;
        }
        record.fields << field;
        records << record;
    }
    return records;
}

QString csvField(const QString &value) {
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList &fields) {
    QStringList written;
    written.reserve(fields.size());
    for (const QString &field : fields)
        written << csvField(field);
    return written.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace vrx

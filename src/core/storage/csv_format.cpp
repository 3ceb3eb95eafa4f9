#include "storage/csv_format.h"

namespace vrx {

namespace {

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

} // namespace

CsvRecordReader::CsvRecordReader(QStringView text, QChar separator)
    : text_(text), separator_(separator) {}

bool CsvRecordReader::skipLineEnd() {
    if (pos_ >= text_.size() || !isLineEnd(text_[pos_]))
        return false;
    if (text_[pos_] == QLatin1Char('\r') && pos_ + 1 < text_.size() &&
        text_[pos_ + 1] == QLatin1Char('\n'))
        ++pos_;
    ++pos_;
    ++line_;
    return true;
}

std::optional<CsvRecord> CsvRecordReader::next() {
    const qsizetype n = text_.size();
    while (pos_ < n) {
        // At the start of a line: skip blank and comment lines whole.
        qsizetype lineEnd = pos_;
        while (lineEnd < n && !isLineEnd(text_[lineEnd]))
            ++lineEnd;
        const QStringView lineText = text_.mid(pos_, lineEnd - pos_);
        if (lineText.trimmed().isEmpty() || lineText.startsWith(QLatin1Char('#'))) {
            pos_ = lineEnd;
            if (!skipLineEnd())
                pos_ = n;
            continue;
        }

        CsvRecord record;
        record.line = line_;
        QString field;
        bool quoted = false;
        int quoteLine = 0;
        while (pos_ < n) {
            const QChar c = text_[pos_];
            if (quoted) {
                if (c == QLatin1Char('"')) {
                    if (pos_ + 1 < n && text_[pos_ + 1] == QLatin1Char('"')) {
                        field += c;
                        pos_ += 2;
                    } else {
                        quoted = false;
                        ++pos_;
                    }
                } else if (isLineEnd(c)) {
                    const qsizetype from = pos_;
                    skipLineEnd();
                    field += text_.mid(from, pos_ - from);
                } else {
                    field += c;
                    ++pos_;
                }
                continue;
            }
            if (c == QLatin1Char('"')) {
                quoted = true;
                quoteLine = line_;
            } else if (c == separator_) {
                record.fields << field;
                field.clear();
            } else if (isLineEnd(c)) {
                skipLineEnd();
                break;
            } else {
                field += c;
            }
            ++pos_;
        }
        if (quoted) {
            // Every line from the quote on was swallowed into one field: none of it counts.
            unclosedQuoteLine_ = quoteLine;
            const bool endsInLineEnd = isLineEnd(text_.back());
            linesNotRead_ = line_ - quoteLine + (endsInLineEnd ? 0 : 1);
            pos_ = n;
            return std::nullopt;
        }
        record.fields << field;
        return record;
    }
    return std::nullopt;
}

QList<CsvRecord> splitCsvRecords(QStringView text, QChar separator) {
    QList<CsvRecord> records;
    CsvRecordReader reader(text, separator);
    while (std::optional<CsvRecord> record = reader.next())
        records << std::move(*record);
    return records;
}

QChar detectCsvSeparator(QStringView text) {
    CsvRecordReader probe(text, QChar(0)); // no separator: the first record is its line
    const std::optional<CsvRecord> header = probe.next();
    const QString line = header ? header->fields.value(0) : QString();
    int best = 0;
    QChar chosen = QLatin1Char(',');
    for (const QChar candidate : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')}) {
        const int count = int(line.count(candidate));
        if (count > best) {
            best = count;
            chosen = candidate;
        }
    }
    return chosen;
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

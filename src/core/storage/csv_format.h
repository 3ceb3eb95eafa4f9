#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace vrx {

// One record of comma-separated text and the line it starts on (from 1).
struct CsvRecord {
    int line = 0;
    QStringList fields;
};

// Reads records one at a time, so that a large text never exists as records all at once.
// Fields are separated by `separator` and may be quoted with '"' (a doubled quote inside
// stands for one); a quoted field may hold separators and line breaks. Lines end in CR LF,
// LF or a lone CR (old Mac spreadsheets). Blank lines and lines starting with '#' are
// skipped. A quote that is never closed ends the reading: its record is not returned, and
// unclosedQuoteLine() and linesNotRead() say where and how much.
class CsvRecordReader {
public:
    explicit CsvRecordReader(QStringView text, QChar separator = QLatin1Char(','));

    std::optional<CsvRecord> next();

    // The line of a quote that was never closed, 0 when none was.
    int unclosedQuoteLine() const { return unclosedQuoteLine_; }
    // The lines from that quote to the end of the text.
    int linesNotRead() const { return linesNotRead_; }

private:
    // Steps over a line end at `pos_` (CR LF, LF or CR); false when there is none.
    bool skipLineEnd();

    QStringView text_;
    QChar separator_;
    qsizetype pos_ = 0;
    int line_ = 1;
    int unclosedQuoteLine_ = 0;
    int linesNotRead_ = 0;
};

// Every record of `text`, as CsvRecordReader reads them.
QList<CsvRecord> splitCsvRecords(QStringView text, QChar separator = QLatin1Char(','));

// The separator of a file: of ',', ';' and tab the one its first record line (the header)
// holds most often outside quotes; ',' when it holds none of them.
QChar detectCsvSeparator(QStringView text);

// A field as it is written: quoted when it holds a comma, a quote or a line break.
QString csvField(const QString &value);

// A record line, fields joined by commas and ended with CR LF.
QString csvLine(const QStringList &fields);

} // namespace vrx

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vrx {

// One record of comma-separated text and the line it starts on (from 1).
struct CsvRecord {
    int line = 0;
    QStringList fields;
};

// Splits text into records. Fields are separated by commas and may be quoted with '"'
// (a doubled quote inside stands for one); a quoted field may hold commas and line
// breaks. Lines end in CR LF or LF. Blank lines and lines starting with '#' are skipped.
// A quote that is never closed runs to the end of the text.
QList<CsvRecord> splitCsvRecords(const QString &text);

// A field as it is written: quoted when it holds a comma, a quote or a line break.
QString csvField(const QString &value);

// A record line, fields joined by commas and ended with CR LF.
QString csvLine(const QStringList &fields);

} // namespace vrx

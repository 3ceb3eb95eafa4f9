#pragma once

#include "i18n/csv_texts.h"
#include "i18n/ui_texts.h"
#include "storage/channel_plan.h"
#include "storage/file_status.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace vrx {

// Channels exchanged as comma-separated text in the layout the common multi-radio
// programmers and repeater directories use: one row per memory, columns found by their
// header names.

inline const QString kCsvFileSuffix = QStringLiteral("csv");
// The header a written file starts with.
QString csvHeaderLine();

// One row taken from a file: its line, its Location as written, and the channel.
struct CsvChannel {
    int line = 0;
    QString location;
    int number = 0; // 1..199
    ChannelRow row;
};

// An import: the rows taken, in file order, and a note for every row skipped and every
// value changed or dropped. A non-empty error (an unreadable text or a missing header)
// means nothing is imported.
// An import keeps this many notes; the rest are only counted.
inline constexpr int kMaxCsvNotes = 100;

struct CsvImport {
    QString error;
    QList<CsvChannel> channels;
    QStringList notes;
    int moreNotes = 0; // notes beyond kMaxCsvNotes

    bool ok() const { return error.isEmpty(); }
};

// Adds a note, or counts it once kMaxCsvNotes are kept.
void addCsvNote(CsvImport &import, const QString &note);
// The notes to show: those kept, then "and N more notes" when some were only counted.
QStringList csvNoteLines(const CsvImport &import, const CsvTexts &csvTexts);

// Notes every row whose receive or transmit frequency lies outside the band `bandText`
// ("400-470MHz") of the plan it lands in. The rows are kept: the band is the user's to
// change. Nothing happens when the band text names no range.
void noteRowsOutsideBand(CsvImport &import, const QString &bandText, const CsvTexts &csvTexts);

// How the rows of an import find their channels: by their Location (a file), or one
// after the other wherever they are put (a paste; Location is then neither checked nor
// compared, and CsvChannel::number is 0).
enum class CsvPlacement { ByLocation, InOrder };

// Reads CSV text (a leading byte-order mark is skipped), row by row. The separator is the
// one the header line holds most of: ',', ';' or tab; with ';' or tab a comma in a number
// is its decimal point ("438,500000"). Frequencies off the 5/6.25 kHz raster are moved
// onto it as typed ones are, tones the radio has no code for are dropped, and a quote that
// is never closed stops the reading; each with a note. The cells are written with the
// value words of `texts`.
CsvImport parseCsvText(const QString &text, const UiTexts &texts, const CsvTexts &csvTexts,
                       CsvPlacement placement = CsvPlacement::ByLocation);
// The same from a file's bytes, which must be UTF-8.
CsvImport parseCsvBytes(const QByteArray &bytes, const UiTexts &texts, const CsvTexts &csvTexts);
// Reads and parses a file; a file that cannot be read gives an error naming it.
CsvImport loadCsvFile(const QString &path, const UiTexts &texts, const CsvTexts &csvTexts);

// True when the text's first record is a header with Location and Frequency, so that a
// paste can tell CSV rows from other text.
bool hasCsvHeader(const QString &text);

// The 199 channels an import fills: each row at its Location (a later row for the same
// Location replaces an earlier one), every other channel empty.
std::array<ChannelRow, kChannelCount> channelsByLocation(const CsvImport &import);

// A channel plan from `templatePlan` (band, options, drives) with the channels of `import`.
ChannelPlan planWithImport(const ChannelPlan &templatePlan, const CsvImport &import);

// An export: the file's bytes (UTF-8, CR LF, the header, one row per non-empty channel)
// and a note for every channel left out because a cell holds a text that cannot be read
// (value words of either language are read).
struct CsvExport {
    QByteArray bytes;
    QStringList notes;
};
CsvExport writeCsvChannels(const ChannelPlan &plan, const UiTexts &texts, const CsvTexts &csvTexts);

// Writes through a temporary file, so a failed export leaves an old file as it was.
FileStatus saveCsvFile(const QString &path, const QByteArray &bytes);

// A name chosen in the export dialog: ".csv" is added when the file name has none.
QString withCsvSuffix(const QString &chosenPath);

} // namespace vrx

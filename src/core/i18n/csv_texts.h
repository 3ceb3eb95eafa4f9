#pragma once

#include <QString>

namespace vrx {

// The texts of CSV import and export notes, in English until a language pack fills them.
// Every note of an import reads notePrefix with %1 the line, %2 the Location as the file
// gives it and %3 one of the texts below (with its own %1 where it has one).
struct CsvTexts {
    QString notePrefix = QStringLiteral("Line %1, Location %2: %3");
    QString badLocation = QStringLiteral("not a channel number from 1 to 199; row skipped");
    QString badFrequency =
        QStringLiteral("frequency \"%1\" is not 100-550 MHz in whole 10 Hz; row skipped");
    QString badDuplex = QStringLiteral("duplex \"%1\" is unknown; row skipped");
    QString badOffset = QStringLiteral("offset \"%1\" is not a frequency; row skipped");
    QString txOutOfRange =
        QStringLiteral("transmit frequency %1 MHz is outside 100-550 MHz; row skipped");
    QString badMode = QStringLiteral("mode \"%1\" is not FM or NFM; row skipped");
    QString badToneMode =
        QStringLiteral("tone mode \"%1\" cannot be stored; imported without tones");
    QString badCtcss = QStringLiteral("CTCSS tone \"%1\" cannot be stored; tone dropped");
    QString badDcs = QStringLiteral("DCS code \"%1\" is not three octal digits; tone dropped");
    QString badPolarity =
        QStringLiteral("DCS polarity \"%1\" is not two letters N or R; tone dropped");
    QString dcsNotListed = QStringLiteral("DCS code \"%1\" is not one the radio has; tone dropped");
    // %1 the frequency as given (MHz), %2 the cell it becomes.
    QString offRaster =
        QStringLiteral("frequency %1 MHz is off the 5/6.25 kHz raster; moved to %2");
    // %1 the cell's frequency, %2 the plan's band text.
    QString outsideBand = QStringLiteral("frequency %1 lies outside the band %2; row kept");
    QString badPower = QStringLiteral("power \"%1\" is unknown; set to high");
    QString badSkip = QStringLiteral("skip \"%1\" is unknown; scan list on");
    QString repeatedLocation =
        QStringLiteral("channel already given on line %1; this row replaces it");
    // A pasted row that would land after channel 199.
    QString beyondLastChannel = QStringLiteral("beyond channel 199; row left out");
    // Not import notes: the errors that stop an import.
    QString notChannelList =
        QStringLiteral("no Location and Frequency columns: this is not a channel list");
    QString notUtf8 = QStringLiteral("the file is not UTF-8 text");
    // Not prefixed: %1 the line of the quote, %2 how many lines were not read.
    QString unclosedQuote =
        QStringLiteral("line %1: a quote opened here is never closed; %2 lines were not read");
    // After the notes kept: %1 how many more there were.
    QString moreNotes = QStringLiteral("and %1 more notes");
    // An export note: %1 the channel (three digits), %2 the field, %3 the cell text.
    QString cannotExport =
        QStringLiteral("Channel %1: %2 \"%3\" cannot be written as CSV; channel left out");

    bool operator==(const CsvTexts &) const = default;
};

} // namespace vrx

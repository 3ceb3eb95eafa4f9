#include "storage/csv_channels.h"

#include "channels/frequency.h"
#include "channels/tone_list.h"
#include "channels/tone_value.h"
#include "i18n/value_translation.h"
#include "settings/band_plan.h"
#include "storage/atomic_write.h"
#include "storage/csv_format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>

namespace vrx {

namespace {

// Column names of a written file, in order.
const QStringList &csvColumns() {
    static const QStringList columns{
        "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
        "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
        "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};
    return columns;
}

// What a column that a file lacks reads as: the filler values a writer puts there.
const QHash<QString, QString> &columnDefaults() {
    static const QHash<QString, QString> defaults{
        {"rtonefreq", "88.5"}, {"ctonefreq", "88.5"},  {"dtcscode", "023"},
        {"rxdtcscode", "023"}, {"dtcspolarity", "NN"}, {"crossmode", "Tone->Tone"}};
    return defaults;
}

// Frequencies a channel may hold, in units of 10 Hz.
bool inBand(qint64 units) {
    return units >= kMinFrequencyUnits && units <= kMaxFrequencyUnits;
}

// A plain decimal ("438.5", "438.500000", "5") as a whole number of 10^-decimals units;
// nullopt when it is no such number or has non-zero digits past `decimals`.
std::optional<qint64> exactDecimal(const QString &input, int decimals) {
    const QString text = input.trimmed();
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? text : text.left(dot);
    const QString fraction = dot < 0 ? QString() : text.mid(dot + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || whole.size() > 6)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : whole) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    for (int i = 0; i < fraction.size(); ++i) {
        const QChar c = fraction[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        if (i >= decimals && c != QLatin1Char('0'))
            return std::nullopt;
    }
    for (int i = 0; i < decimals; ++i)
        value = value * 10 + (i < fraction.size() ? fraction[i].unicode() - '0' : 0);
    return value;
}

constexpr int kFrequencyDecimals = 5; // 10 Hz units of a MHz value

QString frequencyCellText(qint64 units) {
    return QStringLiteral("%1.%2")
        .arg(units / kFrequencyUnitsPerMHz, 3, 10, QLatin1Char('0'))
        .arg(units % kFrequencyUnitsPerMHz, 5, 10, QLatin1Char('0'));
}

// MHz with six decimals, as the file carries frequencies and offsets.
QString megahertzText(qint64 units) {
    return QStringLiteral("%1.%2")
        .arg(units / kFrequencyUnitsPerMHz)
        .arg((units % kFrequencyUnitsPerMHz) * 10, 6, 10, QLatin1Char('0'));
}

QString tenthsText(int tenths) {
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

bool isWord(const QString &text, const char *word) {
    return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// One data row being read: its fields by column name and the notes it gives.
class RowReader {
public:
    RowReader(const CsvRecord &record, const QHash<QString, int> &columns, bool decimalComma,
              const UiTexts &texts, const CsvTexts &csvTexts, CsvImport &import)
        : record_(record), columns_(columns), decimalComma_(decimalComma), texts_(texts),
          csvTexts_(csvTexts), import_(import) {}

    QString field(const char *name) const {
        const QString key = QString::fromLatin1(name).toLower();
        const auto it = columns_.constFind(key);
        if (it == columns_.constEnd())
            return columnDefaults().value(key);
        return record_.fields.value(*it).trimmed();
    }

    // A number column: a spreadsheet of a locale with decimal commas writes "438,5".
    QString number(const char *name) const {
        QString text = field(name);
        if (decimalComma_)
            text.replace(QLatin1Char(','), QLatin1Char('.'));
        return text;
    }

    void note(const QString &text) {
        addCsvNote(import_, csvTexts_.notePrefix.arg(record_.line).arg(field("Location"), text));
    }

    // The channel, or nullopt when the row is skipped (with its note).
    std::optional<CsvChannel> read(bool byLocation) {
        CsvChannel channel;
        channel.line = record_.line;
        channel.location = field("Location");
        if (byLocation) {
            bool isNumber = false;
            channel.number = channel.location.toInt(&isNumber);
            if (!isNumber || channel.number < 1 || channel.number > kChannelCount) {
                note(csvTexts_.badLocation);
                return std::nullopt;
            }
        }
        ChannelRow &row = channel.row;

        const QString frequency = field("Frequency");
        const std::optional<qint64> rx = exactDecimal(number("Frequency"), kFrequencyDecimals);
        if (!rx || !inBand(*rx)) {
            note(csvTexts_.badFrequency.arg(frequency));
            return std::nullopt;
        }
        row[RxFreqCol - 1] = onRaster(*rx);

        // A transmit frequency given by an offset is taken from the receive frequency the
        // channel holds.
        const std::optional<QString> tx =
            transmitFrequency(exactDecimal(row[RxFreqCol - 1], kFrequencyDecimals).value_or(*rx));
        if (!tx)
            return std::nullopt;
        row[TxFreqCol - 1] = *tx;

        const QString mode = field("Mode");
        if (mode.isEmpty() || isWord(mode, "FM") || isWord(mode, "Auto")) {
            row[BandwidthCol - 1] = texts_.wideText;
        } else if (isWord(mode, "NFM")) {
            row[BandwidthCol - 1] = texts_.narrowText;
        } else {
            note(csvTexts_.badMode.arg(mode));
            return std::nullopt;
        }

        const auto [txTone, rxTone] = tones();
        row[RxToneCol - 1] = toneCellText(rxTone, texts_.offText);
        row[TxToneCol - 1] = toneCellText(txTone, texts_.offText);
        row[PowerCol - 1] = power();
        row[ScanCol - 1] = scan();
        static const QRegularExpression busyLock(QStringLiteral("\\bBCL\\b"),
                                                 QRegularExpression::CaseInsensitiveOption);
        row[BusyLockCol - 1] = field("Comment").contains(busyLock) ? texts_.onText : texts_.offText;
        return channel;
    }

private:
    // The cell text of a frequency, moved onto the 5/6.25 kHz raster as a typed one is (with
    // a note when that changes it), so that the radio gets what the cell shows.
    QString onRaster(qint64 units) {
        const QString given = frequencyCellText(units);
        const QString moved = normaliseFrequency(given).value_or(given);
        if (moved != given)
            note(csvTexts_.offRaster.arg(megahertzText(units), moved));
        return moved;
    }

    // The TxFreq cell ("" for a channel that does not transmit), or nullopt when the row
    // is skipped.
    std::optional<QString> transmitFrequency(qint64 rx) {
        const QString duplex = field("Duplex");
        if (duplex.isEmpty())
            return frequencyCellText(rx); // the offset is ignored: exports carry junk there
        if (isWord(duplex, "off"))
            return QString();
        const bool split = isWord(duplex, "split");
        if (!split && duplex != QLatin1String("+") && duplex != QLatin1String("-")) {
            note(csvTexts_.badDuplex.arg(duplex));
            return std::nullopt;
        }
        const QString offsetText = field("Offset");
        const std::optional<qint64> offset = exactDecimal(number("Offset"), kFrequencyDecimals);
        if (!offset) {
            note(csvTexts_.badOffset.arg(offsetText));
            return std::nullopt;
        }
        const qint64 tx = split                          ? *offset
                          : duplex == QLatin1String("+") ? rx + *offset
                                                         : rx - *offset;
        if (!inBand(tx)) {
            note(csvTexts_.txOutOfRange.arg(tx < 0 ? QStringLiteral("-") + megahertzText(-tx)
                                                   : megahertzText(tx)));
            return std::nullopt;
        }
        return onRaster(tx);
    }

    std::optional<ToneValue> ctcss(const char *column) {
        const QString text = field(column);
        const std::optional<qint64> tenths = exactDecimal(number(column), 1);
        // Only the tones of the list have a code in the radio.
        if (!tenths || *tenths <= 0 || *tenths > kMaxCtcssTenths ||
            !ctcssTones().contains(tenthsText(int(*tenths)))) {
            note(csvTexts_.badCtcss.arg(text));
            return std::nullopt;
        }
        return ToneValue::ctcss(int(*tenths));
    }

    // A DCS tone with the polarity letter at `side` (0 transmit, 1 receive).
    std::optional<ToneValue> dcs(const char *column, int side) {
        const QString code = field(column);
        if (!isDcsCode(code)) {
            note(csvTexts_.badDcs.arg(code));
            return std::nullopt;
        }
        if (!dcsCodes().contains(code)) {
            note(csvTexts_.dcsNotListed.arg(code));
            return std::nullopt;
        }
        const QString polarity = field("DtcsPolarity");
        const QChar letter = polarity.size() == 2 ? polarity[side].toUpper() : QChar();
        if (letter != QLatin1Char('N') && letter != QLatin1Char('R')) {
            note(csvTexts_.badPolarity.arg(polarity));
            return std::nullopt;
        }
        return ToneValue::dcs(code, letter == QLatin1Char('R'));
    }

    // One side of a Cross row by its kind: "Tone", "DTCS" or nothing.
    std::optional<ToneValue> crossSide(const QString &kind, bool transmit) {
        if (kind.isEmpty())
            return ToneValue::none();
        if (isWord(kind, "Tone"))
            return ctcss(transmit ? "rToneFreq" : "cToneFreq");
        return dcs(transmit ? "DtcsCode" : "RxDtcsCode", transmit ? 0 : 1);
    }

    // {TxTone, RxTone}; a tone that cannot be read is none (with its note).
    std::pair<ToneValue, ToneValue> tones() {
        const QString mode = field("Tone");
        const auto orNone = [](const std::optional<ToneValue> &t) {
            return t.value_or(ToneValue::none());
        };
        if (mode.isEmpty())
            return {};
        if (isWord(mode, "Tone"))
            return {orNone(ctcss("rToneFreq")), ToneValue::none()};
        if (isWord(mode, "TSQL")) {
            const ToneValue both = orNone(ctcss("cToneFreq"));
            return {both, both};
        }
        if (isWord(mode, "DTCS")) {
            // One code both ways: a bad code is one note, not two.
            const ToneValue tx = orNone(dcs("DtcsCode", 0));
            if (!dcsCodes().contains(field("DtcsCode")))
                return {};
            return {tx, orNone(dcs("DtcsCode", 1))};
        }
        if (isWord(mode, "Cross")) {
            static const QRegularExpression crossMode(
                QStringLiteral("^(Tone|DTCS)?->(Tone|DTCS)?$"),
                QRegularExpression::CaseInsensitiveOption);
            const QString cross = field("CrossMode");
            const QRegularExpressionMatch match = crossMode.match(cross);
            if (match.hasMatch() && (match.capturedLength(1) > 0 || match.capturedLength(2) > 0))
                return {orNone(crossSide(match.captured(1), true)),
                        orNone(crossSide(match.captured(2), false))};
            note(csvTexts_.badToneMode.arg(mode + QLatin1Char(' ') + cross));
            return {};
        }
        note(csvTexts_.badToneMode.arg(mode));
        return {};
    }

    QString power() {
        const QString text = field("Power");
        if (text.isEmpty() || isWord(text, "High") || isWord(text, "H"))
            return texts_.highText;
        if (text.startsWith(QLatin1Char('L'), Qt::CaseInsensitive))
            return texts_.lowText;
        static const QRegularExpression watts(QStringLiteral("^(\\d+(?:\\.\\d*)?|\\.\\d+)\\s*W$"),
                                              QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = watts.match(text);
        if (match.hasMatch()) {
            // 2.5 is exact in binary, so the edge itself counts as high.
            return match.captured(1).toDouble() >= 2.5 ? texts_.highText : texts_.lowText;
        }
        note(csvTexts_.badPower.arg(text));
        return texts_.highText;
    }

    QString scan() {
        const QString text = field("Skip");
        if (text.isEmpty() || isWord(text, "P"))
            return texts_.onText;
        if (isWord(text, "S"))
            return texts_.offText;
        note(csvTexts_.badSkip.arg(text));
        return texts_.onText;
    }

    const CsvRecord &record_;
    const QHash<QString, int> &columns_;
    bool decimalComma_;
    const UiTexts &texts_;
    const CsvTexts &csvTexts_;
    CsvImport &import_;
};

// Column positions by lower-case name; the first of two equal names counts.
QHash<QString, int> headerColumns(const CsvRecord &header) {
    QHash<QString, int> columns;
    for (int i = 0; i < header.fields.size(); ++i) {
        const QString name = header.fields[i].trimmed().toLower();
        if (!columns.contains(name))
            columns.insert(name, i);
    }
    return columns;
}

bool isChannelHeader(const QHash<QString, int> &columns) {
    return columns.contains(QStringLiteral("location")) &&
           columns.contains(QStringLiteral("frequency"));
}

QStringView withoutBom(QStringView text) {
    return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
}

QString displayPath(const QString &path) {
    return QDir::toNativeSeparators(path);
}

// A CSV file of even a large repeater directory is far below this.
constexpr qint64 kMaxCsvFileSize = 16 << 20;

// Reads the cells of a channel for export; `failedColumn` names the first cell that
// cannot be read.
struct ExportCells {
    qint64 rx = 0;
    std::optional<qint64> tx; // nullopt: the channel does not transmit
    ToneValue rxTone;
    ToneValue txTone;
    bool high = true;
    bool wide = true;
    bool scan = true;
    bool busyLock = false;
    int failedColumn = 0;
};

ExportCells readExportCells(const ChannelRow &row, const UiTexts &texts) {
    ExportCells cells;
    const auto cell = [&](int col) { return translatedValue(col, row[col - 1], texts); };
    const auto fail = [&](int col) {
        if (cells.failedColumn == 0)
            cells.failedColumn = col;
    };
    const std::optional<qint64> rx = exactDecimal(row[RxFreqCol - 1], kFrequencyDecimals);
    if (rx && inBand(*rx))
        cells.rx = *rx;
    else
        fail(RxFreqCol);
    const auto tone = [&](int col, ToneValue &value) {
        const std::optional<ToneValue> parsed = parseToneCell(cell(col), texts.offText);
        if (!parsed)
            fail(col);
        value = parsed.value_or(ToneValue::none());
    };
    tone(RxToneCol, cells.rxTone);
    if (!row[TxFreqCol - 1].isEmpty()) {
        cells.tx = exactDecimal(row[TxFreqCol - 1], kFrequencyDecimals);
        if (!cells.tx || !inBand(*cells.tx))
            fail(TxFreqCol);
    }
    tone(TxToneCol, cells.txTone);
    // A flag cell left empty (a channel not yet completed) counts as a new channel's default.
    const auto flag = [&](int col, const QString &one, const QString &zero, bool empty) {
        const QString text = cell(col);
        if (text.isEmpty())
            return empty;
        if (text == one)
            return true;
        if (text != zero)
            fail(col);
        return false;
    };
    cells.high = flag(PowerCol, texts.highText, texts.lowText, true);
    cells.wide = flag(BandwidthCol, texts.wideText, texts.narrowText, true);
    cells.scan = flag(ScanCol, texts.onText, texts.offText, true);
    cells.busyLock = flag(BusyLockCol, texts.onText, texts.offText, false);
    return cells;
}

QString crossKind(const ToneValue &tone) {
    switch (tone.kind) {
    case ToneValue::Kind::Ctcss:
        return QStringLiteral("Tone");
    case ToneValue::Kind::Dcs:
        return QStringLiteral("DTCS");
    case ToneValue::Kind::None:
        break;
    }
    return {};
}

QChar polarityLetter(const ToneValue &tone) {
    return tone.kind == ToneValue::Kind::Dcs && tone.inverted ? QLatin1Char('R') : QLatin1Char('N');
}

// Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode.
QStringList toneFields(const ToneValue &tx, const ToneValue &rx) {
    QString mode;
    QString rTone = QStringLiteral("88.5");
    QString cTone = QStringLiteral("88.5");
    QString code = QStringLiteral("023");
    QString rxCode = QStringLiteral("023");
    QString polarity = QStringLiteral("NN");
    QString cross = QStringLiteral("Tone->Tone");
    using Kind = ToneValue::Kind;
    if (tx.kind == Kind::None && rx.kind == Kind::None) {
        // no tone either way
    } else if (tx.kind == Kind::Ctcss && rx.kind == Kind::None) {
        mode = QStringLiteral("Tone");
        rTone = tenthsText(tx.ctcssTenths);
    } else if (tx.kind == Kind::Ctcss && tx == rx) {
        mode = QStringLiteral("TSQL");
        rTone = cTone = tenthsText(tx.ctcssTenths);
    } else if (tx.kind == Kind::Dcs && rx.kind == Kind::Dcs && tx.dcsCode == rx.dcsCode) {
        mode = QStringLiteral("DTCS");
        code = tx.dcsCode;
        polarity = QString(polarityLetter(tx)) + polarityLetter(rx);
    } else {
        mode = QStringLiteral("Cross");
        cross = crossKind(tx) + QStringLiteral("->") + crossKind(rx);
        if (tx.kind == Kind::Ctcss)
            rTone = tenthsText(tx.ctcssTenths);
        if (tx.kind == Kind::Dcs)
            code = tx.dcsCode;
        if (rx.kind == Kind::Ctcss)
            cTone = tenthsText(rx.ctcssTenths);
        if (rx.kind == Kind::Dcs)
            rxCode = rx.dcsCode;
        polarity = QString(polarityLetter(tx)) + polarityLetter(rx);
    }
    return {mode, rTone, cTone, code, polarity, rxCode, cross};
}

// Duplex and Offset of a channel.
QStringList duplexFields(const ExportCells &cells) {
    constexpr qint64 kMaxOffset = 70 * kFrequencyUnitsPerMHz;
    if (!cells.tx)
        return {QStringLiteral("off"), megahertzText(0)};
    const qint64 difference = *cells.tx - cells.rx;
    if (difference == 0)
        return {QString(), megahertzText(0)};
    if (difference > 0 && difference <= kMaxOffset)
        return {QStringLiteral("+"), megahertzText(difference)};
    if (difference < 0 && -difference <= kMaxOffset)
        return {QStringLiteral("-"), megahertzText(-difference)};
    return {QStringLiteral("split"), megahertzText(*cells.tx)};
}

QString stepText(const ChannelPlan &plan) {
    const int hz = frequencyStepHz(plan.options[indexOf(Option::FreqStep)]);
    return hz > 0 ? QString::number(hz / 1000.0, 'f', 2) : QString();
}

QString columnName(int col) {
    static const char *const names[] = {"RxFreq", "RxTone",    "TxFreq", "TxTone",
                                        "Power",  "Bandwidth", "Scan",   "BusyLock"};
    return col >= 1 && col <= kFieldCount ? QString::fromLatin1(names[col - 1]) : QString();
}

} // namespace

QString csvHeaderLine() {
    return csvColumns().join(QLatin1Char(','));
}

CsvImport parseCsvText(const QString &text, const UiTexts &texts, const CsvTexts &csvTexts,
                       CsvPlacement placement) {
    CsvImport result;
    const QStringView body = withoutBom(text);
    const QChar separator = detectCsvSeparator(body);
    // With another separator than the comma, a comma in a number is its decimal point.
    const bool decimalComma = separator != QLatin1Char(',');
    CsvRecordReader records(body, separator);
    const std::optional<CsvRecord> header = records.next();
    const QHash<QString, int> columns = header ? headerColumns(*header) : QHash<QString, int>();
    if (!isChannelHeader(columns)) {
        result.error = csvTexts.notChannelList;
        return result;
    }
    // Rows are read one at a time; a file keeps one entry per channel (a later row for
    // the same Location replaces the earlier one in its place), so a huge file costs no
    // more than its text.
    QHash<int, qsizetype> entryOfChannel;
    while (const std::optional<CsvRecord> record = records.next()) {
        RowReader reader(*record, columns, decimalComma, texts, csvTexts, result);
        std::optional<CsvChannel> channel = reader.read(placement == CsvPlacement::ByLocation);
        if (!channel)
            continue;
        if (placement == CsvPlacement::InOrder) {
            result.channels << *channel;
            continue;
        }
        if (const auto it = entryOfChannel.constFind(channel->number);
            it != entryOfChannel.cend()) {
            reader.note(csvTexts.repeatedLocation.arg(result.channels[*it].line));
            result.channels[*it] = std::move(*channel);
            continue;
        }
        entryOfChannel.insert(channel->number, result.channels.size());
        result.channels << std::move(*channel);
    }
    if (records.unclosedQuoteLine() > 0)
        addCsvNote(
            result,
            csvTexts.unclosedQuote.arg(records.unclosedQuoteLine()).arg(records.linesNotRead()));
    return result;
}

namespace {

// The text of UTF-8 bytes, or nullopt when they are not UTF-8.
std::optional<QString> utf8Text(const QByteArray &bytes) {
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

CsvImport parseCsvBytes(const QByteArray &bytes, const UiTexts &texts, const CsvTexts &csvTexts) {
    const std::optional<QString> text = utf8Text(bytes);
    if (!text) {
        CsvImport result;
        result.error = csvTexts.notUtf8;
        return result;
    }
    return parseCsvText(*text, texts, csvTexts);
}

CsvImport loadCsvFile(const QString &path, const UiTexts &texts, const CsvTexts &csvTexts) {
    CsvImport result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error =
            QStringLiteral("Cannot open %1: %2").arg(displayPath(path), file.errorString());
        return result;
    }
    QByteArray bytes = file.read(kMaxCsvFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error =
            QStringLiteral("Cannot read %1: %2").arg(displayPath(path), file.errorString());
        return result;
    }
    if (bytes.size() > kMaxCsvFileSize) {
        result.error = QStringLiteral("Cannot open %1: the file is too large to be a channel list")
                           .arg(displayPath(path));
        return result;
    }
    // The bytes go before the rows are read: only the text stays while they are.
    std::optional<QString> text = utf8Text(bytes);
    bytes = QByteArray();
    if (!text) {
        result.error = csvTexts.notUtf8;
    } else {
        result = parseCsvText(*text, texts, csvTexts);
    }
    if (!result.ok())
        result.error = QStringLiteral("%1: %2").arg(displayPath(path), result.error);
    return result;
}

bool hasCsvHeader(const QString &text) {
    // Only the first record matters; a paste may be long.
    const QStringView head = withoutBom(text).left(4096);
    CsvRecordReader records(head, detectCsvSeparator(head));
    const std::optional<CsvRecord> header = records.next();
    return header && isChannelHeader(headerColumns(*header));
}

void addCsvNote(CsvImport &import, const QString &note) {
    if (import.notes.size() < kMaxCsvNotes)
        import.notes << note;
    else
        ++import.moreNotes;
}

QStringList csvNoteLines(const CsvImport &import, const CsvTexts &csvTexts) {
    QStringList lines = import.notes;
    if (import.moreNotes > 0)
        lines << csvTexts.moreNotes.arg(import.moreNotes);
    return lines;
}

void noteRowsOutsideBand(CsvImport &import, const QString &bandText, const CsvTexts &csvTexts) {
    const std::optional<BandEdges> edges = parseBandText(bandText);
    if (!edges)
        return;
    const qint64 lower = edges->lowerMHz * kFrequencyUnitsPerMHz;
    const qint64 upper = edges->upperMHz * kFrequencyUnitsPerMHz;
    for (const CsvChannel &channel : std::as_const(import.channels)) {
        for (const int col : {RxFreqCol, TxFreqCol}) {
            const std::optional<qint64> units =
                exactDecimal(channel.row[col - 1], kFrequencyDecimals);
            if (!units || (*units >= lower && *units <= upper))
                continue;
            addCsvNote(import, csvTexts.notePrefix.arg(channel.line)
                                   .arg(channel.location,
                                        csvTexts.outsideBand.arg(channel.row[col - 1], bandText)));
            break;
        }
    }
}

std::array<ChannelRow, kChannelCount> channelsByLocation(const CsvImport &import) {
    std::array<ChannelRow, kChannelCount> channels;
    for (const CsvChannel &channel : import.channels) {
        if (channel.number >= 1 && channel.number <= kChannelCount)
            channels[channel.number - 1] = channel.row;
    }
    return channels;
}

ChannelPlan planWithImport(const ChannelPlan &templatePlan, const CsvImport &import) {
    ChannelPlan plan = templatePlan;
    plan.channels = channelsByLocation(import);
    return plan;
}

CsvExport writeCsvChannels(const ChannelPlan &plan, const UiTexts &texts,
                           const CsvTexts &csvTexts) {
    CsvExport result;
    QString text = csvLine(csvColumns());
    const QString step = stepText(plan);
    for (int n = 1; n <= kChannelCount; ++n) {
        const ChannelRow &row = plan.channels[n - 1];
        if (row[RxFreqCol - 1].isEmpty())
            continue;
        const ExportCells cells = readExportCells(row, texts);
        if (cells.failedColumn != 0) {
            result.notes << csvTexts.cannotExport.arg(
                QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')),
                columnName(cells.failedColumn), row[cells.failedColumn - 1]);
            continue;
        }
        QStringList fields{QString::number(n), QString(), megahertzText(cells.rx)};
        fields << duplexFields(cells) << toneFields(cells.txTone, cells.rxTone);
        fields << (cells.wide ? QStringLiteral("FM") : QStringLiteral("NFM")) << step
               << (cells.scan ? QString() : QStringLiteral("S"))
               << (cells.high ? QStringLiteral("High") : QStringLiteral("Low"))
               << (cells.busyLock ? QStringLiteral("BCL") : QString()) << QString() << QString()
               << QString() << QString();
        text += csvLine(fields);
    }
    result.bytes = text.toUtf8();
    return result;
}

FileStatus saveCsvFile(const QString &path, const QByteArray &bytes) {
    QString reason;
    if (!writeAtomically(path, bytes, &reason))
        return FileStatus::failure(
            QStringLiteral("Cannot save %1: %2").arg(displayPath(path), reason));
    return FileStatus::success();
}

QString withCsvSuffix(const QString &chosenPath) {
    if (chosenPath.isEmpty() || QFileInfo(chosenPath).fileName().contains(QLatin1Char('.')))
        return chosenPath;
    return chosenPath + QLatin1Char('.') + kCsvFileSuffix;
}

} // namespace vrx

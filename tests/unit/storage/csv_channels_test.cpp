#include "storage/csv_channels.h"

#include "i18n/value_translation.h"
#include "storage/channel_file.h"
#include "storage_test_util.h"
#include "test_texts.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <optional>
#include <vector>

namespace vrx {
namespace {

using test::englishTexts;
using test::readBytes;

QString csvFixture(const char *name) {
    return QStringLiteral(VRX_FIXTURES_DIR "/csv/") + QString::fromLatin1(name);
}

// A channel as the English value words show it; the defaults are those most rows carry.
struct Expect {
    QString rx = "438.50000";
    QString rxTone = "OFF";
    QString tx = "438.50000";
    QString txTone = "OFF";
    QString power = "High";
    QString bandwidth = "Wide";
    QString scan = "ON";
    QString busyLock = "OFF";

    ChannelRow row() const { return {rx, rxTone, tx, txTone, power, bandwidth, scan, busyLock}; }
};

struct RowCase {
    const char *location;
    int line;
    std::optional<Expect> channel; // nullopt: the row is skipped
    const char *note;              // part of the row's note; nullptr: no note
};

// Every row of tests/fixtures/csv/every_case.csv: row n (Location n) is on line n + 1.
const RowCase kEveryCase[] = {
    {"1", 2, Expect{}, nullptr}, // simplex; the junk offset is ignored
    {"3", 4, Expect{.tx = "430.90000"}, nullptr},
    {"4", 5, Expect{.tx = "145.50000"}, nullptr},
    {"5", 6, Expect{.tx = ""}, nullptr},
    {"6", 7, Expect{.txTone = "100.0"}, nullptr},
    {"7", 8, Expect{.rxTone = "123.0", .txTone = "123.0"}, nullptr},
    {"8", 9, Expect{.rxTone = "D754I", .txTone = "D754N"}, nullptr},
    {"9", 10, Expect{.rxTone = "254.1", .txTone = "67.0"}, nullptr},
    {"10", 11, Expect{.rxTone = "D131I", .txTone = "67.0"}, nullptr},
    {"11", 12, Expect{.rxTone = "88.5", .txTone = "D023I"}, nullptr},
    {"12", 13, Expect{.rxTone = "D754I", .txTone = "D023I"}, nullptr},
    {"13", 14, Expect{.rxTone = "71.9"}, nullptr},
    {"14", 15, Expect{.rxTone = "D025N"}, nullptr},
    {"15", 16, Expect{.txTone = "77.0"}, nullptr},
    {"16", 17, Expect{.txTone = "D047I"}, nullptr},
    {"17", 18, Expect{.bandwidth = "Narrow"}, nullptr},
    {"18", 19, Expect{}, nullptr},
    {"19", 20, Expect{}, nullptr},
    {"20", 21, std::nullopt, "mode \"AM\" is not FM or NFM; row skipped"},
    {"21", 22, Expect{.scan = "OFF"}, nullptr},
    {"22", 23, Expect{}, nullptr},
    {"23", 24, Expect{.power = "Low"}, nullptr},
    {"24", 25, Expect{.power = "Low"}, nullptr},
    {"25", 26, Expect{.power = "Low"}, nullptr},
    {"26", 27, Expect{}, nullptr},
    {"27", 28, Expect{.power = "Low"}, nullptr},
    {"28", 29, Expect{}, nullptr},
    {"29", 30, Expect{}, "power \"Medium\" is unknown; set to high"},
    {"30", 31, Expect{}, nullptr},
    {"31", 32, Expect{.busyLock = "ON"}, nullptr},
    {"32", 33, Expect{}, nullptr},
    {"33", 34, Expect{.rx = "100.00000", .tx = "100.00000"}, nullptr},
    {"34", 35, Expect{.rx = "550.00000", .tx = "550.00000"}, nullptr},
    {"35", 36, Expect{.rx = "446.00625", .tx = "446.00625"}, nullptr},
    {"36", 37, std::nullopt, "frequency \"99.995000\" is not 100-550 MHz"},
    {"37", 38, std::nullopt, "frequency \"438.500005\" is not 100-550 MHz in whole 10 Hz"},
    {"38", 39, std::nullopt, "transmit frequency 551.000000 MHz is outside"},
    {"39", 40, std::nullopt, "transmit frequency 99.000000 MHz is outside"},
    {"40", 41, std::nullopt, "duplex \"x\" is unknown; row skipped"},
    {"41", 42, std::nullopt, "offset \"five\" is not a frequency; row skipped"},
    {"42", 43, Expect{}, "tone mode \"TSQL-R\" cannot be stored; imported without tones"},
    {"43", 44, Expect{}, "tone mode \"DTCS-R\" cannot be stored"},
    {"44", 45, Expect{}, "tone mode \"Cross Tone->DV\" cannot be stored"},
    {"45", 46, Expect{}, "CTCSS tone \"300.0\" cannot be stored; tone dropped"},
    {"46", 47, Expect{}, "DCS code \"089\" is not three octal digits; tone dropped"},
    {"47", 48, Expect{.txTone = "D023N"}, "DCS polarity \"NX\" is not two letters N or R"},
    {"48", 49, Expect{}, "skip \"X\" is unknown; scan list on"},
    {"49", 50, std::nullopt, "mode \"WFM\" is not FM or NFM"},
    {"50", 51, std::nullopt, "mode \"DV\" is not FM or NFM"},
    {"0", 52, std::nullopt, "not a channel number from 1 to 199; row skipped"},
    {"200", 53, std::nullopt, "not a channel number from 1 to 199"},
    {"abc", 54, std::nullopt, "not a channel number from 1 to 199"},
    // Location 2 comes twice: the later row wins, and says so.
    {"2", 55, Expect{.rx = "439.00000", .tx = "439.00000"}, "channel already given on line 3"},
};

class EveryCaseTest : public ::testing::TestWithParam<RowCase> {
protected:
    static void SetUpTestSuite() {
        import_ = new CsvImport(loadCsvFile(csvFixture("every_case.csv"), englishTexts(), {}));
    }
    static void TearDownTestSuite() {
        delete import_;
        import_ = nullptr;
    }
    static CsvImport *import_;
};
CsvImport *EveryCaseTest::import_ = nullptr;

TEST_P(EveryCaseTest, RowIsTakenSkippedOrNotedAsTheFormatSays) {
    const RowCase &c = GetParam();
    ASSERT_TRUE(import_->ok()) << import_->error.toStdString();
    const QString prefix = QStringLiteral("Line %1, Location %2: ").arg(c.line).arg(c.location);
    QStringList notes;
    for (const QString &note : import_->notes)
        if (note.startsWith(prefix))
            notes << note;
    if (c.note) {
        ASSERT_EQ(notes.size(), 1) << notes.join('\n').toStdString();
        EXPECT_TRUE(notes.first().contains(QString::fromUtf8(c.note)))
            << notes.first().toStdString();
    } else {
        EXPECT_TRUE(notes.isEmpty()) << notes.join('\n').toStdString();
    }

    const auto taken = std::find_if(import_->channels.begin(), import_->channels.end(),
                                    [&](const CsvChannel &ch) { return ch.line == c.line; });
    if (!c.channel) {
        EXPECT_EQ(taken, import_->channels.end());
        return;
    }
    ASSERT_NE(taken, import_->channels.end());
    EXPECT_EQ(taken->location, QString::fromLatin1(c.location));
    EXPECT_EQ(taken->row, c.channel->row());
    EXPECT_EQ(channelsByLocation(*import_)[taken->number - 1], c.channel->row());
}

INSTANTIATE_TEST_SUITE_P(Fixture, EveryCaseTest, ::testing::ValuesIn(kEveryCase),
                         [](const auto &info) { return "line" + std::to_string(info.param.line); });

TEST(CsvImportTest, EveryCaseFileGivesOneNotePerNotedRowAndNoOtherChannels) {
    const CsvImport import = loadCsvFile(csvFixture("every_case.csv"), englishTexts(), {});
    ASSERT_TRUE(import.ok());
    int noted = 0;
    for (const RowCase &c : kEveryCase)
        noted += c.note ? 1 : 0;
    EXPECT_EQ(import.notes.size(), noted) << import.notes.join('\n').toStdString();
    // Location 2 (line 3, then line 55) is the only channel given twice.
    const auto channels = channelsByLocation(import);
    EXPECT_EQ(channels[1], (Expect{.rx = "439.00000", .tx = "439.00000"}.row()));
    for (int n = 51; n <= kChannelCount; ++n)
        EXPECT_EQ(channels[n - 1], ChannelRow{}) << "channel " << n;
    // Rows 20, 36 to 41, 49 and 50 were skipped, so their channels are empty.
    for (int n : {20, 36, 37, 38, 39, 40, 41, 49, 50})
        EXPECT_EQ(channels[n - 1], ChannelRow{}) << "channel " << n;
}

TEST(CsvImportTest, OldHeaderInAnyOrderTakesTheDefaultsOfItsMissingColumns) {
    const CsvImport import = loadCsvFile(csvFixture("old_header.csv"), englishTexts(), {});
    ASSERT_TRUE(import.ok()) << import.error.toStdString();
    EXPECT_TRUE(import.notes.isEmpty()) << import.notes.join('\n').toStdString();
    const auto channels = channelsByLocation(import);
    // No Power column: high. No CrossMode: Tone->Tone. No RxDtcsCode: not needed here.
    EXPECT_EQ(channels[0], (Expect{.tx = "433.50000", .txTone = "88.5"}.row()));
    EXPECT_EQ(channels[1], (Expect{.rx = "439.00000",
                                   .rxTone = "71.9",
                                   .tx = "439.00000",
                                   .txTone = "67.0",
                                   .bandwidth = "Narrow",
                                   .scan = "OFF",
                                   .busyLock = "ON"}
                                .row()));
    EXPECT_EQ(
        channels[2],
        (Expect{.rx = "440.00000", .rxTone = "D065N", .tx = "440.00000", .txTone = "D065I"}.row()));
}

TEST(CsvImportTest, BomCommentsBlankLinesAndQuotedFieldsAreRead) {
    const CsvImport import = loadCsvFile(csvFixture("quoted_bom_comments.csv"), englishTexts(), {});
    ASSERT_TRUE(import.ok()) << import.error.toStdString();
    ASSERT_EQ(import.channels.size(), 2);
    // A quoted Location, a Name with a comma and quotes, a Comment with a line break.
    EXPECT_EQ(import.channels[0].line, 5);
    EXPECT_EQ(import.channels[0].row, (Expect{.txTone = "67.0", .busyLock = "ON"}.row()));
    EXPECT_EQ(import.channels[1].line, 10);
    EXPECT_EQ(import.channels[1].row,
              (Expect{.rx = "440.00000", .tx = "440.00000", .bandwidth = "Narrow"}.row()));
    // The skipped row's line counts the comment's line break and the comment lines.
    ASSERT_EQ(import.notes.size(), 1);
    EXPECT_TRUE(import.notes[0].startsWith("Line 9, Location 2: mode \"AM\""))
        << import.notes[0].toStdString();
}

TEST(CsvImportTest, ValueWordsAreThoseOfTheGivenLanguage) {
    const QString text = QStringLiteral(
        "Location,Frequency,Power,Mode,Skip,Comment\n1,438.5,Low,NFM,S,BCL\n2,438.5,,,,\n");
    const CsvImport import = parseCsvText(text, UiTexts{}, {});
    ASSERT_EQ(import.channels.size(), 2);
    EXPECT_EQ(import.channels[0].row, (ChannelRow{"438.50000", "禁用", "438.50000", "禁用",
                                                  "低功率", "窄带", "禁用", "启用"}));
    EXPECT_EQ(import.channels[1].row, (ChannelRow{"438.50000", "禁用", "438.50000", "禁用",
                                                  "高功率", "宽带", "启用", "禁用"}));
}

struct ErrorCase {
    const char *name;
    QByteArray bytes;
};

class CsvErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CsvErrorTest, NotAChannelListImportsNothing) {
    const CsvImport import = parseCsvBytes(GetParam().bytes, englishTexts(), {});
    EXPECT_FALSE(import.ok());
    EXPECT_TRUE(import.channels.isEmpty());
    EXPECT_TRUE(import.notes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, CsvErrorTest,
    ::testing::Values(ErrorCase{"empty", ""}, ErrorCase{"only_comments", "# nothing\n\n"},
                      ErrorCase{"no_location", "Name,Frequency\nA,438.5\n"},
                      ErrorCase{"no_frequency", "Location,Name\n1,A\n"},
                      ErrorCase{"header_not_first", "1,438.5\nLocation,Frequency\n"},
                      ErrorCase{"not_utf8", "Location,Frequency,Name\n1,438.5,\xb1\xb1\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CsvImportTest, AFileThatCannotBeReadNamesIt) {
    const CsvImport import = loadCsvFile("/nonexistent/list.csv", englishTexts(), {});
    EXPECT_FALSE(import.ok());
    EXPECT_TRUE(import.error.contains("list.csv")) << import.error.toStdString();
}

TEST(CsvImportTest, RowsInOrderKeepFileOrderWhateverTheirLocation) {
    const QString text = QStringLiteral("Location,Frequency\n0,438.5\n5,439\n5,440\n1,99\n");
    const CsvImport import = parseCsvText(text, englishTexts(), {}, CsvPlacement::InOrder);
    ASSERT_EQ(import.channels.size(), 3);
    EXPECT_EQ(import.channels[0].row[0], "438.50000");
    EXPECT_EQ(import.channels[1].row[0], "439.00000");
    EXPECT_EQ(import.channels[2].row[0], "440.00000");
    // Only the frequency below the band is noted; Location is not compared.
    EXPECT_EQ(import.notes, (QStringList{"Line 5, Location 1: frequency \"99\" is not 100-550 "
                                         "MHz in whole 10 Hz; row skipped"}));
}

// No row is lost without a note: line ends of old Macs, an unclosed quote, the separators
// and decimal commas of European spreadsheets, tones without a code, frequencies off the
// raster.
struct ImportCase {
    const char *name;
    const char *text;
    int channels;                    // rows taken
    std::optional<Expect> first;     // the first row taken
    std::vector<const char *> notes; // each a part of one note, in order
};
void PrintTo(const ImportCase &c, std::ostream *os) {
    *os << c.name;
}
class CsvImportCaseTest : public ::testing::TestWithParam<ImportCase> {};

TEST_P(CsvImportCaseTest, TakesTheRowsAndSaysWhatItChanged) {
    const ImportCase &c = GetParam();
    const CsvImport import = parseCsvBytes(QByteArray(c.text), englishTexts(), {});
    ASSERT_TRUE(import.ok()) << import.error.toStdString();
    EXPECT_EQ(import.channels.size(), c.channels);
    if (c.first) {
        ASSERT_FALSE(import.channels.isEmpty());
        EXPECT_EQ(import.channels[0].row, c.first->row());
    }
    ASSERT_EQ(import.notes.size(), qsizetype(c.notes.size()))
        << import.notes.join('\n').toStdString();
    for (size_t i = 0; i < c.notes.size(); ++i)
        EXPECT_TRUE(import.notes[qsizetype(i)].contains(QString::fromUtf8(c.notes[i])))
            << import.notes[qsizetype(i)].toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvImportCaseTest,
    ::testing::Values(
        ImportCase{"LoneCr", "Location,Frequency\r1,438.5\r2,439\r", 2, Expect{}, {}},
        ImportCase{"UnclosedQuote",
                   "Location,Frequency,Name\n1,438.5,a\n2,439,\"open\n3,440,c\n4,441,d\n",
                   1,
                   Expect{},
                   {"line 3: a quote opened here is never closed; 3 lines were not read"}},
        ImportCase{"SemicolonsAndDecimalCommas",
                   "Location;Frequency;Duplex;Offset;Tone;rToneFreq\n"
                   "1;438,500000;-;7,600000;Tone;88,5\n",
                   1,
                   Expect{.tx = "430.90000", .txTone = "88.5"},
                   {}},
        ImportCase{"Tabs",
                   "Location\tFrequency\tMode\n1\t438.5\tNFM\n",
                   1,
                   Expect{.bandwidth = "Narrow"},
                   {}},
        ImportCase{"CtcssWithoutACode",
                   "Location,Frequency,Tone,rToneFreq\n1,438.5,Tone,69.4\n2,438.5,Tone,0.1\n",
                   2,
                   Expect{},
                   {"Line 2, Location 1: CTCSS tone \"69.4\" cannot be stored; tone dropped",
                    "Line 3, Location 2: CTCSS tone \"0.1\""}},
        ImportCase{"DcsWithoutACode",
                   "Location,Frequency,Tone,DtcsCode,DtcsPolarity\n1,438.5,DTCS,777,NN\n",
                   1,
                   Expect{},
                   {"DCS code \"777\" is not one the radio has; tone dropped"}},
        // The transmit frequency follows the receive frequency the channel holds.
        ImportCase{"OffTheRasterSimplex",
                   "Location,Frequency\n1,145.512\n",
                   1,
                   Expect{.rx = "145.51250", .tx = "145.51250"},
                   {"frequency 145.512000 MHz is off the 5/6.25 kHz raster; moved to 145.51250"}},
        ImportCase{"OffTheRaster",
                   "Location,Frequency,Duplex,Offset\n1,438.501000,split,439.002000\n",
                   1,
                   Expect{.rx = "438.50500", .tx = "439.00500"},
                   {"frequency 438.501000 MHz is off the 5/6.25 kHz raster; moved to 438.50500",
                    "frequency 439.002000 MHz is off the 5/6.25 kHz raster; moved to 439.00500"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CsvImportTest, RowsOutsideThePlansBandAreKeptWithANote) {
    CsvImport import = parseCsvText(
        "Location,Frequency,Duplex,Offset\n1,438.5,,\n2,145.5,,\n3,438.5,split,145.5\n",
        englishTexts(), {});
    noteRowsOutsideBand(import, QStringLiteral("400-470MHz"), {});
    EXPECT_EQ(import.channels.size(), 3);
    EXPECT_EQ(import.notes,
              (QStringList{"Line 3, Location 2: frequency 145.50000 lies outside the band "
                           "400-470MHz; row kept",
                           "Line 4, Location 3: frequency 145.50000 lies outside the band "
                           "400-470MHz; row kept"}));
    // A band text that names no range sets no limits.
    CsvImport unlimited = parseCsvText("Location,Frequency\n1,145.5\n", englishTexts(), {});
    noteRowsOutsideBand(unlimited, QString(), {});
    EXPECT_TRUE(unlimited.notes.isEmpty());
}

// A file of many bad or repeated rows keeps 100 notes and counts the rest, and a Location
// given many times is one channel: what an import holds does not grow with the file.
TEST(CsvImportTest, NotesAndChannelsStayBounded) {
    QString text = QStringLiteral("Location,Frequency\n");
    for (int i = 0; i < 5000; ++i)
        text += i % 2 ? QStringLiteral("7,438.5\n") : QStringLiteral("x,438.5\n");
    const CsvImport import = parseCsvText(text, englishTexts(), {});
    EXPECT_EQ(import.channels.size(), 1);
    EXPECT_EQ(import.channels[0].line, 5001);
    EXPECT_EQ(import.notes.size(), kMaxCsvNotes);
    EXPECT_EQ(import.moreNotes, 4999 - kMaxCsvNotes);
    const QStringList lines = csvNoteLines(import, {});
    ASSERT_EQ(lines.size(), kMaxCsvNotes + 1);
    EXPECT_EQ(lines.last(), QStringLiteral("and %1 more notes").arg(4999 - kMaxCsvNotes));
    EXPECT_EQ(channelsByLocation(import)[6][0], QStringLiteral("438.50000"));
}

TEST(CsvImportTest, HeaderIsRecognisedForAPaste) {
    EXPECT_TRUE(hasCsvHeader("\xEF\xBB\xBF# list\nlocation , FREQUENCY\n1,438.5\n"));
    EXPECT_FALSE(hasCsvHeader("438.50000\tOFF\t438.50000\n"));
    EXPECT_FALSE(hasCsvHeader(""));
}

// ---- export -------------------------------------------------------------------------

ChannelPlan planWithChannel(const ChannelRow &row, int number = 1) {
    ChannelPlan plan;
    plan.channels[number - 1] = row;
    return plan;
}

struct WriteCase {
    const char *name;
    ChannelRow row;
    const char *line; // the data line without its CR LF
};

class CsvWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(CsvWriteTest, ChannelIsWrittenAsTheFormatSays) {
    // The default plan's Freq.Step is 25 kHz.
    const CsvExport out = writeCsvChannels(planWithChannel(GetParam().row, 7), englishTexts(), {});
    EXPECT_TRUE(out.notes.isEmpty());
    const QList<QByteArray> lines = test::crlfLines(out.bytes);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QByteArray(GetParam().line));
}

// Filler columns: rToneFreq/cToneFreq 88.5, DtcsCode/RxDtcsCode 023, NN, Tone->Tone.
INSTANTIATE_TEST_SUITE_P(
    Rows, CsvWriteTest,
    ::testing::Values(
        WriteCase{"simplex",
                  {"438.50000", "OFF", "438.50000", "OFF", "High", "Wide", "ON", "OFF"},
                  "7,,438.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,High,,,,,"},
        WriteCase{"plus_tone_low_narrow_noscan_bcl",
                  {"145.00000", "OFF", "145.60000", "100.0", "Low", "Narrow", "OFF", "ON"},
                  "7,,145.000000,+,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,NFM,25.00,S,"
                  "Low,BCL,,,,"},
        WriteCase{"minus_70_tsql",
                  {"470.00000", "67.0", "400.00000", "67.0", "High", "Wide", "ON", "OFF"},
                  "7,,470.000000,-,70.000000,TSQL,67.0,67.0,023,NN,023,Tone->Tone,FM,25.00,,"
                  "High,,,,,"},
        WriteCase{"split_dtcs",
                  {"400.00625", "D754I", "470.00635", "D754N", "High", "Wide", "ON", "OFF"},
                  "7,,400.006250,split,470.006350,DTCS,88.5,88.5,754,NR,023,Tone->Tone,FM,25.00,"
                  ",High,,,,,"},
        WriteCase{"off_cross_tone_dtcs",
                  {"438.50000", "D023I", "", "254.1", "High", "Wide", "ON", "OFF"},
                  "7,,438.500000,off,0.000000,Cross,254.1,88.5,023,NR,023,Tone->DTCS,FM,25.00,,"
                  "High,,,,,"},
        WriteCase{"cross_dtcs_dtcs",
                  {"438.50000", "D754N", "438.50000", "D023I", "High", "Wide", "ON", "OFF"},
                  "7,,438.500000,,0.000000,Cross,88.5,88.5,023,RN,754,DTCS->DTCS,FM,25.00,,"
                  "High,,,,,"},
        WriteCase{"cross_receive_only",
                  {"438.50000", "71.9", "438.50000", "OFF", "High", "Wide", "ON", "OFF"},
                  "7,,438.500000,,0.000000,Cross,88.5,71.9,023,NN,023,->Tone,FM,25.00,,High,,,,,"},
        WriteCase{"cross_two_tones",
                  {"438.50000", "88.5", "438.50000", "67.0", "High", "Wide", "ON", "OFF"},
                  "7,,438.500000,,0.000000,Cross,67.0,88.5,023,NN,023,Tone->Tone,FM,25.00,,"
                  "High,,,,,"},
        WriteCase{"cross_dcs_transmit_only_chinese_words",
                  {"438.50000", "禁用", "438.50000", "D047I", "低功率", "窄带", "禁用", "启用"},
                  "7,,438.500000,,0.000000,Cross,88.5,88.5,047,RN,023,DTCS->,NFM,25.00,S,Low,"
                  "BCL,,,,"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CsvExportTest, FileStartsWithTheHeaderAndHoldsOnlyFilledChannels) {
    ChannelPlan plan = test::numberedPlan();
    plan.channels[4] = {};
    const CsvExport out = writeCsvChannels(plan, UiTexts{}, {});
    const QList<QByteArray> lines = test::crlfLines(out.bytes);
    ASSERT_EQ(lines.size(), kChannelCount); // header + 198 channels
    EXPECT_EQ(lines[0], "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                        "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,"
                        "RPT1CALL,RPT2CALL,DVCODE");
    EXPECT_TRUE(lines[4].startsWith("4,"));
    EXPECT_TRUE(lines[5].startsWith("6,"));
    EXPECT_TRUE(out.bytes.endsWith("\r\n"));
}

TEST(CsvExportTest, FrequencyStepIsWrittenWithTwoDecimals) {
    ChannelPlan plan = planWithChannel(Expect{}.row());
    plan.options[indexOf(Option::FreqStep)] = 1; // 6.25 kHz
    const QList<QByteArray> lines =
        test::crlfLines(writeCsvChannels(plan, englishTexts(), {}).bytes);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1].split(',')[13], "6.25");
}

TEST(CsvExportTest, ChannelWithAnUnreadableCellIsLeftOutWithANote) {
    ChannelPlan plan = planWithChannel(Expect{}.row(), 1);
    ChannelRow bad = Expect{}.row();
    bad[TxToneCol - 1] = "D999N";
    plan.channels[2] = bad;
    plan.channels[3] = Expect{.rx = "FFF.FF625"}.row();
    const CsvExport out = writeCsvChannels(plan, englishTexts(), {});
    EXPECT_EQ(test::crlfLines(out.bytes).size(), 2); // header and channel 1
    EXPECT_EQ(out.notes, (QStringList{
                             "Channel 003: TxTone \"D999N\" cannot be written as CSV; channel "
                             "left out",
                             "Channel 004: RxFreq \"FFF.FF625\" cannot be written as CSV; "
                             "channel left out",
                         }));
}

// ---- round trip .vrx -> .csv -> .vrx ------------------------------------------------

// Every tone kind on either side, every duplex kind and every flag combination, spread
// over as many plans as they need.
std::vector<ChannelPlan> everyKindPlans(bool englishWords) {
    const QStringList tones{"OFF", "67.0", "254.1", "D023N", "D754I", "D023I"};
    // {RxFreq, TxFreq}: simplex, +, -, a 70 MHz edge each way and a step past it (on the
    // raster, where an import puts every frequency), split, off, raster edges.
    const std::vector<std::pair<QString, QString>> duplexes{
        {"438.50000", "438.50000"}, {"145.00000", "145.60000"}, {"438.50000", "430.90000"},
        {"400.00000", "470.00000"}, {"470.00000", "400.00000"}, {"400.00000", "470.00500"},
        {"438.50000", "145.50000"}, {"438.50000", ""},          {"100.00000", "550.00000"},
        {"446.00625", "446.00625"}};
    const UiTexts words = englishWords ? englishTexts() : UiTexts{};
    std::vector<ChannelPlan> plans;
    int n = kChannelCount;
    for (const QString &rxTone : tones)
        for (const QString &txTone : tones)
            for (const auto &[rx, tx] : duplexes)
                for (int flags = 0; flags < 16; flags += (rx == "438.50000" ? 1 : 5)) {
                    if (n == kChannelCount) {
                        plans.emplace_back();
                        n = 0;
                    }
                    const auto tone = [&](const QString &t) {
                        return t == "OFF" ? words.offText : t;
                    };
                    plans.back().channels[n++] = {rx,
                                                  tone(rxTone),
                                                  tx,
                                                  tone(txTone),
                                                  flags & 1 ? words.highText : words.lowText,
                                                  flags & 2 ? words.wideText : words.narrowText,
                                                  flags & 4 ? words.onText : words.offText,
                                                  flags & 8 ? words.onText : words.offText};
                }
    return plans;
}

class CsvRoundTripTest : public ::testing::TestWithParam<bool> {};

TEST_P(CsvRoundTripTest, EveryPlanSurvivesVrxToCsvToVrx) {
    const bool englishWords = GetParam();
    const UiTexts texts = englishTexts();
    int channels = 0;
    for (ChannelPlan original : everyKindPlans(englishWords)) {
        original.bandText = "400-470MHz";
        original.options[indexOf(Option::Squelch)] = 5;
        const ChannelFileParse vrx = parseChannelFile(writeChannelFile(original));
        ASSERT_TRUE(vrx.ok());

        const CsvExport csv = writeCsvChannels(*vrx.plan, texts, {});
        ASSERT_TRUE(csv.notes.isEmpty()) << csv.notes.join('\n').toStdString();
        const CsvImport import = parseCsvBytes(csv.bytes, texts, {});
        ASSERT_TRUE(import.ok());
        ASSERT_TRUE(import.notes.isEmpty()) << import.notes.join('\n').toStdString();

        // The template gives band, options and drives; the channels come from the CSV.
        const ChannelFileParse back =
            parseChannelFile(writeChannelFile(planWithImport(*vrx.plan, import)));
        ASSERT_TRUE(back.ok());
        ChannelPlan expected = original;
        if (!englishWords) // read back in the language of `texts`
            for (ChannelRow &row : expected.channels)
                for (int col = RxToneCol; col <= BusyLockCol; ++col)
                    row[col - 1] = translatedValue(col, row[col - 1], texts);
        for (int n = 1; n <= kChannelCount; ++n) {
            ASSERT_EQ(back.plan->channels[n - 1], expected.channels[n - 1]) << "channel " << n;
            channels += expected.channels[n - 1][0].isEmpty() ? 0 : 1;
        }
        EXPECT_EQ(back.plan->options, original.options);
        EXPECT_EQ(back.plan->bandText, original.bandText);
    }
    // 36 tone pairs; all 16 flag combinations on four duplex kinds, four on the six others.
    EXPECT_EQ(channels, 6 * 6 * (4 * 16 + 6 * 4));
}

INSTANTIATE_TEST_SUITE_P(Words, CsvRoundTripTest, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "english" : "chinese"; });

TEST(CsvFileTest, SaveReplacesTheFileAndAddsTheSuffix) {
    QTemporaryDir dir;
    const QString path = withCsvSuffix(dir.filePath("list"));
    EXPECT_TRUE(path.endsWith("list.csv"));
    EXPECT_EQ(withCsvSuffix(dir.filePath("list.txt")), dir.filePath("list.txt"));
    const CsvExport out = writeCsvChannels(test::numberedPlan(), UiTexts{}, {});
    ASSERT_TRUE(saveCsvFile(path, out.bytes).ok());
    EXPECT_EQ(readBytes(path), out.bytes);
    EXPECT_FALSE(saveCsvFile(dir.filePath("missing/list.csv"), out.bytes).ok());
}

} // namespace
} // namespace vrx

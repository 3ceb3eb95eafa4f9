#include "storage/channel_file.h"

#include "channels/tone_list.h"

#include "storage_test_util.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace vrx {
namespace {

using test::crlfLines;
using test::fixturePath;
using test::joinCrlf;
using test::readBytes;
using test::writeBytes;

// The program's state as a channel file sees it, for checking that nothing changed.
struct Program {
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;

    ChannelPlan plan() const { return capturePlan(table, settings, bands); }
};

ChannelPlan parseOk(const QByteArray &bytes) {
    ChannelFileParse parsed = parseChannelFile(bytes);
    EXPECT_TRUE(parsed.ok()) << "line " << parsed.error.line << ": "
                             << parsed.error.reason.toStdString();
    return parsed.plan.value_or(ChannelPlan{});
}

QByteArray exampleBytes() {
    return readBytes(fixturePath("example_chinese.vrx"));
}

// The example with line `number` (1-based) replaced.
QByteArray exampleWithLine(int number, const QByteArray &line) {
    QList<QByteArray> lines = crlfLines(exampleBytes());
    lines[number - 1] = line;
    return joinCrlf(lines);
}

// ---- round trip ---------------------------------------------------------------------

struct RoundTripCase {
    const char *fixture;
    bool english;
};
class RoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, OpenThenSaveReproducesTheFileByteForByte) {
    const QString source = fixturePath(QString::fromLatin1(GetParam().fixture));
    const QByteArray original = readBytes(source);
    ASSERT_FALSE(original.isEmpty());

    Program program;
    if (GetParam().english)
        test::useEnglishEntries(program.settings);
    const FileStatus opened =
        openChannelFile(source, program.table, program.settings, program.bands);
    ASSERT_TRUE(opened.ok()) << opened.message().toStdString();

    QTemporaryDir dir;
    const QString target = dir.filePath("saved.vrx");
    const FileStatus saved = saveChannelFile(target, program.plan());
    ASSERT_TRUE(saved.ok()) << saved.message().toStdString();
    EXPECT_EQ(readBytes(target), original);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RoundTripTest,
                         ::testing::Values(RoundTripCase{"example_chinese.vrx", false},
                                           RoundTripCase{"english.vrx", true}),
                         [](const auto &info) {
                             return info.param.english ? "English" : "Chinese";
                         });

// Every file the program and its tests ship opens under the stricter reader.
TEST(ChannelFileTest, ShippedFilesOpen) {
    const QDir fixtures(QStringLiteral(VRX_FIXTURES_DIR));
    const QStringList paths = {
        fixturePath("example_chinese.vrx"),
        fixturePath("english.vrx"),
        fixtures.filePath("../e2e/data/plan_chinese.vrx"),
        fixtures.filePath("../e2e/data/plan_english.vrx"),
        fixtures.filePath("../../data/sample.vrx"),
    };
    for (const QString &path : paths) {
        const ChannelFileLoad load = loadChannelFile(path);
        EXPECT_TRUE(load.ok()) << load.error.toStdString();
    }
}

// Whatever a cell can hold (every tone of the picker, the words of both languages, the
// band edges, empty fields) is written so that it opens again unchanged.
TEST(ChannelFileTest, EveryCellValueTheProgramHoldsOpensAgain) {
    ChannelPlan plan;
    const QStringList chineseTones = toneList(QStringLiteral("禁用"));
    const QStringList englishTones = toneList(QStringLiteral("OFF"));
    const QStringList words[] = {
        {"高功率", "低功率", "High", "Low", ""},
        {"宽带", "窄带", "Wide", "Narrow", ""},
        {"启用", "禁用", "ON", "OFF", ""},
    };
    const QStringList frequencies = {"100.00000", "549.99375", "550.00000", "438.50625"};
    for (int n = 1; n <= kChannelCount; ++n) {
        const int i = n - 1;
        const QStringList &tones = n % 2 ? chineseTones : englishTones;
        plan.channels[i] = {frequencies[i % 4],
                            tones[i % tones.size()],
                            n % 3 ? frequencies[(i + 1) % 4] : "",
                            tones[(i + 133) % tones.size()],
                            words[0][i % 5],
                            words[1][(i / 5) % 5],
                            words[2][i % 5],
                            words[2][(i / 5) % 5]};
    }
    EXPECT_EQ(parseOk(writeChannelFile(plan)), plan);
}

TEST(ChannelFileTest, ExampleReadsAsTheDefaultPlanWithOneChannel) {
    const ChannelPlan plan = parseOk(exampleBytes());
    EXPECT_EQ(plan.bandText, QStringLiteral("400-470MHz"));
    EXPECT_EQ(plan.options, defaultOptionIndexes());
    EXPECT_EQ(plan.drives, (DriveValues{79, 45, 45}));
    EXPECT_EQ(plan.optionTexts[indexOf(Option::TxTimeout)], QStringLiteral("4分钟"));
    EXPECT_EQ(plan.channels[0], (ChannelRow{"438.50000", "67.0", "438.50000", "D023N", "高功率",
                                            "宽带", "启用", "禁用"}));
    for (int n = 2; n <= kChannelCount; ++n)
        EXPECT_EQ(plan.channels[n - 1], ChannelRow{}) << "channel " << n;
}

TEST(ChannelFileTest, EnglishPlanRestoresIndexesDrivesAndChannelsAnywhere) {
    Program program;
    const FileStatus opened =
        openChannelFile(fixturePath("english.vrx"), program.table, program.settings, program.bands);
    ASSERT_TRUE(opened.ok()) << opened.message().toStdString();

    // Band extension on, band 1: the stored band survives the rule.
    EXPECT_EQ(program.settings.index(Option::SpreadFreq), 1);
    EXPECT_EQ(program.settings.index(Option::Band), 1);
    EXPECT_TRUE(program.settings.bandEditable());
    EXPECT_EQ(program.settings.index(Option::Squelch), 9);
    EXPECT_EQ(program.settings.index(Option::Ring), 0);
    EXPECT_EQ(program.settings.drives(), (DriveValues{200, 0, 255}));
    EXPECT_EQ(program.bands.displayedText(BandList::Band1Rx), QStringLiteral("136-174MHz"));
    EXPECT_EQ(program.table.row(2), (ChannelRow{"446.00625", "254.1", "446.00625", "D754I", "Low",
                                                "Narrow", "OFF", "ON"}));
    EXPECT_EQ(program.table.text(TxToneCol, 199), QStringLiteral("D017N"));
    EXPECT_TRUE(program.table.isEmptyChannel(3));
}

// ---- writing ------------------------------------------------------------------------

TEST(ChannelFileTest, InitialPlanGives228LinesWithEmptyChannelLines) {
    const Program program;
    const QByteArray bytes = writeChannelFile(program.plan());

    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), kChannelFileLineCount);
    EXPECT_EQ(bytes.count('\n'), kChannelFileLineCount); // no bare LF anywhere
    const QList<QByteArray> lines = crlfLines(bytes);
    ASSERT_EQ(lines.size(), kChannelFileLineCount);
    EXPECT_EQ(lines[0], "KR-428 MEMORY CHANNEL");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "BAND ");
    EXPECT_EQ(lines[24], "high 79");
    EXPECT_EQ(lines[25], "low1 45");
    EXPECT_EQ(lines[26], "low2 45");
    EXPECT_EQ(lines[27], "");
    EXPECT_EQ(lines[28], "");
    EXPECT_EQ(lines[30], "CH002 |  |  |  |  |  |  |  |  | ");
    for (int n = 1; n <= kChannelCount; ++n)
        EXPECT_EQ(lines[28 + n], QStringLiteral("CH%1 |  |  |  |  |  |  |  |  | ")
                                     .arg(n, 3, 10, QLatin1Char('0'))
                                     .toLatin1());

    // Apart from the band and channel 1 this is the example file byte for byte.
    QList<QByteArray> example = crlfLines(exampleBytes());
    example[3] = "BAND ";
    example[29] = "CH001 |  |  |  |  |  |  |  |  | ";
    EXPECT_EQ(bytes, joinCrlf(example));
}

TEST(ChannelFileTest, OptionLinesCarryTheTextsAsGbkBytes) {
    const QList<QByteArray> lines = crlfLines(writeChannelFile(Program().plan()));
    EXPECT_EQ(lines[4], QByteArray("APO 1 \xBD\xFB\xD3\xC3"));       // 禁用
    EXPECT_EQ(lines[14], QByteArray("TxT.O.T 4 4\xB7\xD6\xD6\xD3")); // 4分钟
    EXPECT_EQ(lines[11], "MR freq./MR CH 1 MR freq.");
}

// ---- reading rules ------------------------------------------------------------------

// A deleted line would shift the following channels up and leave the last one empty:
// the file is refused instead, naming the first missing line.
TEST(ChannelFileReadTest, DeletedChannelLineRefusesTheFile) {
    QList<QByteArray> lines = crlfLines(writeChannelFile(test::numberedPlan()));
    lines.removeAt(kFirstChannelLine - 1 + 4); // the line of channel 5

    const ChannelFileParse parsed = parseChannelFile(joinCrlf(lines));
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error.line, kChannelFileLineCount);
    EXPECT_TRUE(parsed.error.reason.contains(QStringLiteral("ends after 227 lines")))
        << parsed.error.reason.toStdString();
}

struct ChannelLineCase {
    const char *name;
    QByteArray line;
    ChannelRow expected;
};
class ChannelLineTest : public ::testing::TestWithParam<ChannelLineCase> {};

TEST_P(ChannelLineTest, FieldsFollowTheColumnAndBlankRules) {
    const ChannelPlan plan = parseOk(exampleWithLine(kFirstChannelLine + 2, GetParam().line));
    EXPECT_EQ(plan.channels[2], GetParam().expected);
    // The neighbours are untouched.
    EXPECT_EQ(plan.channels[0][0], QStringLiteral("438.50000"));
    EXPECT_EQ(plan.channels[3], ChannelRow{});
}

const ChannelRow kFull{"438.50000", "67.0", "438.50000", "D023N", "高功率", "宽带", "启用", "禁用"};

QByteArray gbk(const char *utf8) {
    QStringEncoder encoder("GBK");
    return encoder.encode(QString::fromUtf8(utf8));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ChannelLineTest,
    ::testing::Values(
        ChannelLineCase{
            "Complete",
            gbk("CH003 | 438.50000 | 67.0 | 438.50000 | D023N | 高功率 | 宽带 | 启用 | 禁用 | "),
            kFull},
        // The number in the line is not read: line 32 is channel 3.
        ChannelLineCase{
            "NumberIgnored",
            gbk("CH150 | 438.50000 | 67.0 | 438.50000 | D023N | 高功率 | 宽带 | 启用 | 禁用 | "),
            kFull},
        // Column 9 blank: RxFreq is empty, so the channel is empty whatever follows.
        ChannelLineCase{"EmptyRxFreq",
                        gbk("CH003 |  | 67.0 | 438.50000 | D023N | 高功率 | 宽带 | 启用 | 禁用 | "),
                        ChannelRow{}},
        // Without the trailing blank the last separator is cut short; all eight fields
        // still come out.
        ChannelLineCase{
            "NoTrailingBlank",
            gbk("CH003 | 438.50000 | 67.0 | 438.50000 | D023N | 高功率 | 宽带 | 启用 | 禁用 |"),
            kFull},
        // The English words, the band edges, an inverted code and empty fields.
        ChannelLineCase{
            "EnglishWordsAndEdges",
            "CH003 | 100.00000 | OFF | 550.00000 | D754I | Low | Narrow | OFF | ON | ",
            ChannelRow{"100.00000", "OFF", "550.00000", "D754I", "Low", "Narrow", "OFF", "ON"}},
        ChannelLineCase{"EmptyFieldsAfterRxFreq", "CH003 | 438.50000 |  |  |  |  |  |  |  | ",
                        ChannelRow{"438.50000", "", "", "", "", "", "", ""}},
        ChannelLineCase{"EmptyChannelNoTrailingBlank", "CH003 |  |  |  |  |  |  |  |  |",
                        ChannelRow{}}),
    [](const auto &info) { return std::string(info.param.name); });

struct BandLineCase {
    const char *name;
    QByteArray line;
    const char *band;
};
class BandLineTest : public ::testing::TestWithParam<BandLineCase> {};

TEST_P(BandLineTest, BandTextIsCharactersSixToFifteen) {
    EXPECT_EQ(parseOk(exampleWithLine(4, GetParam().line)).bandText,
              QString::fromUtf8(GetParam().band));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BandLineTest,
    ::testing::Values(BandLineCase{"Normal", "BAND 136-174MHz", "136-174MHz"},
                      BandLineCase{"Empty", "BAND ", ""}, BandLineCase{"NoBlank", "BAND", ""},
                      BandLineCase{"Short", "BAND 400", "400"},
                      BandLineCase{"Long", "BAND 400-470MHz and more", "400-470MHz"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ChannelFileReadTest, EmptyBandOpensAsAnEmptyEntry) {
    Program program;
    program.bands.setList(BandList::Band1Rx, {"400-470MHz"}, 0);
    QTemporaryDir dir;
    const QString path = dir.filePath("noband.vrx");
    ASSERT_TRUE(writeBytes(path, exampleWithLine(4, "BAND ")));

    ASSERT_TRUE(openChannelFile(path, program.table, program.settings, program.bands).ok());
    EXPECT_EQ(program.bands.entries(BandList::Band1Rx), (QStringList{"400-470MHz", ""}));
    EXPECT_EQ(program.bands.selected(BandList::Band1Rx), 1);
    EXPECT_EQ(openedFileCaption(program.bands.displayedText(BandList::Band1Rx)),
              QStringLiteral("VRX-428    []"));
}

TEST(ChannelFileReadTest, LineEndVariantsAndExtraLinesReadTheSamePlan) {
    const QByteArray crlf = writeChannelFile(test::numberedPlan());
    const ChannelPlan expected = parseOk(crlf);
    ASSERT_EQ(expected.channels[198][0], QStringLiteral("499.00000"));

    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    QByteArray noFinalEnd = crlf;
    noFinalEnd.chop(2);
    const QByteArray extra = crlf + "CH200 | 999.00000 | x | y | z | a | b | c | d | \r\nmore\r\n";

    EXPECT_EQ(parseOk(lf), expected);
    EXPECT_EQ(parseOk(noFinalEnd), expected);
    EXPECT_EQ(parseOk(extra), expected);
}

// A file cut inside the channels would leave the rest silently empty; it is refused.
TEST(ChannelFileReadTest, FileEndingInsideTheChannelsIsRefused) {
    const QList<QByteArray> lines = crlfLines(writeChannelFile(test::numberedPlan()));
    for (const int kept : {102, kLastSettingsLine, kChannelFileLineCount - 1}) {
        const ChannelFileParse parsed = parseChannelFile(joinCrlf(lines.mid(0, kept)));
        ASSERT_FALSE(parsed.ok()) << kept;
        EXPECT_EQ(parsed.error.line, kept + 1);
        EXPECT_TRUE(parsed.error.reason.contains(QStringLiteral("has 228")))
            << parsed.error.reason.toStdString();
    }
}

// ---- malformed files change nothing -------------------------------------------------

struct MalformedFixtureCase {
    const char *fixture;
    int line;
    const char *reason; // a part of the reason
};
class MalformedFixtureTest : public ::testing::TestWithParam<MalformedFixtureCase> {};

TEST_P(MalformedFixtureTest, OpenFailsAtTheLineAndChangesNothing) {
    const QString path = fixturePath(QString::fromLatin1(GetParam().fixture));
    const ChannelFileParse parsed = parseChannelFile(readBytes(path));
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error.line, GetParam().line);
    EXPECT_TRUE(parsed.error.reason.contains(QString::fromUtf8(GetParam().reason)))
        << parsed.error.reason.toStdString();

    // A state unlike the file's, so that any partial apply would show.
    Program program;
    program.settings.setIndex(Option::APO, 0);
    program.settings.setIndex(Option::Squelch, 7);
    program.settings.setDrive(Drive::High, 12);
    program.bands.setList(BandList::Band1Rx, {"136-174MHz"}, 0);
    program.table.setRow(7, {"401.00000", "OFF", "401.00000", "OFF", "Low", "Wide", "ON", "OFF"});
    const ChannelPlan before = program.plan();
    const QStringList bandsBefore = program.bands.entries(BandList::Band1Rx);

    const FileStatus status = openChannelFile(path, program.table, program.settings, program.bands);
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message().contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(status.message().contains(QStringLiteral("line %1").arg(GetParam().line)))
        << status.message().toStdString();
    EXPECT_EQ(program.plan(), before);
    EXPECT_EQ(program.bands.entries(BandList::Band1Rx), bandsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, MalformedFixtureTest,
    ::testing::Values(MalformedFixtureCase{"bad_index_digit.vrx", 13, "not a digit"},
                      MalformedFixtureCase{"index_beyond_entries.vrx", 21, "beyond"},
                      MalformedFixtureCase{"drive_out_of_range.vrx", 26, "\"300\""},
                      MalformedFixtureCase{"truncated_header.vrx", 21, "ends after 20 lines"}));

struct MalformedLineCase {
    const char *name;
    int line;
    QByteArray text;
};
class MalformedLineTest : public ::testing::TestWithParam<MalformedLineCase> {};

TEST_P(MalformedLineTest, ParseNamesTheLine) {
    const ChannelFileParse parsed =
        parseChannelFile(exampleWithLine(GetParam().line, GetParam().text));
    EXPECT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error.line, GetParam().line);
    EXPECT_FALSE(parsed.error.reason.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MalformedLineTest,
    ::testing::Values(MalformedLineCase{"EmptyOptionLine", 5, ""},
                      MalformedLineCase{"OptionLineCutBeforeIndex", 12, "MR freq./MR CH"},
                      MalformedLineCase{"IndexShiftedByBlank", 22, "Freq.Step  5 25kHz"},
                      MalformedLineCase{"LastOptionBeyond", 24, "Rxlight 8 9"},
                      MalformedLineCase{"DriveNotNumber", 25, "high abc"},
                      MalformedLineCase{"DriveEmpty", 27, "low2 "},
                      MalformedLineCase{"DriveNegative", 25, "high -1"},
                      MalformedLineCase{"DriveAbove255", 25, "high 256"},
                      MalformedLineCase{"DriveThreeCharsNoNumber", 27, "low2 4 5"},
                      MalformedLineCase{"DriveTrailingText", 26, "low1 45x"},
                      MalformedLineCase{"DriveLineMissingValue", 26, "low1"},
                      MalformedLineCase{"ChannelNotGbk", 40, "CH011 | 4\x81 | "},
                      MalformedLineCase{"BandNotGbk", 4, "BAND 400\x81"}),
    [](const auto &info) { return std::string(info.param.name); });

// Damaged channel lines: the error names the line and the field.
struct DamagedChannelCase {
    const char *name;
    QByteArray text;
    const char *field; // a part of the reason
};
class DamagedChannelTest : public ::testing::TestWithParam<DamagedChannelCase> {};

TEST_P(DamagedChannelTest, ParseNamesTheLineAndTheField) {
    const int line = kFirstChannelLine + 73; // channel 74
    const ChannelFileParse parsed = parseChannelFile(exampleWithLine(line, GetParam().text));
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error.line, line);
    EXPECT_TRUE(parsed.error.reason.contains(QString::fromUtf8(GetParam().field)))
        << parsed.error.reason.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DamagedChannelTest,
    ::testing::Values(
        DamagedChannelCase{"EmptyLine", "", "CH and a three-digit"},
        DamagedChannelCase{"ShorterThanNine", "CH074 |", "eight fields"},
        DamagedChannelCase{"NoNumber", "CHxyz |  |  |  |  |  |  |  |  | ", "three-digit"},
        DamagedChannelCase{"Truncated", "CH074 | 438.50000 | 67.0", "eight fields"},
        DamagedChannelCase{
            "NineFields",
            "CH074 | 438.50000 | OFF | 438.50000 | OFF | Low | Wide | ON | OFF | x | ",
            "eight fields"},
        DamagedChannelCase{"BlankInsideField",
                           "CH074 | 438.50000 | 67.0 | 438.50000 | OFF | High power | Wide | ON "
                           "| OFF | ",
                           "Power \"High power\""},
        DamagedChannelCase{"FrequencyLetter",
                           "CH074 | 4x0.12500 | OFF | 438.50000 | OFF | Low | Wide | ON | OFF | ",
                           "RxFreq \"4x0.12500\""},
        DamagedChannelCase{"FrequencyAboveBand",
                           "CH074 | 999.00000 | OFF | 438.50000 | OFF | Low | Wide | ON | OFF | ",
                           "RxFreq \"999.00000\""},
        DamagedChannelCase{"FrequencyJustAbove",
                           "CH074 | 438.50000 | OFF | 550.00001 | OFF | Low | Wide | ON | OFF | ",
                           "TxFreq"},
        DamagedChannelCase{"FrequencyBelowBand",
                           "CH074 | 099.99999 | OFF | 438.50000 | OFF | Low | Wide | ON | OFF | ",
                           "RxFreq"},
        DamagedChannelCase{"FrequencyFourDecimals",
                           "CH074 | 438.5000 | OFF | 438.50000 | OFF | Low | Wide | ON | OFF | ",
                           "RxFreq"},
        DamagedChannelCase{"ToneNotListed",
                           "CH074 | 438.50000 | 69.4 | 438.50000 | OFF | Low | Wide | ON | OFF | ",
                           "RxTone \"69.4\""},
        DamagedChannelCase{"ToneNoDecimal",
                           "CH074 | 438.50000 | 67 | 438.50000 | OFF | Low | Wide | ON | OFF | ",
                           "RxTone"},
        DamagedChannelCase{"DcsNotListed",
                           "CH074 | 438.50000 | OFF | 438.50000 | D777N | Low | Wide | ON | OFF | ",
                           "TxTone \"D777N\""},
        DamagedChannelCase{"ToneOnWord",
                           "CH074 | 438.50000 | ON | 438.50000 | OFF | Low | Wide | ON | OFF | ",
                           "RxTone"},
        DamagedChannelCase{
            "PowerWord", "CH074 | 438.50000 | OFF | 438.50000 | OFF | Medium | Wide | ON | OFF | ",
            "Power \"Medium\""},
        DamagedChannelCase{"BandwidthWord",
                           "CH074 | 438.50000 | OFF | 438.50000 | OFF | Low | ON | ON | OFF | ",
                           "Bandwidth"},
        DamagedChannelCase{"BusyLockWord",
                           "CH074 | 438.50000 | OFF | 438.50000 | OFF | Low | Wide | ON | on | ",
                           "BusyLock"}),
    [](const auto &info) { return std::string(info.param.name); });

// Drive values: up to three characters from column 6 on are the number; what follows
// them is not read.
struct DriveLineCase {
    const char *name;
    QByteArray line;
    int high;
};
void PrintTo(const DriveLineCase &c, std::ostream *os) {
    *os << c.name;
}
class DriveLineTest : public ::testing::TestWithParam<DriveLineCase> {};

TEST_P(DriveLineTest, ThreeCharactersFromColumnSixAreTheValue) {
    EXPECT_EQ(parseOk(exampleWithLine(25, GetParam().line)).drives[0], GetParam().high);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DriveLineTest,
    ::testing::Values(DriveLineCase{"OneDigit", "high 7", 7}, DriveLineCase{"Max", "high 255", 255},
                      DriveLineCase{"FourDigitsCut", "high 2555", 255},
                      DriveLineCase{"ThousandCut", "high 1000", 100},
                      DriveLineCase{"TextAfterThree", "high 079 \xFF\xFE", 79}),
    [](const auto &info) { return std::string(info.param.name); });

// Only the characters the reader uses must be GBK text: the option texts after the
// index digit, the band line after column 15 and lines 28, 29 may hold anything.
TEST(ChannelFileReadTest, BytesThatAreNeverReadNeedNotBeGbk) {
    QList<QByteArray> lines = crlfLines(exampleBytes());
    lines[3] = "BAND 400-470MHz\x81";
    lines[4] = "APO 1 \xFF\x81";
    lines[23] = "Rxlight 3 \x81";
    lines[27] = "\xFF\xFE";
    lines[28] = "\x81";
    EXPECT_EQ(parseOk(joinCrlf(lines)).options, parseOk(exampleBytes()).options);
    EXPECT_EQ(parseOk(joinCrlf(lines)).bandText, QStringLiteral("400-470MHz"));
    EXPECT_EQ(parseOk(joinCrlf(lines)).channels, parseOk(exampleBytes()).channels);
}

TEST(ChannelFileReadTest, EmptyFileFailsAtLineOne) {
    const ChannelFileParse parsed = parseChannelFile(QByteArray());
    EXPECT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error.line, 1);
}

TEST(ChannelFileReadTest, TitleLinesAreNotRead) {
    // Lines 1-3 are ignored, even when they hold bytes that are not text.
    QList<QByteArray> lines = crlfLines(exampleBytes());
    lines[0] = "\xFF\xFE something else";
    lines[2] = "\x81";
    EXPECT_EQ(parseOk(joinCrlf(lines)), parseOk(exampleBytes()));
}

TEST(ChannelFileOpenTest, MissingFileIsAnErrorNamingIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("absent.vrx");
    Program program;
    const ChannelPlan before = program.plan();
    const FileStatus status = openChannelFile(path, program.table, program.settings, program.bands);
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message().contains(QDir::toNativeSeparators(path)));
    EXPECT_EQ(program.plan(), before);

    const ChannelFileLoad folder = loadChannelFile(dir.path());
    EXPECT_FALSE(folder.ok());
    EXPECT_FALSE(folder.error.isEmpty());
}

// A fifo would block the open until some writer came: it is refused before opening.
TEST(ChannelFileOpenTest, FifoIsRefusedWithoutOpening) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pipe.vrx");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const ChannelFileLoad load = loadChannelFile(path);
    EXPECT_FALSE(load.ok());
    EXPECT_EQ(load.error, QStringLiteral("Cannot open %1: it is not a regular file")
                              .arg(QDir::toNativeSeparators(path)));
    Program program;
    const ChannelPlan before = program.plan();
    EXPECT_FALSE(openChannelFile(path, program.table, program.settings, program.bands).ok());
    EXPECT_EQ(program.plan(), before);
}

TEST(ChannelFileOpenTest, HugeFileIsRefusedUnread) {
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.vrx");
    ASSERT_TRUE(writeBytes(path, exampleBytes() + QByteArray(2 << 20, 'x')));
    const ChannelFileLoad loaded = loadChannelFile(path);
    EXPECT_FALSE(loaded.ok());
    EXPECT_TRUE(loaded.error.contains(QStringLiteral("too large")));
}

// ---- atomic save --------------------------------------------------------------------

class SaveFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        oldPath_ = dir_.filePath("old.vrx");
        oldBytes_ = exampleBytes();
        ASSERT_TRUE(writeBytes(oldPath_, oldBytes_));
    }
    void expectFailureNaming(const FileStatus &status, const QString &path) {
        EXPECT_FALSE(status.ok());
        EXPECT_TRUE(status.message().contains(QDir::toNativeSeparators(path)))
            << status.message().toStdString();
    }
    // No temporary file may be left beside the target.
    void expectOnlyTheOldFile() {
        EXPECT_EQ(readBytes(oldPath_), oldBytes_);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"old.vrx"});
    }

    QTemporaryDir dir_;
    QString oldPath_;
    QByteArray oldBytes_;
};

TEST_F(SaveFailureTest, SaveReplacesTheOldFileWhenItSucceeds) {
    const ChannelPlan plan = test::numberedPlan();
    ASSERT_TRUE(saveChannelFile(oldPath_, plan).ok());
    EXPECT_EQ(readBytes(oldPath_), writeChannelFile(plan));
}

TEST_F(SaveFailureTest, WriteErrorPartWayKeepsTheOldFile) {
    // Files may grow to 1000 bytes only: the new file fails part-way through.
    struct FileSizeLimit {
        rlimit old{};
        explicit FileSizeLimit(rlim_t max) {
            getrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{max, old.rlim_max};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        ~FileSizeLimit() {
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, SIG_DFL);
        }
    };
    FileStatus status = FileStatus::success();
    {
        FileSizeLimit limit(1000);
        status = saveChannelFile(oldPath_, test::numberedPlan());
    }
    expectFailureNaming(status, oldPath_);
    expectOnlyTheOldFile();
}

TEST_F(SaveFailureTest, TargetThatIsAFolderIsRefused) {
    const QString folder = dir_.filePath("folder.vrx");
    ASSERT_TRUE(QDir().mkpath(folder + "/inside"));
    expectFailureNaming(saveChannelFile(folder, test::numberedPlan()), folder);
    EXPECT_TRUE(QFileInfo(folder + "/inside").isDir());
    expectOnlyTheOldFile();
}

TEST_F(SaveFailureTest, MissingFolderIsRefused) {
    const QString path = dir_.filePath("no/such/folder/plan.vrx");
    expectFailureNaming(saveChannelFile(path, test::numberedPlan()), path);
    expectOnlyTheOldFile();
}

TEST_F(SaveFailureTest, TextThatGbkCannotHoldIsRefusedWithItsLine) {
    ChannelPlan plan = test::numberedPlan();
    plan.channels[9][PowerCol - 1] = QString::fromUtf8("\xF0\x9F\x98\x80"); // an emoji
    const FileStatus status = saveChannelFile(oldPath_, plan);
    expectFailureNaming(status, oldPath_);
    EXPECT_TRUE(status.message().contains(QStringLiteral("line 39")))
        << status.message().toStdString();
    expectOnlyTheOldFile();
}

// ---- names and caption --------------------------------------------------------------

class SuffixTest : public ::testing::TestWithParam<std::pair<const char *, const char *>> {};

TEST_P(SuffixTest, VrxIsAddedOnlyWithoutAnExtension) {
    EXPECT_EQ(withChannelFileSuffix(QString::fromUtf8(GetParam().first)),
              QString::fromUtf8(GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(Names, SuffixTest,
                         ::testing::Values(std::pair{"/tmp/plan", "/tmp/plan.vrx"},
                                           std::pair{"/tmp/plan.vrx", "/tmp/plan.vrx"},
                                           std::pair{"/tmp/plan.txt", "/tmp/plan.txt"},
                                           std::pair{"/tmp/my.dir/plan", "/tmp/my.dir/plan.vrx"},
                                           std::pair{"plan", "plan.vrx"}, std::pair{"", ""}));

TEST(ChannelFileTest, OpenedCaptionFramesTheBandText) {
    EXPECT_EQ(openedFileCaption(QStringLiteral("400-470MHz")),
              QStringLiteral("VRX-428    [400-470MHz]"));
}

} // namespace
} // namespace vrx

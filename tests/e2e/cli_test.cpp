// vrxctl as a user runs it: `vrxctl sim` as the radio in its own process, `vrxctl read`
// and `vrxctl write` as the tool, real serial I/O over the pseudo-terminal between them.

#include "cli_support.h"

#include "radio/qt_serial_link.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace vrx {
namespace {

constexpr int kPortMissingId = toInt(PackId::PortMissing);
constexpr int kPortHeldByProcessId = toInt(PackId::PortHeldByProcess);

// This process's name as the system shows it to others.
QString ownProcessName() {
    QFile comm(QStringLiteral("/proc/self/comm"));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed()
                                          : QString();
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        toolDataHome() = dir_.filePath(QStringLiteral("xdg"));
    }
    void TearDown() override { toolDataHome().clear(); }
    QString tempPath(const char *name) const { return dir_.filePath(QLatin1String(name)); }

    // The test settings file with a ports section that maps COM3 to `device`.
    QString settingsWithCom3(const QString &device) const {
        const QString path = tempPath("myini.ini");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(fileBytes(dataFile("settings.ini")) + "[ports]\ncom3=" + device.toUtf8() + "\n");
        return path;
    }

    QTemporaryDir dir_;
};

// How the plan gets into the radio, how it is read back, and what the read must give.
struct RoundTripCase {
    const char *name;
    const char *plan;     // the file sent
    bool preload;         // by `sim --plan` instead of `vrxctl write`
    bool wireTime;        // `sim --baud`
    bool viaCom3;         // --port COM3, mapped in the settings file
    const char *readLang; // --lang of the read
    const char *expected; // the file the read must produce, byte for byte
};
void PrintTo(const RoundTripCase &c, std::ostream *os) {
    *os << c.name;
}

class CliRoundTrip : public Cli, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(CliRoundTrip, ReadGivesBackThePlanByteForByte) {
    const RoundTripCase &c = GetParam();
    QStringList simArgs;
    if (c.preload)
        simArgs << QStringLiteral("--plan") << dataFile(c.plan);
    if (c.wireTime)
        simArgs << QStringLiteral("--baud");
    Simulator sim(simArgs);
    ASSERT_TRUE(sim.device().startsWith(QLatin1String("/dev/"))) << sim.device().toStdString();

    const QString settings = c.viaCom3 ? settingsWithCom3(sim.device()) : dataFile("settings.ini");
    const QString port = c.viaCom3 ? QStringLiteral("COM3") : sim.device();
    if (!c.preload) {
        const ToolRun write =
            runTool({QStringLiteral("write"), QStringLiteral("--port"), port,
                     QStringLiteral("--in"), dataFile(c.plan), QStringLiteral("--settings"),
                     settings, QStringLiteral("--lang"), QLatin1String(c.readLang)});
        ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
        // No terminal: no progress bar, and nothing else to say on success.
        EXPECT_EQ(write.err, QString());
    }
    const QString out = tempPath("read.vrx");
    const ToolRun read = runTool({QStringLiteral("read"), QStringLiteral("--port"), port,
                                  QStringLiteral("--out"), out, QStringLiteral("--settings"),
                                  settings, QStringLiteral("--lang"), QLatin1String(c.readLang)});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    const QByteArray expected = fileBytes(dataFile(c.expected));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(fileBytes(out), expected);
    // Nothing else to say on success than where the backup of the read went; the backup
    // is the same file.
    const QString backups = toolDataHome() + QStringLiteral("/VRX5800/backups/");
    ASSERT_TRUE(read.err.startsWith(QStringLiteral("backup: ") + backups))
        << read.err.toStdString();
    ASSERT_TRUE(read.err.endsWith(u'\n'));
    EXPECT_EQ(read.err.count(u'\n'), 1);
    EXPECT_EQ(fileBytes(read.err.mid(8).trimmed()), expected);

    EXPECT_EQ(sim.stop(SIGTERM), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRoundTrip,
    ::testing::Values(RoundTripCase{"Chinese", "plan_chinese.vrx", false, false, false, "chn",
                                    "plan_chinese.vrx"},
                      RoundTripCase{"EnglishThroughCom3", "plan_english.vrx", false, false, true,
                                    "eng", "plan_english.vrx"},
                      RoundTripCase{"ChineseFileReadInEnglish", "plan_chinese.vrx", false, false,
                                    false, "eng", "plan_english.vrx"},
                      RoundTripCase{"PreloadedAt9600Baud", "plan_english.vrx", true, true, false,
                                    "chn", "plan_chinese.vrx"}),
    [](const auto &info) { return std::string(info.param.name); });

struct FaultCase {
    const char *name;
    const char *fault;
    const char *command; // read or write
    const char *detail;  // the failing step, after the GUI's message
};
void PrintTo(const FaultCase &c, std::ostream *os) {
    *os << c.name;
}

class CliRadioFault : public Cli, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CliRadioFault, ReportsTheGuiMessageAndTheStepWithStatus1) {
    const FaultCase &c = GetParam();
    Simulator sim({QStringLiteral("--fault"), QLatin1String(c.fault)});
    ASSERT_FALSE(sim.device().isEmpty());
    const bool reading = QLatin1String(c.command) == QLatin1String("read");
    const QString file = reading ? tempPath("out.vrx") : dataFile("plan_english.vrx");
    const ToolRun run = runTool({QLatin1String(c.command), QStringLiteral("--port"), sim.device(),
                                 reading ? QStringLiteral("--out") : QStringLiteral("--in"), file,
                                 QStringLiteral("--settings"), dataFile("settings.ini"),
                                 QStringLiteral("--lang"), QStringLiteral("eng")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.crashed);
    const QString message = packText("eng", kMsgNoResponseId);
    ASSERT_FALSE(message.isEmpty());
    EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QLatin1String(c.detail))) << run.err.toStdString();
    // A failed read leaves no half-read channel file behind.
    if (reading) {
        EXPECT_FALSE(QFile::exists(file));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRadioFault,
    ::testing::Values(FaultCase{"SilentFromStep5", "silent:5", "read", "channel 001"},
                      FaultCase{"WrongIdent", "wrong-ident", "read", "6 handshake attempts"},
                      FaultCase{"GarbageInTheWrite", "garbage:6", "write", "channel 00"},
                      FaultCase{"SilentFromTheStart", "silent:1", "write", "6 handshake attempts"},
                      // Channel 4's first half, shifted by a stray byte and a lost one.
                      FaultCase{"StrayAndLostByte", "stray-lost:17", "read",
                                "channel 004: no valid reply to the read of 0040"}),
    [](const auto &info) { return std::string(info.param.name); });

// A radio that stops after channel 199 lets the read succeed without the settings block:
// vrxctl says so, and with --strict fails without writing the file.
TEST_F(Cli, SkippedStepIsANoteOrWithStrictAFailure) {
    for (const bool strict : {false, true}) {
        SCOPED_TRACE(strict ? "strict" : "lenient");
        Simulator sim({QStringLiteral("--fault"), QStringLiteral("silent:800")});
        ASSERT_FALSE(sim.device().isEmpty());
        const QString out = tempPath(strict ? "strict.vrx" : "lenient.vrx");
        QStringList arguments{QStringLiteral("read"),
                              QStringLiteral("--port"),
                              sim.device(),
                              QStringLiteral("--out"),
                              out,
                              QStringLiteral("--settings"),
                              dataFile("settings.ini"),
                              QStringLiteral("--lang"),
                              QStringLiteral("eng")};
        if (strict)
            arguments << QStringLiteral("--strict");
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.exitCode, strict ? 1 : 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("note: skipped settings block read")))
            << run.err.toStdString();
        EXPECT_EQ(QFile::exists(out), !strict);
    }
}

TEST_F(Cli, PortThatCannotBeOpenedGivesThePortMessage) {
    Simulator sim;
    ASSERT_FALSE(sim.device().isEmpty());
    // Another program holds the radio's port.
    QtSerialLink holder(sim.device());
    ASSERT_TRUE(holder.open());
    const QString message = packText("chn", kMsgPortOpenFailedId);
    ASSERT_FALSE(message.isEmpty());

    for (const QString &port : {sim.device(), QStringLiteral("/dev/vrx-no-such-port")}) {
        const ToolRun run =
            runTool({QStringLiteral("read"), QStringLiteral("--port"), port,
                     QStringLiteral("--out"), tempPath("out.vrx"), QStringLiteral("--settings"),
                     dataFile("settings.ini"), QStringLiteral("--lang"), QStringLiteral("chn")});
        EXPECT_EQ(run.exitCode, 1) << port.toStdString();
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(port)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(tempPath("out.vrx")));
    }
}

TEST_F(Cli, PortFailureSaysWhyInTheChosenLanguage) {
    Simulator sim;
    ASSERT_FALSE(sim.device().isEmpty());
    QtSerialLink holder(sim.device());
    ASSERT_TRUE(holder.open());
    const QString missing = QStringLiteral("/dev/vrx-no-such-port");

    struct Expected {
        QString port;
        QString line;
    };
    for (const char *pack : {"chn", "eng"}) {
        const Expected cases[] = {
            {sim.device(), packText(pack, kPortHeldByProcessId)
                               .arg(sim.device(), ownProcessName(),
                                    QString::number(QCoreApplication::applicationPid()))},
            {missing, packText(pack, kPortMissingId).arg(missing)},
        };
        for (const Expected &c : cases) {
            const ToolRun run =
                runTool({QStringLiteral("read"), QStringLiteral("--port"), c.port,
                         QStringLiteral("--out"), tempPath("out.vrx"), QStringLiteral("--settings"),
                         dataFile("settings.ini"), QStringLiteral("--lang"), QLatin1String(pack)});
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_TRUE(run.err.contains(packText(pack, kMsgPortOpenFailedId)))
                << run.err.toStdString();
            EXPECT_TRUE(run.err.contains(QStringLiteral("vrxctl: ") + c.line + u'\n'))
                << pack << ": " << c.line.toStdString() << " not in " << run.err.toStdString();
        }
    }
}

TEST_F(Cli, PortsListsOneLineAPortAndExitsZero) {
    const ToolRun run = runTool({QStringLiteral("ports"), QStringLiteral("--settings"),
                                 settingsWithCom3(QStringLiteral("/dev/ttyS0"))});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The machine decides which ports there are: either a note that there are none, or
    // one line for each with a device path first.
    if (run.out.isEmpty()) {
        EXPECT_TRUE(run.err.contains(QStringLiteral("no serial ports found")))
            << run.err.toStdString();
    }
    for (const QString &line : run.out.split(u'\n', Qt::SkipEmptyParts)) {
        EXPECT_TRUE(line.startsWith(QStringLiteral("/dev/"))) << line.toStdString();
        if (line.startsWith(QStringLiteral("/dev/ttyS0 "))) {
            EXPECT_TRUE(line.endsWith(QStringLiteral("COM3"))) << line.toStdString();
        }
    }
}

TEST_F(Cli, VersionIsTheProjectVersion) {
    const ToolRun run = runTool({QStringLiteral("--version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("vrxctl " VRX_VERSION "\n"));
}

struct UsageCase {
    const char *name;
    QStringList arguments;
    const char *message;
};
void PrintTo(const UsageCase &c, std::ostream *os) {
    *os << c.name;
}

class CliUsage : public Cli, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(CliUsage, ExitsWith2AndSaysWhy) {
    const UsageCase &c = GetParam();
    QStringList arguments;
    for (const QString &a : c.arguments)
        arguments << QString(a).replace(QStringLiteral("@DATA@"), kData);
    const ToolRun run = runTool(arguments);
    EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
    EXPECT_FALSE(run.crashed);
    EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
}

const QString kIn = QStringLiteral("@DATA@/plan_chinese.vrx");
const QString kIni = QStringLiteral("@DATA@/settings.ini");

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    ::testing::Values(
        UsageCase{"NoCommand", {}, "no command given"},
        UsageCase{"UnknownCommand", {"erase"}, "unknown command \"erase\""},
        UsageCase{"UnknownOption", {"read", "--speed", "9600"}, "speed"},
        UsageCase{"ReadWithoutPort", {"read", "--out", "x.vrx"}, "--port is required"},
        UsageCase{"WriteWithoutFile", {"write", "--port", "/dev/null"}, "--in is required"},
        UsageCase{"UnknownLanguage",
                  {"read", "--port", "/dev/null", "--out", "x.vrx", "--lang", "fr"},
                  "unknown language \"fr\""},
        UsageCase{
            "MissingSettingsFile",
            {"read", "--port", "/dev/null", "--out", "x.vrx", "--settings", "@DATA@/none.ini"},
            "none.ini"},
        UsageCase{"OutputFolderMissing",
                  {"read", "--port", "/dev/null", "--out", "@DATA@/none/x.vrx", "--settings", kIni},
                  "none/x.vrx"},
        UsageCase{"WriteOfAMissingFile",
                  {"write", "--port", "/dev/null", "--in", "@DATA@/none.vrx", "--settings", kIni},
                  "none.vrx"},
        UsageCase{"WriteOfAFileThatIsNoChannelFile",
                  {"write", "--port", "/dev/null", "--in", kIni, "--settings", kIni},
                  "settings.ini"},
        UsageCase{"ShowWithoutFile", {"show"}, "missing argument"},
        UsageCase{"ShowTwoFiles", {"show", kIn, kIn}, "unexpected argument"},
        UsageCase{"UnknownFault", {"sim", "--fault", "melt"}, "unknown fault \"melt\""},
        UsageCase{"FaultStepNotANumber", {"sim", "--fault", "silent:x"}, "silent:x"},
        UsageCase{"FaultWithoutSteps", {"sim", "--fault", "wrong-ident:3"}, "wrong-ident:3"},
        UsageCase{"SimPlanMissing", {"sim", "--plan", "@DATA@/none.vrx"}, "none.vrx"},
        UsageCase{"SimCountOutOfRange", {"sim", "--count", "0"}, "--count takes a number"},
        UsageCase{"SimFaultRadioBeyondCount",
                  {"sim", "--count", "2", "--fault", "silent", "--fault-radio", "3"},
                  "--fault-radio takes a number from 1 to 2"},
        UsageCase{"ReadSeveralPortsWithoutOutDir",
                  {"read", "--port", "/dev/null", "--port", "/dev/zero", "--settings", kIni},
                  "--out-dir is required"},
        UsageCase{"ReadIntoAMissingFolder",
                  {"read", "--port", "/dev/null", "--port", "/dev/zero", "--out-dir", "@DATA@/none",
                   "--settings", kIni},
                  "no such folder"},
        UsageCase{"WriteToOnePortTwice",
                  {"write", "--port", "/dev/null", "--port", "/dev/null", "--in", kIn, "--settings",
                   kIni},
                  "/dev/null is named twice"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Cli, ShowPrintsTheAlignedPlan) {
    const ToolRun run = runTool({QStringLiteral("show"), dataFile("plan_english.vrx")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n');
    EXPECT_TRUE(lines.contains(QStringLiteral("Band: 400-470MHz")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Squelch         7      7")));
    EXPECT_TRUE(lines.contains(QStringLiteral("TxT.O.T         6      6 min")));
    EXPECT_TRUE(lines.contains(QStringLiteral("high   79")));
    const QStringList expectedChannels{
        QStringLiteral(
            "CH   RxFreq     RxTone  TxFreq     TxTone  Power  Bandwidth  Scan  BusyLock"),
        QStringLiteral("001  438.50000  67.0    438.50000  D023N   High   Wide       ON    OFF"),
        QStringLiteral("002  446.00625  OFF     446.00625  OFF     Low    Narrow     OFF   ON"),
        QStringLiteral("003  410.12500  254.1   415.12500  100.0   High   Narrow     ON    ON"),
        QStringLiteral("005  462.56250  D754I   467.56250  D754I   Low    Wide       OFF   OFF"),
        QStringLiteral("100  433.00000  88.5    433.00000  OFF     High   Wide       ON    OFF"),
        QStringLiteral("198  470.00000  OFF     469.99375  D047N   Low    Narrow     ON    OFF"),
        QStringLiteral("199  400.00000  D023N   400.00000  67.0    High   Wide       OFF   ON"),
        QString()};
    const qsizetype header = lines.indexOf(expectedChannels.first());
    ASSERT_GE(header, 0) << run.out.toStdString();
    EXPECT_EQ(lines.mid(header), expectedChannels);
}

TEST_F(Cli, ShowAlignsChineseTextsByDisplayWidth) {
    const ToolRun run = runTool({QStringLiteral("show"), dataFile("plan_chinese.vrx")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // 高功率 takes six columns, like "Power " plus one blank: the next column starts
    // where it starts in the header.
    EXPECT_TRUE(run.out.contains(
        QStringLiteral("CH   RxFreq     RxTone  TxFreq     TxTone  Power   Bandwidth  Scan  "
                       "BusyLock\n001  438.50000  67.0    438.50000  D023N   高功率  宽带       "
                       "启用  禁用\n")))
        << run.out.toStdString();
}

TEST_F(Cli, ShowWithLangTranslatesWhatIsShownAndLeavesTheFile) {
    const QString file = dataFile("plan_chinese.vrx");
    const QByteArray before = fileBytes(file);
    const ToolRun run =
        runTool({QStringLiteral("show"), file, QStringLiteral("--lang"), QStringLiteral("eng")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(
        QStringLiteral("001  438.50000  67.0    438.50000  D023N   High   Wide       ON    OFF\n")))
        << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(QStringLiteral("高功率")));
    EXPECT_EQ(fileBytes(file), before);

    const ToolRun bad =
        runTool({QStringLiteral("show"), file, QStringLiteral("--lang"), QStringLiteral("fr")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("unknown language"))) << bad.err.toStdString();
}

// A fifo as channel file is refused before it is opened (which would wait for a writer).
TEST_F(Cli, FifoChannelFileIsRefusedAtOnce) {
    const QString fifo = tempPath("pipe.vrx");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QList<QStringList> commands{{QStringLiteral("show"), fifo},
                                      {QStringLiteral("write"), QStringLiteral("--port"),
                                       QStringLiteral("/dev/null"), QStringLiteral("--in"), fifo,
                                       QStringLiteral("--settings"), dataFile("settings.ini")}};
    for (const QStringList &command : commands) {
        SCOPED_TRACE(command.first().toStdString());
        QElapsedTimer clock;
        clock.start();
        const ToolRun run = runTool(command);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_LT(clock.elapsed(), 10000);
        EXPECT_TRUE(
            run.err.contains(QStringLiteral("Cannot open %1: it is not a regular file").arg(fifo)))
            << run.err.toStdString();
    }
}

// Every command's output paths, over files full of characters a terminal acts on: the
// tables of show, the lines of diff, the notes of convert and the error messages. Nothing
// but line feeds and tabs reaches the terminal raw; the rest shows as "\xHH" or "\uHHHH".
TEST_F(Cli, NoCommandPrintsARawControlCharacter) {
    // A channel file is GBK: C0 controls and DEL. A CSV is UTF-8: C1 and bidi controls too.
    QList<QByteArray> lines = fileBytes(dataFile("plan_english.vrx")).split('\n');
    lines[3] = "BAND \x1b]0;t\x07\x7f\r";
    lines[4] = "APO 1 \x1b[2J\x1b]8;;http://x\x1b\\\r";
    const QString vrx = tempPath("hostile.vrx");
    QFile file(vrx);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines.join('\n'));
    file.close();
    const QString hostile = QStringLiteral("\x1b[2J\u009b31m\u202e\u2066\x7f\x07");
    const QString csv = tempPath("hostile.csv");
    QFile table(csv);
    ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    table.write(QStringLiteral("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                               "DtcsCode,DtcsPolarity,Mode,Power\n"
                               "1,%1,438.5%1,,0,,88.5,88.5,023,NN,FM,High\n"
                               "2,x,438.5,,0,Tone,%1,88.5,023,NN,FM,%1\n")
                    .arg(hostile)
                    .toUtf8());
    table.close();

    const QList<QStringList> commands{
        {QStringLiteral("show"), vrx},
        {QStringLiteral("diff"), vrx, dataFile("plan_english.vrx")},
        {QStringLiteral("convert"), csv, tempPath("out.vrx"), QStringLiteral("--lang"),
         QStringLiteral("eng")},
        {QStringLiteral("show"), tempPath("none") + hostile + QStringLiteral(".vrx")},
        {QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("/dev/none") + hostile,
         QStringLiteral("--in"), vrx, QStringLiteral("--settings"), dataFile("settings.ini")},
    };
    for (const QStringList &command : commands) {
        SCOPED_TRACE(command.first().toStdString());
        const ToolRun run = runTool(command);
        EXPECT_FALSE(run.crashed);
        const QString printed = run.out + run.err;
        for (const QChar c : printed) {
            const char16_t u = c.unicode();
            const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F) ||
                                 (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
            EXPECT_TRUE(!control || u == u'\n' || u == u'\t')
                << "U+" << std::hex << int(u) << " in " << printed.toStdString();
        }
        EXPECT_TRUE(printed.contains(QStringLiteral("\\x1b"))) << printed.toStdString();
        if (command.first() != QLatin1String("show") || command.at(1) != vrx)
            continue;
        EXPECT_TRUE(printed.contains(QStringLiteral("\\x1b]0;t\\x07\\x7f")));
    }
    // The CSV's C1 and bidi characters come out escaped in convert's notes.
    const ToolRun notes = runTool({QStringLiteral("convert"), csv, tempPath("out2.vrx")});
    EXPECT_TRUE(notes.err.contains(QStringLiteral("\\x9b31m\\u202e\\u2066\\x7f\\x07")))
        << notes.err.toStdString();
}

// A damaged channel file is refused by every command that reads one, naming the line and
// the field, before any port is opened or any file written.
TEST_F(Cli, DamagedChannelFileIsRefusedByEveryCommand) {
    const QList<QByteArray> lines = fileBytes(dataFile("plan_english.vrx")).split('\n');
    struct Damage {
        const char *name;
        QByteArray bytes;
        const char *where;
    };
    QList<QByteArray> badFrequency = lines;
    badFrequency[29] = "CH001 | 4x0.12500 | OFF | 438.50000 | OFF | High | Wide | ON | OFF | \r";
    QList<QByteArray> aboveBand = lines;
    aboveBand[29] = "CH001 | 999.00000 | OFF | 438.50000 | OFF | High | Wide | ON | OFF | \r";
    const Damage damages[] = {
        {"cut", lines.mid(0, 102).join('\n') + '\n', "line 103: the file ends after 102 lines"},
        {"letter", badFrequency.join('\n'), "line 30: RxFreq \"4x0.12500\""},
        {"band", aboveBand.join('\n'), "line 30: RxFreq \"999.00000\""},
    };
    for (const Damage &damage : damages) {
        const QString bad = tempPath("damaged.vrx");
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damage.bytes);
        file.close();
        const QString csv = tempPath("out.csv");
        const QList<QStringList> commands{
            {QStringLiteral("show"), bad},
            {QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("/dev/null"),
             QStringLiteral("--in"), bad, QStringLiteral("--settings"), dataFile("settings.ini")},
            {QStringLiteral("diff"), bad, dataFile("plan_english.vrx")},
            {QStringLiteral("convert"), bad, csv},
        };
        for (const QStringList &command : commands) {
            SCOPED_TRACE(std::string(damage.name) + " " + command.first().toStdString());
            const ToolRun run = runTool(command);
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_TRUE(run.err.contains(QLatin1String(damage.where))) << run.err.toStdString();
            EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        }
        EXPECT_FALSE(QFile::exists(csv));
    }
}

// Texts from a file reach the terminal with their control characters escaped: no screen
// clearing, no title, no colours, no raw NUL, in the tables and in error messages alike.
TEST_F(Cli, ControlCharactersFromAFileAreShownEscaped) {
    QList<QByteArray> lines = fileBytes(dataFile("plan_english.vrx")).split('\n');
    lines[3] = "BAND \x1b[31mRED\r";
    lines[4] = "APO 1 \x1b]0;owned\x07\r";
    QFile crafted(tempPath("crafted.vrx"));
    ASSERT_TRUE(crafted.open(QIODevice::WriteOnly));
    crafted.write(lines.join('\n'));
    crafted.close();
    const ToolRun shown = runTool({QStringLiteral("show"), crafted.fileName()});
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_FALSE(shown.out.contains(QChar(0x1b)));
    EXPECT_FALSE(shown.out.contains(QChar(0x07)));
    EXPECT_TRUE(shown.out.contains(QStringLiteral("Band: \\x1b[31mRED")))
        << shown.out.toStdString();
    EXPECT_TRUE(shown.out.contains(QStringLiteral("\\x1b]0;owned\\x07")));

    // A channel field no cell can hold refuses the file, and the error shows it escaped.
    lines[29] =
        "CH001 | 438.50000 | \x1b[2J\x1b[H | 438.50000 | D023N | High | Wide | ON | OFF | \r";
    ASSERT_TRUE(crafted.open(QIODevice::WriteOnly | QIODevice::Truncate));
    crafted.write(lines.join('\n'));
    crafted.close();
    const ToolRun field = runTool({QStringLiteral("show"), crafted.fileName()});
    EXPECT_EQ(field.exitCode, 2);
    EXPECT_FALSE(field.err.contains(QChar(0x1b)));
    EXPECT_TRUE(field.err.contains(QStringLiteral("line 30: RxTone \"\\x1b[2J\\x1b[H\"")))
        << field.err.toStdString();

    lines[24] = QByteArray("high 7") + '\0' + "\x1b[2J\r";
    ASSERT_TRUE(crafted.open(QIODevice::WriteOnly | QIODevice::Truncate));
    crafted.write(lines.join('\n'));
    crafted.close();
    const ToolRun refused = runTool({QStringLiteral("show"), crafted.fileName()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_FALSE(refused.err.contains(QChar(0)));
    EXPECT_FALSE(refused.err.contains(QChar(0x1b)));
    // The drive value is its first three characters.
    EXPECT_TRUE(refused.err.contains(QStringLiteral("\"7\\x00\\x1b\" is not")))
        << refused.err.toStdString();
}

class CliSimSignal : public ::testing::TestWithParam<int> {};

TEST_P(CliSimSignal, SimulatorExitsCleanly) {
    Simulator sim;
    ASSERT_FALSE(sim.device().isEmpty());
    EXPECT_EQ(sim.stop(GetParam()), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, CliSimSignal, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto &info) {
                             return std::string(info.param == SIGTERM ? "Term" : "Int");
                         });

// With stderr on a terminal the transfer draws its bar there and ends the line.
TEST_F(Cli, ProgressBarOnATerminal) {
    Simulator sim;
    ASSERT_FALSE(sim.device().isEmpty());
    const TerminalRun run = runToolOnTerminal(
        {QStringLiteral("read"), QStringLiteral("--port"), sim.device(), QStringLiteral("--out"),
         tempPath("out.vrx"), QStringLiteral("--settings"), dataFile("settings.ini"),
         QStringLiteral("--lang"), QStringLiteral("eng")});
    EXPECT_EQ(run.exitCode, 0);

    const QString &shown = run.terminal;
    const QString caption = packText("eng", 95); // CaptionRead
    EXPECT_TRUE(shown.contains(u'\r' + caption + QStringLiteral(" [")))
        << shown.left(200).toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("] 203/203")));
    EXPECT_TRUE(shown.contains(QStringLiteral(" 1/203")));
    EXPECT_TRUE(shown.endsWith(u'\n'));
}

} // namespace
} // namespace vrx

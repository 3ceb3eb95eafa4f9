// vrxctl programming several radios at once: `sim --count` as the radios, `write` and
// `read` with a --port for each, real serial I/O over the pseudo-terminals.

#include "cli_support.h"

#include "storage/csv_format.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vrx {
namespace {

class FleetCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        toolDataHome() = dir_.filePath(QStringLiteral("xdg"));
    }
    void TearDown() override { toolDataHome().clear(); }
    QString tempPath(const char *name) const { return dir_.filePath(QLatin1String(name)); }

    static QStringList portArguments(const QStringList &devices) {
        QStringList arguments;
        for (const QString &device : devices)
            arguments << QStringLiteral("--port") << device;
        return arguments;
    }

    static ToolRun write(const QStringList &devices, const QStringList &more) {
        return runTool(QStringList{QStringLiteral("write"), QStringLiteral("--in"),
                                   dataFile("plan_english.vrx"), QStringLiteral("--settings"),
                                   dataFile("settings.ini"), QStringLiteral("--lang"),
                                   QStringLiteral("eng")} +
                       portArguments(devices) + more);
    }

    // The report's lines after its header.
    static QList<CsvRecord> reportRows(const QString &path) {
        QList<CsvRecord> records = splitCsvRecords(QString::fromUtf8(fileBytes(path)));
        if (!records.isEmpty())
            records.removeFirst();
        return records;
    }

    QTemporaryDir dir_;
};

TEST_F(FleetCli, FourRadiosOneSilentTheOthersHoldThePlanAndTheReportNamesIt) {
    // The third radio stops answering in the middle of the write.
    Simulator sim({QStringLiteral("--fault"), QStringLiteral("silent:1000"),
                   QStringLiteral("--fault-radio"), QStringLiteral("3")},
                  4);
    const QStringList devices = sim.devices();
    ASSERT_EQ(devices.size(), 4);

    const QString report = tempPath("report.csv");
    const ToolRun run = write(devices, {QStringLiteral("--backup"), QStringLiteral("--verify"),
                                        QStringLiteral("--report"), report});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_FALSE(run.crashed);
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << run.out.toStdString();
    for (const int n : {0, 1, 3})
        EXPECT_TRUE(lines[n].startsWith(devices[n] + QStringLiteral(": verified")))
            << lines[n].toStdString();
    EXPECT_TRUE(lines[2].startsWith(devices[2] + QStringLiteral(": failed: ")))
        << lines[2].toStdString();
    // Without a terminal the progress is plain lines, a radio's phase each.
    EXPECT_TRUE(run.err.contains(devices[0] + QStringLiteral(": writing\n")));
    EXPECT_FALSE(run.err.contains(u'\r'));
    EXPECT_TRUE(run.err.contains(QStringLiteral("report: ") + report));

    const QList<CsvRecord> rows = reportRows(report);
    ASSERT_EQ(rows.size(), 4);
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(rows[n].fields.value(0), QStringLiteral("1"));
        EXPECT_EQ(rows[n].fields.value(1), devices[n]);
    }
    EXPECT_TRUE(rows[2].fields.value(6).startsWith(QStringLiteral("failed: ")));
    EXPECT_EQ(rows[0].fields.value(6), QStringLiteral("verified"));
    EXPECT_EQ(rows[0].fields.value(8), QStringLiteral("same"));
    // Each radio's old plan was kept before it was written.
    EXPECT_TRUE(QFile::exists(rows[0].fields.value(7))) << rows[0].fields.value(7).toStdString();
    EXPECT_NE(rows[0].fields.value(7), rows[1].fields.value(7));

    // Read back, all at once, a file per port: every good radio holds the plan.
    const QString out = tempPath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    const QStringList good = {devices[0], devices[1], devices[3]};
    const ToolRun read = runTool(QStringList{QStringLiteral("read"), QStringLiteral("--out-dir"),
                                             out, QStringLiteral("--settings"),
                                             dataFile("settings.ini"), QStringLiteral("--lang"),
                                             QStringLiteral("eng"), QStringLiteral("--no-backup")} +
                                 portArguments(good));
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    const QByteArray expected = fileBytes(dataFile("plan_english.vrx"));
    for (const QString &device : good) {
        const QString file =
            QDir(out).filePath(device.mid(5).replace(u'/', u'_') + QStringLiteral(".vrx"));
        EXPECT_EQ(fileBytes(file), expected) << file.toStdString();
    }
    EXPECT_EQ(sim.stop(SIGTERM), 0);
}

// On a terminal each radio keeps one line, redrawn in place with its phase and gauge.
TEST_F(FleetCli, ALineAPortOnATerminal) {
    Simulator sim({}, 2);
    const QStringList devices = sim.devices();
    ASSERT_EQ(devices.size(), 2);
    const TerminalRun run =
        runToolOnTerminal(QStringList{QStringLiteral("write"), QStringLiteral("--in"),
                                      dataFile("plan_english.vrx"), QStringLiteral("--settings"),
                                      dataFile("settings.ini"), QStringLiteral("--verify")} +
                          portArguments(devices));
    EXPECT_EQ(run.exitCode, 0) << run.terminal.toStdString();
    const QString &shown = run.terminal;
    // Back up over the two lines, then each drawn anew.
    EXPECT_TRUE(shown.contains(QStringLiteral("\x1b[2A\r\x1b[K") + devices[0] +
                               QStringLiteral(": writing    [")))
        << shown.left(400).toStdString();
    EXPECT_TRUE(
        shown.contains(QStringLiteral("\r\x1b[K") + devices[1] + QStringLiteral(": verifying  [")));
    // The last drawing shows both results (the terminal ends its lines with CR LF).
    const QString last = shown.mid(shown.lastIndexOf(QStringLiteral("\x1b[2A")));
    EXPECT_TRUE(last.contains(devices[0] + QStringLiteral(": verified\r\n"))) << last.toStdString();
    EXPECT_TRUE(last.contains(devices[1] + QStringLiteral(": verified\r\n")));
}

struct ExitCase {
    const char *name;
    const char *fault; // on the second radio; empty for none
    int exitCode;
    const char *secondResult;
    const char *secondVerify;
};
void PrintTo(const ExitCase &c, std::ostream *os) {
    *os << c.name;
}

class FleetCliExit : public FleetCli, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(FleetCliExit, StatusAndReportInTheDataFolder) {
    const ExitCase &c = GetParam();
    QStringList simArgs;
    if (*c.fault)
        simArgs << QStringLiteral("--fault") << QLatin1String(c.fault)
                << QStringLiteral("--fault-radio") << QStringLiteral("2");
    Simulator sim(simArgs, 2);
    ASSERT_EQ(sim.devices().size(), 2);
    const ToolRun run = write(sim.devices(), {QStringLiteral("--verify")});
    EXPECT_EQ(run.exitCode, c.exitCode) << run.out.toStdString() << run.err.toStdString();

    // Without --report the report goes into the data folder.
    const QDir data(toolDataHome() + QStringLiteral("/VRX5800"));
    const QStringList reports = data.entryList({QStringLiteral("fleet-*.csv")}, QDir::Files);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^fleet-\\d{8}-\\d{6}\\.csv$"))
                    .match(reports[0])
                    .hasMatch());
    const QList<CsvRecord> rows = reportRows(data.filePath(reports[0]));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].fields.value(6), QStringLiteral("verified"));
    EXPECT_EQ(rows[1].fields.value(6), QLatin1String(c.secondResult));
    EXPECT_EQ(rows[1].fields.value(8), QLatin1String(c.secondVerify));
}

INSTANTIATE_TEST_SUITE_P(Cases, FleetCliExit,
                         ::testing::Values(ExitCase{"AllVerified", "", 0, "verified", "same"},
                                           // Channel 7's first block is stored with one byte wrong.
                                           ExitCase{"AVerifyFindsADifference", "corrupt-write:17",
                                                    3, "differs", "1 differences"}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vrx

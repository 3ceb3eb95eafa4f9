// vrxctl keeping the user's data safe: backups of reads, write --backup and --verify,
// diff, and interrupts that leave the radio out of its clone mode.

#include "cli_support.h"

#include "radio/pty_radio_server.h"
#include "storage/channel_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace vrx {
namespace {

class CliSafety : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        toolDataHome() = dir_.filePath(QStringLiteral("xdg"));
    }
    void TearDown() override { toolDataHome().clear(); }

    QString tempPath(const char *name) const { return dir_.filePath(QLatin1String(name)); }
    QString dataRoot() const { return toolDataHome() + QStringLiteral("/VRX5800"); }
    QStringList backups() const {
        return QDir(dataRoot() + QStringLiteral("/backups")).entryList(QDir::Files, QDir::Name);
    }
    // plan_english.vrx with Squelch 5 instead of 7.
    QString changedPlan() const {
        const QString path = tempPath("changed.vrx");
        QByteArray bytes = fileBytes(dataFile("plan_english.vrx"));
        bytes.replace("Squelch 7 7", "Squelch 5 5");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QStringList readArgs(const QString &port, const QString &out) const {
        return {QStringLiteral("read"),
                QStringLiteral("--port"),
                port,
                QStringLiteral("--out"),
                out,
                QStringLiteral("--settings"),
                dataFile("settings.ini"),
                QStringLiteral("--lang"),
                QStringLiteral("eng")};
    }
    QStringList writeArgs(const QString &port, const QString &in) const {
        return {QStringLiteral("write"),
                QStringLiteral("--port"),
                port,
                QStringLiteral("--in"),
                in,
                QStringLiteral("--settings"),
                dataFile("settings.ini"),
                QStringLiteral("--lang"),
                QStringLiteral("eng")};
    }

    QTemporaryDir dir_;
};

TEST_F(CliSafety, NoBackupKeepsNothingAndAnUnwritableFolderNeverFailsTheRead) {
    Simulator sim({QStringLiteral("--plan"), dataFile("plan_english.vrx")});
    ASSERT_FALSE(sim.device().isEmpty());

    const ToolRun plain =
        runTool(readArgs(sim.device(), tempPath("a.vrx")) << QStringLiteral("--no-backup"));
    ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.err, QString());
    EXPECT_FALSE(QFileInfo::exists(dataRoot()));

    // A file where the data folder should be: the read stands, the reason is said once.
    ASSERT_TRUE(QDir().mkpath(toolDataHome()));
    QFile blocker(dataRoot());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const ToolRun blocked = runTool(readArgs(sim.device(), tempPath("b.vrx")));
    ASSERT_EQ(blocked.exitCode, 0) << blocked.err.toStdString();
    EXPECT_EQ(blocked.err.count(QStringLiteral("no backup was kept")), 1)
        << blocked.err.toStdString();
    EXPECT_EQ(fileBytes(tempPath("b.vrx")), fileBytes(tempPath("a.vrx")));
}

TEST_F(CliSafety, WriteBackupKeepsTheRadiosPlanFirst) {
    Simulator sim({QStringLiteral("--plan"), dataFile("plan_english.vrx")});
    ASSERT_FALSE(sim.device().isEmpty());
    const ToolRun write =
        runTool(writeArgs(sim.device(), changedPlan()) << QStringLiteral("--backup"));
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    ASSERT_EQ(backups().size(), 1);
    EXPECT_TRUE(backups()[0].startsWith(QStringLiteral("before-write-")));
    EXPECT_TRUE(write.err.contains(QStringLiteral("backup: ") + dataRoot()))
        << write.err.toStdString();
    // The backup holds the plan as it was, the radio the new one.
    const QString before = dataRoot() + QStringLiteral("/backups/") + backups()[0];
    EXPECT_EQ(fileBytes(before), fileBytes(dataFile("plan_english.vrx")));
    const ToolRun diff = runTool({QStringLiteral("diff"), before, QStringLiteral("--port"),
                                  sim.device(), QStringLiteral("--settings"),
                                  dataFile("settings.ini"), QStringLiteral("--no-backup")});
    EXPECT_EQ(diff.exitCode, 1) << diff.err.toStdString();
    EXPECT_EQ(diff.out, QStringLiteral("Squelch: 7 -> 5\n"));
}

TEST_F(CliSafety, AFailedReadKeepsWhatItGotAsideAndWritesNoFile) {
    // Channel n's first read is the radio's step 4n + 1: silent from channel 40 on.
    Simulator sim({QStringLiteral("--plan"), dataFile("plan_english.vrx"),
                   QStringLiteral("--fault"), QStringLiteral("silent:161")});
    ASSERT_FALSE(sim.device().isEmpty());
    const QString out = tempPath("out.vrx");
    const ToolRun read = runTool(readArgs(sim.device(), out));
    EXPECT_EQ(read.exitCode, 1) << read.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(read.err.contains(QStringLiteral("the read got 39 of 199 channels")))
        << read.err.toStdString();
    ASSERT_EQ(backups().size(), 1);
    EXPECT_TRUE(backups()[0].startsWith(QStringLiteral("partial-read-")));
    const QString partial = dataRoot() + QStringLiteral("/backups/") + backups()[0];
    EXPECT_TRUE(read.err.contains(QStringLiteral("backup: ") + partial)) << read.err.toStdString();
    // Channels 1-39 as the radio holds them, nothing of the rest.
    const ChannelFileLoad kept = loadChannelFile(partial);
    const ChannelFileLoad whole = loadChannelFile(dataFile("plan_english.vrx"));
    ASSERT_TRUE(kept.ok() && whole.ok());
    for (int n = 1; n <= kChannelCount; ++n)
        EXPECT_EQ(kept.plan->channels[n - 1], n <= 39 ? whole.plan->channels[n - 1] : ChannelRow{})
            << n;
}

TEST_F(CliSafety, AFailedWriteSaysHowToPutTheOldPlanBack) {
    // Silent from channel 100's first write: a write opens with four steps and takes two a
    // channel; the backup read before it takes 802 (four, four a channel, two more).
    for (const bool backup : {true, false}) {
        SCOPED_TRACE(backup);
        Simulator sim({QStringLiteral("--fault"),
                       QStringLiteral("silent:%1").arg((backup ? 802 : 0) + 4 + 2 * 99 + 1)});
        ASSERT_FALSE(sim.device().isEmpty());
        QStringList args = writeArgs(sim.device(), dataFile("plan_english.vrx"));
        if (backup)
            args << QStringLiteral("--backup");
        const ToolRun write = runTool(args);
        EXPECT_EQ(write.exitCode, 1) << write.err.toStdString();
        EXPECT_TRUE(
            write.err.contains(QStringLiteral("the radio holds channels 1-99 of the new plan")))
            << write.err.toStdString();
        if (backup) {
            ASSERT_EQ(backups().size(), 1);
            const QString before = dataRoot() + QStringLiteral("/backups/") + backups()[0];
            EXPECT_TRUE(
                write.err.contains(QStringLiteral("to put it back: vrxctl write --in %1 --port %2")
                                       .arg(before, sim.device())))
                << write.err.toStdString();
        } else {
            EXPECT_TRUE(write.err.contains(
                QStringLiteral("with --backup the radio's old plan is kept before the next write")))
                << write.err.toStdString();
        }
    }
}

TEST_F(CliSafety, WriteBackupThatCannotReadWritesNothing) {
    Simulator sim({QStringLiteral("--fault"), QStringLiteral("silent:1")});
    ASSERT_FALSE(sim.device().isEmpty());
    const ToolRun write = runTool(writeArgs(sim.device(), dataFile("plan_english.vrx"))
                                  << QStringLiteral("--backup"));
    EXPECT_EQ(write.exitCode, 1);
    EXPECT_TRUE(write.err.contains(QStringLiteral("nothing was written")))
        << write.err.toStdString();
    EXPECT_TRUE(backups().isEmpty());
}

struct VerifyCase {
    const char *name;
    const char *fault; // empty: an honest radio
    int exitCode;
    const char *out;
    const char *err;
};
void PrintTo(const VerifyCase &c, std::ostream *os) {
    *os << c.name;
}

class CliVerify : public CliSafety, public ::testing::WithParamInterface<VerifyCase> {};

TEST_P(CliVerify, ComparesWhatTheRadioHolds) {
    const VerifyCase &c = GetParam();
    QStringList simArgs;
    if (*c.fault)
        simArgs << QStringLiteral("--fault") << QLatin1String(c.fault);
    Simulator sim(simArgs);
    ASSERT_FALSE(sim.device().isEmpty());
    const ToolRun write = runTool(writeArgs(sim.device(), dataFile("plan_english.vrx"))
                                  << QStringLiteral("--verify"));
    EXPECT_EQ(write.exitCode, c.exitCode) << write.err.toStdString();
    EXPECT_EQ(write.out, QLatin1String(c.out));
    EXPECT_TRUE(write.err.contains(QLatin1String(c.err))) << write.err.toStdString();
    EXPECT_TRUE(write.err.contains(QStringLiteral("band limits and the identification block "
                                                  "cannot be read back")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliVerify,
    ::testing::Values(VerifyCase{"HonestRadio", "", 0, "", "verified"},
                      // Step 5 is the first block of channel 1.
                      VerifyCase{"OneByteStoredWrongly", "corrupt-write:5", 3,
                                 "CH001 RxFreq: wrote 438.50000, radio holds 438.50010\n",
                                 "verify failed: 1 fields differ"}),
    [](const auto &info) { return std::string(info.param.name); });

// The read back skips the settings block when the acknowledgement before it comes late
// (step 800 of the read back, after the 406 of the write): the radio holds what was
// written, so this is no difference but a verification that could not be made.
TEST_F(CliSafety, VerifyThatCannotReadBackIsNoDifference) {
    Simulator sim({QStringLiteral("--fault"), QStringLiteral("late:1206")});
    ASSERT_FALSE(sim.device().isEmpty());
    const ToolRun write = runTool(writeArgs(sim.device(), dataFile("plan_english.vrx"))
                                  << QStringLiteral("--verify"));
    EXPECT_EQ(write.exitCode, 1) << write.err.toStdString();
    EXPECT_TRUE(write.out.isEmpty()) << write.out.toStdString();
    EXPECT_TRUE(write.err.contains(QStringLiteral("could not be read back to verify")))
        << write.err.toStdString();
    EXPECT_TRUE(write.err.contains(QStringLiteral("SettingsBlock"))) << write.err.toStdString();
    EXPECT_FALSE(write.err.contains(QStringLiteral("verify failed"))) << write.err.toStdString();
}

struct DiffCase {
    const char *name;
    const char *a; // a data file, "@changed", "@port" or "" (none)
    const char *b;
    int exitCode;
    const char *out;
};
void PrintTo(const DiffCase &c, std::ostream *os) {
    *os << c.name;
}

class CliDiff : public CliSafety, public ::testing::WithParamInterface<DiffCase> {};

TEST_P(CliDiff, LikeDiff) {
    const DiffCase &c = GetParam();
    Simulator sim({QStringLiteral("--plan"), dataFile("plan_chinese.vrx")});
    ASSERT_FALSE(sim.device().isEmpty());
    QStringList args{QStringLiteral("diff")};
    for (const char *side : {c.a, c.b}) {
        const QLatin1String name(side);
        if (name.isEmpty())
            continue;
        if (name == QLatin1String("@port"))
            args << QStringLiteral("--port") << sim.device();
        else if (name == QLatin1String("@changed"))
            args << changedPlan();
        else
            args << dataFile(side);
    }
    args << QStringLiteral("--settings") << dataFile("settings.ini") << QStringLiteral("--lang")
         << QStringLiteral("eng");
    const ToolRun run = runTool(args);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
    EXPECT_EQ(run.out, QLatin1String(c.out));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliDiff,
    ::testing::Values(
        DiffCase{"OnePlanInTwoLanguages", "plan_chinese.vrx", "plan_english.vrx", 0, ""},
        DiffCase{"FileToFile", "plan_chinese.vrx", "@changed", 1, "Squelch: 7 -> 5\n"},
        DiffCase{"RadioToFile", "@port", "@changed", 1, "Squelch: 7 -> 5\n"},
        DiffCase{"FileToRadio", "@changed", "@port", 1, "Squelch: 5 -> 7\n"},
        DiffCase{"RadioEqualsItsPlan", "@port", "plan_english.vrx", 0, ""},
        DiffCase{"MissingFile", "plan_chinese.vrx", "none.vrx", 2, ""},
        DiffCase{"OneFileOnly", "plan_chinese.vrx", "", 2, ""},
        DiffCase{"TheRadioTwice", "@port", "@port", 2, ""}),
    [](const auto &info) { return std::string(info.param.name); });

// A transfer against a 9600-baud radio served in this process, so that the test can
// see what the radio received and when.
class CliInterrupt : public CliSafety {
protected:
    void SetUp() override {
        CliSafety::SetUp();
        server_.setWireTime(true);
        QString error;
        ASSERT_TRUE(server_.start(&error)) << error.toStdString();
    }

    void start(const QStringList &arguments) {
        process_.setProcessEnvironment(toolEnvironment());
        process_.start(kTool, arguments);
        ASSERT_TRUE(process_.waitForStarted());
    }
    // Serves the radio until `done` holds or `ms` have passed.
    template <typename Predicate> bool serveUntil(Predicate done, int ms) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        return done();
    }
    bool finished() const { return process_.state() == QProcess::NotRunning; }
    void signal(int number) { ::kill(pid_t(process_.processId()), number); }

    PtyRadioServer server_;
    QProcess process_;
};

TEST_F(CliInterrupt, ReadStopsAtABlockEndsTheExchangeAndWritesNoFile) {
    const QString out = tempPath("out.vrx");
    start(readArgs(server_.devicePath(), out));
    // Some 15 channels in.
    ASSERT_TRUE(serveUntil([&] { return server_.radio().stepCount() >= 60; }, 20000));
    signal(SIGINT);
    ASSERT_TRUE(serveUntil([&] { return finished(); }, 5000));
    EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process_.exitCode(), 130);
    const QString err = QString::fromUtf8(process_.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("interrupted: the read stopped after 1")))
        << err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
    // The channels read so far are kept aside, and stderr says where.
    const QStringList kept = backups();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(kept[0].startsWith(QStringLiteral("partial-read-"))) << kept[0].toStdString();
    EXPECT_TRUE(err.contains(kept[0])) << err.toStdString();
    EXPECT_TRUE(server_.radio().endReceived());
    EXPECT_FALSE(server_.radio().inCloneMode());
    EXPECT_TRUE(server_.radio().received().endsWith(QByteArrayLiteral("do")));
}

TEST_F(CliInterrupt, WriteSaysWhichChannelsTheRadioHolds) {
    start(writeArgs(server_.devicePath(), dataFile("plan_english.vrx")));
    ASSERT_TRUE(serveUntil([&] { return server_.radio().stepCount() >= 60; }, 20000));
    signal(SIGTERM);
    ASSERT_TRUE(serveUntil([&] { return finished(); }, 5000));
    EXPECT_EQ(process_.exitCode(), 130);
    const QString err = QString::fromUtf8(process_.readAllStandardError());
    const qsizetype at = err.indexOf(QStringLiteral("the radio holds channels 1-"));
    ASSERT_GE(at, 0) << err.toStdString();
    const int last = err.mid(at + 27).section(u' ', 0, 0).toInt();
    EXPECT_GE(last, 28);
    EXPECT_LT(last, 199);
    // The channel after the last one written was not touched.
    EXPECT_EQ(server_.radio().memory().mid((last + 1) * 16, 16), QByteArray(16, char(0xFF)));
    EXPECT_NE(server_.radio().memory().mid(1 * 16, 16), QByteArray(16, char(0xFF)));
    EXPECT_TRUE(server_.radio().endReceived());
    EXPECT_FALSE(server_.radio().inCloneMode());
}

TEST_F(CliInterrupt, ASecondSignalExitsAtOnce) {
    // A silent radio keeps the tool in its handshake (six attempts, some 1.5 s), where the
    // first signal has to wait for the next step boundary.
    server_.radio().setFault({SimulatedRadio::FaultKind::SilentFrom, 1});
    start(readArgs(server_.devicePath(), tempPath("out.vrx")));
    ASSERT_TRUE(serveUntil([&] { return !server_.radio().received().isEmpty(); }, 20000));
    QElapsedTimer clock;
    clock.start();
    signal(SIGINT);
    serveUntil([] { return false; }, 100);
    EXPECT_FALSE(finished());
    signal(SIGINT);
    ASSERT_TRUE(serveUntil([&] { return finished(); }, 5000));
    EXPECT_LT(clock.elapsed(), 700);
    EXPECT_EQ(process_.exitCode(), 130);
    EXPECT_FALSE(QFile::exists(tempPath("out.vrx")));
}

} // namespace
} // namespace vrx

#include "radio/fleet_report.h"
#include "radio/fleet_run.h"
#include "radio/simulated_link.h"

#include "radio_test_support.h"

#include "storage/csv_format.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <semaphore>
#include <thread>

namespace vrx {
namespace {

using FaultKind = SimulatedRadio::FaultKind;
using test::englishTexts;

// A radio per port, each reached through an in-memory link made on its worker. The
// links of one run meet at a gate before they open: a fleet that ran its radios one
// after the other would never let them all arrive.
struct SimulatedFleet {
    explicit SimulatedFleet(int count) : radios(size_t(count)) {}

    std::deque<SimulatedRadio> radios;
    std::mutex mutex;
    std::condition_variable arrived;
    int waiting = 0;
    int gate = 0; // how many links must meet before any opens; 0: none
    bool allMet = false;
    std::vector<int> linksMade = std::vector<int>(radios.size(), 0);

    FleetRun::PortLinks links() {
        return [this](const FleetPort &port) -> LinkFactory {
            const int index = port.device.toInt();
            return [this, index] {
                {
                    std::unique_lock lock(mutex);
                    ++linksMade[size_t(index)];
                    if (gate > 0) {
                        ++waiting;
                        arrived.notify_all();
                        allMet = arrived.wait_for(lock, std::chrono::seconds(10),
                                                  [this] { return waiting >= gate; });
                    }
                }
                return std::make_unique<SimulatedLink>(radios[size_t(index)]);
            };
        };
    }

    QList<FleetPort> ports() const {
        QList<FleetPort> list;
        for (size_t n = 0; n < radios.size(); ++n)
            list << FleetPort{QStringLiteral("COM%1").arg(n + 1), QString::number(n),
                              QStringLiteral("USB cable"), QStringLiteral("SN%1").arg(n + 1)};
        return list;
    }
};

struct FleetFixture : ::testing::Test {
    UiTexts texts = englishTexts();
    QTemporaryDir dir;
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        bands.setList(BandList::Band1Rx, {QStringLiteral("400-470MHz")}, 0);
        bands.setList(BandList::Band1Tx, {QStringLiteral("400-470MHz")}, 0);
        test::fillVariedPlan(table, texts);
        settings.setIndex(Option::Squelch, 7);
    }

    FleetSettings fleetSettings() const {
        FleetSettings s;
        s.plan = TransferPlan::capture(table, settings, bands);
        s.texts = texts;
        s.dataFolder = DataFolder(dir.path());
        return s;
    }

    // The channels and settings a radio holds once it has been written with `table`.
    QByteArray expectedImage() {
        SimulatedRadio radio;
        SimulatedLink link(radio);
        EXPECT_TRUE(link.open());
        EXPECT_TRUE(writeRadio(link, table, settings, bands, texts).ok());
        return radio.memory();
    }

    static void runToEnd(FleetRun &run, const std::function<bool()> &start) {
        QEventLoop loop;
        QObject::connect(&run, &FleetRun::runFinished, &loop, &QEventLoop::quit);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        ASSERT_TRUE(start());
        loop.exec();
        ASSERT_FALSE(run.isRunning()) << "the run did not finish";
    }

    static QList<CsvRecord> report(const FleetRun &run) {
        QFile file(run.reportPath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << run.reportPath().toStdString();
        QList<CsvRecord> records = splitCsvRecords(QString::fromUtf8(file.readAll()));
        if (!records.isEmpty())
            records.removeFirst(); // the header
        return records;
    }
};

TEST_F(FleetFixture, EveryRadioRunsAtOnceAndAFailingOneNeverStopsTheOthers) {
    SimulatedFleet fleet(4);
    fleet.gate = 4;
    fleet.radios[2].setFault({FaultKind::SilentFrom, 30});
    FleetRun run(fleet.links());
    run.setPorts(fleet.ports());
    runToEnd(run, [&] { return run.start({0, 1, 2, 3}, fleetSettings()); });
    EXPECT_TRUE(fleet.allMet) << "the radios were not run side by side";

    const QByteArray image = expectedImage();
    for (const int row : {0, 1, 3}) {
        EXPECT_EQ(run.result(row).outcome, FleetOutcome::Verified) << row;
        EXPECT_FALSE(run.result(row).backupFile.isEmpty());
        EXPECT_TRUE(QFile::exists(run.result(row).backupFile));
        EXPECT_EQ(fleet.radios[size_t(row)].memory().left(0x0D00), image.left(0x0D00)) << row;
        EXPECT_FALSE(fleet.radios[size_t(row)].inCloneMode());
    }
    const FleetPortResult &silent = run.result(2);
    EXPECT_EQ(silent.outcome, FleetOutcome::Failed);
    EXPECT_FALSE(silent.why.isEmpty());
    EXPECT_EQ(run.failedRows(), QList<int>{2});

    // Four before-write backups, none overwritten by another taken in the same second.
    QStringList backups;
    for (int row = 0; row < 4; ++row)
        backups << run.result(row).backupFile;
    backups.removeAll(QString());
    backups.removeDuplicates();
    EXPECT_EQ(backups.size(), 3);

    const QList<CsvRecord> rows = report(run);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[2].fields.value(1), QStringLiteral("COM3"));
    EXPECT_EQ(rows[2].fields.value(3), QStringLiteral("SN3"));
    EXPECT_TRUE(rows[2].fields.value(6).startsWith(QStringLiteral("failed: ")));
    EXPECT_EQ(rows[0].fields.value(6), QStringLiteral("verified"));
    EXPECT_EQ(rows[0].fields.value(8), QStringLiteral("same"));
}

TEST_F(FleetFixture, RunFailedAgainRunsOnlyTheFailedRadios) {
    SimulatedFleet fleet(3);
    fleet.radios[1].setFault({FaultKind::SilentFrom, 1});
    FleetRun run(fleet.links());
    run.setPorts(fleet.ports());
    FleetSettings s = fleetSettings();
    s.backupFirst = false;
    s.verifyAfter = false;
    runToEnd(run, [&] { return run.start({0, 1, 2}, s); });
    ASSERT_EQ(run.failedRows(), QList<int>{1});
    const QString firstReport = run.reportPath();

    fleet.radios[1].setFault({});
    fleet.radios[1].resetSession();
    runToEnd(run, [&] { return run.runFailedAgain(); });
    EXPECT_EQ(fleet.linksMade, (std::vector<int>{1, 2, 1}));
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(run.result(row).outcome, FleetOutcome::Written)
            << row << run.result(row).why.toStdString();
    EXPECT_TRUE(run.failedRows().isEmpty());
    EXPECT_FALSE(run.runFailedAgain());
    // Each run keeps a report of its own, of the whole batch.
    EXPECT_NE(run.reportPath(), firstReport);
    EXPECT_EQ(report(run).size(), 3);
}

TEST_F(FleetFixture, NextBatchCountsAndClearsTheResults) {
    SimulatedFleet fleet(2);
    FleetRun run(fleet.links());
    run.setPorts(fleet.ports());
    FleetSettings s = fleetSettings();
    s.backupFirst = false;
    runToEnd(run, [&] { return run.start({0, 1}, s); });
    EXPECT_EQ(run.batch(), 1);
    run.nextBatch();
    EXPECT_EQ(run.batch(), 2);
    EXPECT_EQ(run.result(0).outcome, FleetOutcome::NotRun);
    EXPECT_FALSE(run.runFailedAgain());
    runToEnd(run, [&] { return run.start({1}, s); });
    const QList<CsvRecord> rows = report(run);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].fields.value(0), QStringLiteral("2"));
    EXPECT_EQ(rows[0].fields.value(1), QStringLiteral("COM2"));
}

TEST_F(FleetFixture, ReadOneWriteManyCopiesTheSourceRadio) {
    SimulatedFleet fleet(3);
    {
        SimulatedLink link(fleet.radios[0]);
        ASSERT_TRUE(link.open());
        ASSERT_TRUE(writeRadio(link, table, settings, bands, texts).ok());
    }
    fleet.radios[0].setFault({FaultKind::SilentFrom, 1});
    FleetRun run(fleet.links());
    run.setPorts(fleet.ports());
    FleetSettings s = fleetSettings();
    s.plan = TransferPlan::capture(ChannelTable(), RadioSettings(), bands);
    s.sourceRow = 0;
    s.backupFirst = false;
    EXPECT_FALSE(run.start({1, 2}, s)) << "the source must be among the rows";

    // A source that cannot be read writes nothing.
    runToEnd(run, [&] { return run.start({0, 1, 2}, s); });
    EXPECT_EQ(run.failedRows(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(fleet.linksMade, (std::vector<int>{1, 0, 0}));
    EXPECT_TRUE(run.result(2).why.contains(QStringLiteral("source")));

    fleet.radios[0].setFault({});
    fleet.radios[0].resetSession();
    runToEnd(run, [&] { return run.runFailedAgain(); });
    EXPECT_EQ(run.result(0).outcome, FleetOutcome::Read);
    const QByteArray image = expectedImage();
    for (const int row : {1, 2}) {
        EXPECT_EQ(run.result(row).outcome, FleetOutcome::Verified) << row;
        EXPECT_EQ(fleet.radios[size_t(row)].memory().left(0x0D00), image.left(0x0D00)) << row;
    }
}

TEST_F(FleetFixture, AVerifyThatFindsADifferenceIsReportedWithTheFirstOne) {
    SimulatedFleet fleet(2);
    table.setRow(7, test::makeRow("145.52500", "67.0", "145.52500", "OFF", "High", "Wide",
                                  texts.onText, texts.offText));
    // Channel 7's first block: after the handshake, its acknowledgement, the ident read
    // and the acknowledgement, two steps a channel.
    fleet.radios[1].setFault({FaultKind::CorruptStore, 4 + 2 * 7 - 1});
    FleetRun run(fleet.links());
    run.setPorts(fleet.ports());
    FleetSettings s = fleetSettings();
    s.backupFirst = false;
    runToEnd(run, [&] { return run.start({0, 1}, s); });
    EXPECT_EQ(run.result(0).outcome, FleetOutcome::Verified);
    const FleetPortResult &differs = run.result(1);
    EXPECT_EQ(differs.outcome, FleetOutcome::Differs);
    EXPECT_EQ(differs.differences, 1);
    EXPECT_EQ(differs.firstDifference,
              QStringLiteral("CH007 RxFreq: wrote 145.52500, radio holds 145.52510"));
    EXPECT_EQ(report(run).value(1).fields.value(8), QStringLiteral("1 differences"));
}

// A link that holds its radio's transfer at one step until the test lets it go on.
class HeldLink : public SimulatedLink {
public:
    HeldLink(SimulatedRadio &radio, int holdAtSend, std::binary_semaphore &reached,
             std::binary_semaphore &resume)
        : SimulatedLink(radio), holdAtSend_(holdAtSend), reached_(reached), resume_(resume) {}

    void send(const QByteArray &bytes) override {
        if (++sends_ == holdAtSend_) {
            reached_.release();
            resume_.acquire();
        }
        SimulatedLink::send(bytes);
    }

private:
    int holdAtSend_;
    int sends_ = 0;
    std::binary_semaphore &reached_;
    std::binary_semaphore &resume_;
};

TEST_F(FleetFixture, OneRadioStoppedFromAnotherThreadLeavesTheOthersRunning) {
    SimulatedFleet fleet(3);
    std::binary_semaphore reached(0);
    std::binary_semaphore resume(0);
    const FleetRun::PortLinks plain = fleet.links();
    FleetRun run([&](const FleetPort &port) -> LinkFactory {
        if (port.device != QStringLiteral("1"))
            return plain(port);
        return [&] { return std::make_unique<HeldLink>(fleet.radios[1], 60, reached, resume); };
    });
    run.setPorts(fleet.ports());
    FleetSettings s = fleetSettings();
    s.backupFirst = false;
    s.verifyAfter = false;
    // Mid-way through the second radio's write, someone else asks that radio to stop.
    std::jthread stopper([&] {
        reached.acquire();
        run.requestStop(1);
        resume.release();
    });
    runToEnd(run, [&] { return run.start({0, 1, 2}, s); });
    const FleetPortResult &stopped = run.result(1);
    EXPECT_EQ(stopped.outcome, FleetOutcome::Failed);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.why, QStringLiteral("stopped"));
    EXPECT_FALSE(fleet.radios[1].inCloneMode()) << "the end command was sent";
    EXPECT_EQ(run.result(0).outcome, FleetOutcome::Written);
    EXPECT_EQ(run.result(2).outcome, FleetOutcome::Written);
    EXPECT_EQ(fleet.radios[0].memory(), expectedImage());
}

} // namespace
} // namespace vrx

#include "radio/channel_codec.h"
#include "radio/radio_image.h"
#include "radio/simulated_link.h"
#include "radio/transfer_engine.h"

#include "radio_test_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vrx {
namespace {

using test::englishTexts;

// A link that holds its transfer at one frame until released, so that another thread
// can act while the transfer is known to be mid-way.
class GateLink : public SerialLink {
public:
    GateLink(SimulatedRadio &radio, int holdAtFrame) : link_(radio), holdAt_(holdAtFrame) {}

    bool open() override { return link_.open(); }
    void close() override { link_.close(); }
    bool isOpen() const override { return link_.isOpen(); }
    void send(const QByteArray &bytes) override {
        if (++frames_ == holdAt_) {
            std::unique_lock lock(mutex_);
            reached_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return released_; });
        }
        link_.send(bytes);
    }
    QByteArray waitForBytes(int count, int timeoutMs) override {
        return link_.waitForBytes(count, timeoutMs);
    }
    void pause(int ms) override { link_.pause(ms); }
    int discardInput() override { return link_.discardInput(); }
    void discardOutput() override { link_.discardOutput(); }
    bool failed() const override { return link_.failed(); }
    QString errorString() const override { return link_.errorString(); }

    // From another thread.
    void waitUntilHeld() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return reached_; });
    }
    void release() {
        const std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    SimulatedLink link_;
    int holdAt_;
    int frames_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool reached_ = false;
    bool released_ = false;
};

struct EngineFixture : ::testing::Test {
    UiTexts texts = englishTexts();
    QTemporaryDir data;

    TransferJob writeJob(bool backup, bool verify) {
        ChannelTable table;
        RadioSettings settings;
        BandPlan bands;
        test::fillVariedPlan(table, texts);
        bands.setList(BandList::Band1Rx, {kDefaultBandText}, 0);
        bands.setList(BandList::Band1Tx, {kDefaultBandText}, 0);
        TransferJob job;
        job.kind = TransferJobKind::Write;
        job.plan = TransferPlan::capture(table, settings, bands);
        job.texts = texts;
        job.backupFirst = backup;
        job.verifyAfter = verify;
        job.backupFolder = DataFolder(data.path());
        return job;
    }
    TransferJob readJob() {
        TransferJob job = writeJob(false, false);
        job.kind = TransferJobKind::Read;
        return job;
    }
    QByteArray recordOf(const TransferJob &job, int channel) {
        return *encodeChannel(job.plan.rows[channel - 1], texts);
    }
    QStringList backups() const {
        return QDir(DataFolder(data.path()).backupsPath()).entryList(QDir::Files);
    }
};

using TransferEngine = EngineFixture;

TEST_F(TransferEngine, RunsSeveralVerifiedWritesAtOnceEachInItsPhases) {
    constexpr int kRadios = 4;
    std::vector<std::unique_ptr<SimulatedRadio>> radios;
    std::vector<std::unique_ptr<TransferWorker>> workers;
    std::vector<QList<TransferPhase>> phases(kRadios);
    std::vector<int> lastProgress(kRadios, 0);
    const TransferJob job = writeJob(true, true);
    for (int i = 0; i < kRadios; ++i) {
        radios.push_back(std::make_unique<SimulatedRadio>());
        SimulatedRadio *radio = radios.back().get();
        workers.push_back(std::make_unique<TransferWorker>(
            [radio] { return std::make_unique<SimulatedLink>(*radio); }));
        // The worker as context: the slots run on this thread.
        QObject::connect(workers[i].get(), &TransferWorker::phaseChanged, workers[i].get(),
                         [&phases, i](TransferPhase phase) { phases[i] << phase; });
        QObject::connect(workers[i].get(), &TransferWorker::progressChanged, workers[i].get(),
                         [&lastProgress, i](int value, int) { lastProgress[i] = value; });
    }
    for (auto &worker : workers)
        ASSERT_TRUE(worker->start(job));
    EXPECT_FALSE(workers[0]->start(job)); // one job at a time per port

    for (int i = 0; i < kRadios; ++i) {
        const TransferOutcome outcome = workers[i]->waitForFinished();
        EXPECT_TRUE(outcome.ok()) << qPrintable(outcome.result.detail);
        ASSERT_TRUE(outcome.verify);
        EXPECT_TRUE(outcome.verify->ok());
        ASSERT_TRUE(outcome.backup);
        EXPECT_TRUE(QFileInfo::exists(outcome.backup->path));
        EXPECT_EQ(phases[i], (QList<TransferPhase>{TransferPhase::Opening, TransferPhase::BackingUp,
                                                   TransferPhase::Writing, TransferPhase::Verifying,
                                                   TransferPhase::Done}));
        EXPECT_EQ(lastProgress[i], kReadProgressEnd);
        EXPECT_EQ(radios[i]->memory().mid(RadioImage::channelAddress(1), RadioImage::kRecordSize),
                  recordOf(job, 1));
        EXPECT_EQ(radios[i]->handshakeCount(), 3);
        EXPECT_FALSE(radios[i]->inCloneMode());
    }
    // Each radio's backup under a name of its own, although they came in the same second.
    EXPECT_EQ(backups().size(), kRadios);
}

TEST_F(TransferEngine, AStopFromAnotherThreadEndsTheExchangeAtAStepBoundary) {
    SimulatedRadio radio;
    GateLink *gate = nullptr;
    // Frames 1-2 are the handshake, 3-5 the opening; channel n takes four from 4n + 2.
    constexpr int kHeldChannel = 40;
    TransferWorker worker([&radio, &gate] {
        auto link = std::make_unique<GateLink>(radio, 4 * kHeldChannel + 2);
        gate = link.get();
        return link;
    });
    ASSERT_TRUE(worker.openPort());
    ASSERT_TRUE(worker.start(readJob()));
    std::thread stopper([&] {
        gate->waitUntilHeld();
        worker.requestStop();
        gate->release();
    });
    const TransferOutcome outcome = worker.waitForFinished();
    stopper.join();

    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.phase, TransferPhase::Reading);
    EXPECT_EQ(outcome.result.status, TransferStatus::Interrupted);
    // The held frame still went out whole; the stop came at the next boundary.
    EXPECT_EQ(outcome.readChannels, kHeldChannel);
    EXPECT_TRUE(radio.endReceived());
    EXPECT_FALSE(radio.inCloneMode());
    EXPECT_TRUE(radio.received().endsWith("do"));
    // A plan of its own: nothing past the channels read.
    for (int n = kHeldChannel + 1; n <= kChannelCount; ++n)
        ASSERT_EQ(outcome.readPlan.rows[n - 1], ChannelRow{}) << n;
    // The port stays open for the next run, which starts afresh.
    EXPECT_TRUE(worker.isPortOpen());
    ASSERT_TRUE(worker.start(readJob()));
    EXPECT_TRUE(worker.waitForFinished().ok());
}

TEST_F(TransferEngine, AFailingLinkAmongGoodOnesFailsAlone) {
    struct Port {
        const char *name;
        std::function<void(SimulatedRadio &, SimulatedLink &)> setUp;
        TransferStatus expected;
        TransferPhase phase;
    };
    const std::vector<Port> ports = {
        {"good", {}, TransferStatus::Ok, TransferPhase::Done},
        {"cable pulled", [](SimulatedRadio &, SimulatedLink &link) { link.setFailAtStep(90); },
         TransferStatus::LinkFailed, TransferPhase::Writing},
        {"silent",
         [](SimulatedRadio &radio, SimulatedLink &) {
             radio.setFault({SimulatedRadio::FaultKind::SilentFrom, 1});
         },
         TransferStatus::NoResponse, TransferPhase::Writing},
        {"busy port", [](SimulatedRadio &, SimulatedLink &link) { link.setOpenFails(true); },
         TransferStatus::PortNotOpen, TransferPhase::Opening},
        {"good too", {}, TransferStatus::Ok, TransferPhase::Done},
    };
    std::vector<std::unique_ptr<SimulatedRadio>> radios;
    std::vector<std::unique_ptr<TransferWorker>> workers;
    const TransferJob job = writeJob(false, true);
    for (const Port &port : ports) {
        radios.push_back(std::make_unique<SimulatedRadio>());
        SimulatedRadio *radio = radios.back().get();
        workers.push_back(std::make_unique<TransferWorker>([radio, &port] {
            auto link = std::make_unique<SimulatedLink>(*radio);
            if (port.setUp)
                port.setUp(*radio, *link);
            return link;
        }));
        ASSERT_TRUE(workers.back()->start(job));
    }
    for (size_t i = 0; i < ports.size(); ++i) {
        SCOPED_TRACE(ports[i].name);
        const TransferOutcome outcome = workers[i]->waitForFinished();
        EXPECT_EQ(outcome.result.status, ports[i].expected);
        EXPECT_EQ(outcome.phase, ports[i].phase);
        EXPECT_FALSE(outcome.stopped);
        EXPECT_EQ(outcome.ok(), ports[i].expected == TransferStatus::Ok);
        if (ports[i].expected == TransferStatus::PortNotOpen) {
            EXPECT_FALSE(outcome.portError.isEmpty());
        }
        const QByteArray last =
            radios[i]->memory().mid(RadioImage::channelAddress(199), RadioImage::kRecordSize);
        EXPECT_EQ(last == recordOf(job, 199), outcome.ok());
    }
}

TEST_F(TransferEngine, ABackupThatCannotBeKeptWritesNothing) {
    SimulatedRadio radio;
    const QByteArray before = radio.memory();
    TransferJob job = writeJob(true, false);
    job.backupFolder.reset();
    TransferWorker worker([&radio] { return std::make_unique<SimulatedLink>(radio); });
    ASSERT_TRUE(worker.start(job));
    const TransferOutcome outcome = worker.waitForFinished();
    EXPECT_EQ(outcome.phase, TransferPhase::BackingUp);
    EXPECT_TRUE(outcome.result.ok()); // the read itself went well
    ASSERT_TRUE(outcome.backup);
    EXPECT_FALSE(outcome.backup->ok());
    EXPECT_FALSE(outcome.write);
    EXPECT_EQ(radio.memory(), before);
    EXPECT_EQ(radio.handshakeCount(), 1);
}

TEST_F(TransferEngine, AStopBetweenPhasesSendsNothingMore) {
    SimulatedRadio radio;
    TransferJob job = writeJob(true, true);
    // Asked at every boundary: true once the backup read is complete.
    job.stop = [&radio] { return radio.endReceived(); };
    TransferWorker worker([&radio] { return std::make_unique<SimulatedLink>(radio); });
    ASSERT_TRUE(worker.start(job));
    const TransferOutcome outcome = worker.waitForFinished();
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.phase, TransferPhase::Writing);
    EXPECT_FALSE(outcome.write);
    ASSERT_TRUE(outcome.backup);
    EXPECT_TRUE(outcome.backup->ok());
    EXPECT_EQ(radio.handshakeCount(), 1);
}

} // namespace
} // namespace vrx

#include "radio/transfer_engine.h"

#include <QEventLoop>
#include <QThread>

#include <condition_variable>

namespace vrx {

TransferPlan TransferPlan::capture(const ChannelTable &table, const RadioSettings &settings,
                                   const BandPlan &bands) {
    TransferPlan plan;
    for (int col = 0; col < kColumnCount; ++col)
        plan.headers[col] = table.header(col);
    plan.rows = table.rows();
    plan.options = settings.indexes();
    plan.drives = settings.drives();
    for (int i = 0; i < kOptionCount; ++i)
        plan.optionEntries[i] = settings.entries(optionAt(i));
    for (int i = 0; i < kBandListCount; ++i) {
        plan.bandEntries[i] = bands.entries(BandList(i));
        plan.bandSelected[i] = bands.selected(BandList(i));
    }
    return plan;
}

void TransferPlan::applyTo(ChannelTable &table, RadioSettings &settings, BandPlan &bands) const {
    for (int col = 0; col < kColumnCount; ++col)
        table.setHeader(col, headers[col]);
    table.setRows(rows);
    for (int i = 0; i < kOptionCount; ++i) {
        if (!optionEntries[i].isEmpty())
            settings.setEntries(optionAt(i), optionEntries[i]);
    }
    settings.setIndexes(options);
    settings.setDrives(drives);
    for (int i = 0; i < kBandListCount; ++i)
        bands.setList(BandList(i), bandEntries[i], bandSelected[i]);
}

ChannelPlan TransferPlan::channelPlan() const {
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;
    applyTo(table, settings, bands);
    return capturePlan(table, settings, bands);
}

namespace {

// One job's run: the phases in order, each exchange on objects of this thread.
class JobRun {
public:
    JobRun(SerialLink &link, const TransferJob &job, const TransferProgress &progress,
           const std::function<void(TransferPhase)> &phase, const StopRequest &stop)
        : link_(link), job_(job), progress_(progress), phase_(phase), stop_(stop) {}

    TransferOutcome run() {
        if (job_.kind == TransferJobKind::Read) {
            enter(TransferPhase::Reading);
            if (readOwnPlan())
                enter(TransferPhase::Done);
            return out_;
        }
        if (job_.backupFirst && !backUp())
            return out_;
        // Between phases the radio is out of clone mode: a stop here sends nothing.
        if (job_.backupFirst && stoppedBetweenPhases(TransferPhase::Writing))
            return out_;
        if (!write())
            return out_;
        if (job_.stopWhenSkipped && !out_.result.skipped.isEmpty())
            return out_;
        if (job_.verifyAfter) {
            if (stoppedBetweenPhases(TransferPhase::Verifying))
                return out_;
            if (!verify())
                return out_;
        }
        enter(TransferPhase::Done);
        return out_;
    }

private:
    void enter(TransferPhase phase) {
        out_.phase = phase;
        if (phase_)
            phase_(phase);
    }

    bool finish(const TransferResult &result) {
        out_.result = result;
        out_.stopped = result.status == TransferStatus::Interrupted;
        return result.ok();
    }

    bool stoppedBetweenPhases(TransferPhase next) {
        if (!stop_ || !stop_())
            return false;
        out_.phase = next;
        TransferResult stopped;
        stopped.status = TransferStatus::Interrupted;
        stopped.detail = next == TransferPhase::Writing
                             ? QStringLiteral("stopped before the write; nothing was written")
                             : QStringLiteral("the write is complete; its verification was not");
        finish(stopped);
        return true;
    }

    // A read into a plan of its own: the caller's plan is never half replaced.
    bool readOwnPlan() {
        ChannelTable table;
        RadioSettings settings;
        BandPlan bands;
        TransferPlan start = job_.plan;
        start.rows = {};
        start.applyTo(table, settings, bands);
        const TransferResult result =
            readRadio(link_, table, settings, job_.texts, progress_, stop_);
        out_.readPlan = TransferPlan::capture(table, settings, bands);
        out_.readChannels = result.completedChannels;
        return finish(result);
    }

    bool backUp() {
        enter(TransferPhase::BackingUp);
        const bool read = readOwnPlan();
        out_.backupRead = out_.result;
        if (!read)
            return false;
        // The radio's plan would be gone with nowhere to go back to.
        if (!job_.backupFolder) {
            out_.backup = BackupResult{{}, QStringLiteral("no data folder to keep it in")};
            return false;
        }
        const ChannelPlan plan = out_.readPlan.channelPlan();
        // Workers finishing their backup reads in the same second would all pick the
        // same free name; one at a time, each gets its own.
        static std::mutex backupMutex;
        const std::lock_guard lock(backupMutex);
        out_.backup = saveBackup(*job_.backupFolder, BackupKind::BeforeWrite, plan);
        return out_.backup->ok();
    }

    bool write() {
        enter(TransferPhase::Writing);
        job_.plan.applyTo(table_, settings_, bands_);
        const TransferResult result =
            writeRadio(link_, table_, settings_, bands_, job_.texts, progress_, stop_);
        out_.write = result;
        return finish(result);
    }

    bool verify() {
        enter(TransferPhase::Verifying);
        const std::optional<WrittenImage> image = writtenImage(table_, settings_, job_.texts);
        const VerifyResult result = verifyWrite(link_, *image, job_.texts, progress_, stop_);
        out_.verify = result;
        finish(result.readBack);
        return result.ok();
    }

    SerialLink &link_;
    const TransferJob &job_;
    const TransferProgress &progress_;
    const std::function<void(TransferPhase)> &phase_;
    const StopRequest &stop_;
    TransferOutcome out_;
    // The plan written, as this thread's objects.
    ChannelTable table_;
    RadioSettings settings_;
    BandPlan bands_;
};

} // namespace

TransferOutcome runTransferJob(SerialLink &link, const TransferJob &job,
                               const TransferProgress &progress,
                               const std::function<void(TransferPhase)> &phase,
                               const StopRequest &stop) {
    return JobRun(link, job, progress, phase, stop).run();
}

// Lives on the worker thread and owns the link there. Every hand-over with the owner
// goes through the owner's mutex, so that no data passes between the threads unguarded.
class TransferRunner : public QObject {
public:
    TransferRunner(TransferWorker &owner, LinkFactory makeLink)
        : owner_(owner), makeLink_(std::move(makeLink)) {}

    // On the worker thread.
    bool openLink(QString *error) {
        if (link_ && link_->isOpen())
            return true;
        if (!link_)
            link_ = makeLink_ ? makeLink_() : nullptr;
        if (!link_) {
            *error = QStringLiteral("no link to the port");
            return false;
        }
        if (!link_->open()) {
            *error = link_->errorString();
            link_.reset();
            return false;
        }
        open_ = true;
        return true;
    }

    void closeLink() {
        open_ = false;
        if (!link_)
            return;
        link_->close();
        link_.reset();
    }

    void run(const TransferJob &job) {
        TransferOutcome outcome;
        QString error;
        const bool heldOpen = open_;
        if (!heldOpen)
            owner_.phaseChanged(TransferPhase::Opening);
        if (!openLink(&error)) {
            outcome.portError = error;
            outcome.result.status = TransferStatus::PortNotOpen;
            outcome.result.detail = error;
        } else {
            const TransferProgress progress = [this](int value, int maximum) {
                emit owner_.progressChanged(value, maximum);
            };
            const auto phase = [this](TransferPhase p) { emit owner_.phaseChanged(p); };
            const StopRequest stop = [this, &job] {
                return owner_.stopRequested_ || (job.stop && job.stop());
            };
            outcome = runTransferJob(*link_, job, progress, phase, stop);
            if (!heldOpen)
                closeLink();
        }
        {
            const std::lock_guard lock(owner_.mutex_);
            owner_.outcome_ = std::move(outcome);
        }
        QMetaObject::invokeMethod(&owner_, &TransferWorker::onFinished, Qt::QueuedConnection);
    }

    bool isOpen() const { return open_; }

private:
    TransferWorker &owner_;
    LinkFactory makeLink_;
    std::unique_ptr<SerialLink> link_;
    std::atomic<bool> open_ = false;
};

namespace {

// Runs `call` on `target`'s thread and waits for it, with the hand-over in a mutex and
// a condition of our own.
void runAndWait(QObject *target, const std::function<void()> &call) {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    QMetaObject::invokeMethod(
        target,
        [&] {
            call();
            const std::lock_guard lock(mutex);
            finished = true;
            done.notify_one();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex);
    done.wait(lock, [&] { return finished; });
}

} // namespace

TransferWorker::TransferWorker(LinkFactory makeLink, QObject *parent) : QObject(parent) {
    qRegisterMetaType<vrx::TransferOutcome>();
    qRegisterMetaType<vrx::TransferPhase>();
    thread_ = new QThread;
    runner_ = new TransferRunner(*this, std::move(makeLink));
    runner_->moveToThread(thread_);
    thread_->start();
}

TransferWorker::~TransferWorker() {
    requestStop();
    // Queued behind a running job: it ends at its next step boundary first.
    QMetaObject::invokeMethod(
        runner_,
        [this] {
            runner_->closeLink();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    thread_->wait();
    delete runner_;
    delete thread_;
}

bool TransferWorker::openPort(QString *error) {
    bool opened = false;
    QString text;
    runAndWait(runner_, [&] { opened = runner_->openLink(&text); });
    if (error)
        *error = text;
    return opened;
}

void TransferWorker::closePort() {
    runAndWait(runner_, [this] { runner_->closeLink(); });
}

bool TransferWorker::isPortOpen() const {
    return runner_->isOpen();
}

bool TransferWorker::start(TransferJob job) {
    if (running_.exchange(true))
        return false;
    stopRequested_ = false;
    auto shared = std::make_shared<TransferJob>(std::move(job));
    {
        // The job is handed over through the mutex.
        const std::lock_guard lock(mutex_);
        pending_ = shared;
    }
    QMetaObject::invokeMethod(
        runner_,
        [this] {
            std::shared_ptr<TransferJob> next;
            {
                const std::lock_guard lock(mutex_);
                next = std::move(pending_);
            }
            runner_->run(*next);
        },
        Qt::QueuedConnection);
    return true;
}

TransferOutcome TransferWorker::waitForFinished() {
    if (running_) {
        QEventLoop loop;
        connect(this, &TransferWorker::finished, &loop, &QEventLoop::quit);
        if (running_)
            loop.exec();
    }
    return outcome();
}

TransferOutcome TransferWorker::outcome() const {
    const std::lock_guard lock(mutex_);
    return outcome_;
}

void TransferWorker::onFinished() {
    running_ = false;
    emit finished(outcome());
}

} // namespace vrx

#include "radio/fleet_run.h"

#include "radio/fleet_report.h"

#include <QDateTime>

namespace vrx {

namespace {

// Why a radio's run did not succeed, in English for the report and as the window says it.
struct Failure {
    QString why;
    QString message;
};

Failure failureOf(const TransferOutcome &outcome, const UiTexts &texts) {
    if (outcome.stopped)
        return {QStringLiteral("stopped"), QString()};
    if (outcome.phase == TransferPhase::Opening)
        return {outcome.portError, outcome.portError};
    if (outcome.backup && !outcome.backup->ok())
        return {QStringLiteral("the before-write backup could not be kept (%1); nothing was "
                               "written")
                    .arg(outcome.backup->error),
                outcome.backup->error};
    const TransferResult &result = outcome.result;
    const QString detail = result.detail.isEmpty() ? result.message(texts) : result.detail;
    switch (outcome.phase) {
    case TransferPhase::BackingUp:
        return {QStringLiteral("the backup read failed (%1); nothing was written").arg(detail),
                result.message(texts)};
    case TransferPhase::Verifying:
        return {QStringLiteral("written, but the read back failed (%1)").arg(detail),
                result.message(texts)};
    default:
        return {detail, result.message(texts)};
    }
}

} // namespace

FleetRun::FleetRun(PortLinks links, QObject *parent) : QObject(parent), links_(std::move(links)) {}

FleetRun::~FleetRun() {
    // The workers stop their jobs and end their threads before the results go.
    requestStop();
    const std::lock_guard lock(workersMutex_);
    workers_.clear();
}

void FleetRun::setPorts(const QList<FleetPort> &ports) {
    if (running_)
        return;
    const std::lock_guard lock(workersMutex_);
    workers_.clear();
    results_.clear();
    for (const FleetPort &port : ports) {
        FleetPortResult result;
        result.port = port;
        result.batch = batch_;
        results_.push_back(result);
    }
    workers_.resize(results_.size());
    batchRows_.clear();
}

QList<FleetPortResult> FleetRun::results() const {
    return QList<FleetPortResult>(results_.begin(), results_.end());
}

bool FleetRun::start(const QList<int> &rows, const FleetSettings &settings) {
    if (running_ || rows.isEmpty())
        return false;
    for (const int row : rows) {
        if (row < 0 || row >= rowCount())
            return false;
    }
    if (settings.sourceRow && (!rows.contains(*settings.sourceRow) || rows.size() < 2))
        return false;
    if (settings.kind == TransferJobKind::Read && settings.sourceRow)
        return false;
    settings_ = settings;
    hasSettings_ = true;
    sourcePlan_.reset();
    if (!settings_.sourceRow)
        sourcePlan_ = settings_.plan;
    for (const int row : rows) {
        if (!batchRows_.contains(row))
            batchRows_ << row;
    }
    std::sort(batchRows_.begin(), batchRows_.end());
    beginRun(rows);
    return true;
}

bool FleetRun::runFailedAgain() {
    const QList<int> rows = failedRows();
    if (running_ || !hasSettings_ || rows.isEmpty())
        return false;
    beginRun(rows);
    return true;
}

void FleetRun::nextBatch() {
    if (running_)
        return;
    ++batch_;
    batchRows_.clear();
    reportPath_.clear();
    reportError_.clear();
    for (size_t row = 0; row < results_.size(); ++row) {
        FleetPortResult cleared;
        cleared.port = results_[row].port;
        cleared.batch = batch_;
        results_[row] = cleared;
        emit rowChanged(int(row));
    }
}

void FleetRun::requestStop() {
    stopRequested_ = true;
    const std::lock_guard lock(workersMutex_);
    for (const std::unique_ptr<TransferWorker> &worker : workers_) {
        if (worker)
            worker->requestStop();
    }
}

void FleetRun::requestStop(int row) {
    const std::lock_guard lock(workersMutex_);
    if (row >= 0 && row < int(workers_.size()) && workers_[size_t(row)])
        workers_[size_t(row)]->requestStop();
}

QList<int> FleetRun::failedRows() const {
    QList<int> rows;
    for (const int row : batchRows_) {
        if (results_[size_t(row)].finished() && !results_[size_t(row)].succeeded())
            rows << row;
    }
    return rows;
}

void FleetRun::beginRun(const QList<int> &rows) {
    running_ = true;
    stopRequested_ = false;
    const QDateTime now = QDateTime::currentDateTime();
    reportPath_ = settings_.reportPath.isEmpty() ? fleetReportPath(settings_.dataFolder, now)
                                                 : settings_.reportPath;
    reportError_.clear();
    pendingWrites_.clear();
    for (const int row : rows) {
        FleetPortResult &result = results_[size_t(row)];
        FleetPortResult fresh;
        fresh.port = result.port;
        fresh.batch = batch_;
        fresh.outcome = FleetOutcome::Running;
        fresh.start = now;
        result = fresh;
        if (row != settings_.sourceRow)
            pendingWrites_ << row;
    }
    for (const int row : rows)
        emit rowChanged(row);

    if (settings_.kind == TransferJobKind::Read) {
        for (const int row : std::exchange(pendingWrites_, {}))
            startRow(row, readJob());
        return;
    }
    if (!sourcePlan_) {
        // Read one, write many: the others wait for the source's plan.
        startRow(*settings_.sourceRow, readJob());
        return;
    }
    startWrites();
}

TransferJob FleetRun::readJob() const {
    TransferJob job;
    job.kind = TransferJobKind::Read;
    job.plan = settings_.plan;
    job.texts = settings_.texts;
    job.stop = settings_.stop;
    return job;
}

TransferJob FleetRun::writeJob() const {
    TransferJob job;
    job.kind = TransferJobKind::Write;
    job.plan = *sourcePlan_;
    job.texts = settings_.texts;
    job.backupFirst = settings_.backupFirst;
    job.verifyAfter = settings_.verifyAfter;
    job.backupFolder = settings_.dataFolder;
    job.stop = settings_.stop;
    return job;
}

void FleetRun::startWrites() {
    const QList<int> rows = std::exchange(pendingWrites_, {});
    for (const int row : rows)
        startRow(row, writeJob());
}

void FleetRun::startRow(int row, TransferJob job) {
    auto worker = std::make_unique<TransferWorker>(links_(results_[size_t(row)].port));
    TransferWorker *raw = worker.get();
    connect(raw, &TransferWorker::progressChanged, this, [this, row](int value, int maximum) {
        results_[size_t(row)].progress = value;
        results_[size_t(row)].progressMax = maximum;
        emit rowChanged(row);
    });
    connect(raw, &TransferWorker::phaseChanged, this, [this, row](TransferPhase phase) {
        results_[size_t(row)].phase = phase;
        emit rowChanged(row);
    });
    connect(raw, &TransferWorker::finished, this,
            [this, row](const TransferOutcome &outcome) { onRowFinished(row, outcome); });
    {
        // The old worker of this row (its run has ended) goes here, its thread with it.
        const std::lock_guard lock(workersMutex_);
        workers_[size_t(row)] = std::move(worker);
    }
    ++active_;
    if (!raw->start(std::move(job))) {
        // Not expected: the worker is new. Counted as a failure so the run still ends.
        TransferOutcome refused;
        refused.portError = QStringLiteral("the transfer could not be started");
        onRowFinished(row, refused);
        return;
    }
    // A stop asked for while the source radio was read reaches the writes too.
    if (stopRequested_)
        raw->requestStop();
}

void FleetRun::onRowFinished(int row, const TransferOutcome &outcome) {
    --active_;
    FleetPortResult &result = results_[size_t(row)];
    result.end = QDateTime::currentDateTime();
    result.phase = outcome.phase;
    result.stopped = outcome.stopped;
    result.skipped = outcome.result.skipped;
    if (outcome.write)
        result.skipped = outcome.write->skipped;
    if (outcome.backup && outcome.backup->ok())
        result.backupFile = outcome.backup->path;
    if (outcome.verify && outcome.verify->readOk()) {
        result.verified = true;
        result.differences = int(outcome.verify->differences.size());
        if (!outcome.verify->differences.isEmpty())
            result.firstDifference = outcome.verify->differences.first().line();
    }

    const bool source = settings_.sourceRow && row == *settings_.sourceRow;
    const bool read = source || settings_.kind == TransferJobKind::Read;
    if (read && outcome.ok())
        result.readPlan = outcome.readPlan;
    if (outcome.ok()) {
        result.outcome = read                    ? FleetOutcome::Read
                         : settings_.verifyAfter ? FleetOutcome::Verified
                                                 : FleetOutcome::Written;
    } else if (result.verified && result.differences > 0) {
        result.outcome = FleetOutcome::Differs;
    } else {
        const Failure failure = failureOf(outcome, settings_.texts);
        result.outcome = FleetOutcome::Failed;
        result.why = failure.why;
        result.message = failure.message;
    }
    emit rowChanged(row);

    if (source) {
        if (outcome.ok()) {
            sourcePlan_ = outcome.readPlan;
            startWrites();
        } else {
            // Nothing to write: the radios waiting for the source fail, and "Run failed
            // again" reads the source again before writing them.
            for (const int waiting : std::exchange(pendingWrites_, {})) {
                FleetPortResult &other = results_[size_t(waiting)];
                other.outcome = FleetOutcome::Failed;
                other.end = result.end;
                other.why = QStringLiteral("the source radio could not be read; nothing was "
                                           "written");
                other.message = result.message;
                emit rowChanged(waiting);
            }
        }
    }
    if (active_ == 0 && pendingWrites_.isEmpty())
        finishRun();
}

void FleetRun::finishRun() {
    if (settings_.kind == TransferJobKind::Write) {
        QList<FleetPortResult> rows;
        for (const int row : batchRows_) {
            rows << results_[size_t(row)];
            rows.back().readPlan.reset();
        }
        QString reason;
        if (!writeFleetReport(reportPath_, rows, &reason))
            reportError_ = reason;
    } else {
        reportPath_.clear();
    }
    running_ = false;
    emit runFinished();
}

} // namespace vrx

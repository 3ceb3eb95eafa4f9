#pragma once

#include "radio/fleet_result.h"
#include "radio/transfer_engine.h"
#include "storage/data_folder.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace vrx {

// What every radio of a fleet gets, kept from batch to batch.
struct FleetSettings {
    // Write (the default), or read every radio (each row's plan then in its result).
    TransferJobKind kind = TransferJobKind::Write;
    // The plan written, or, with sourceRow set, the plan read from the radio on that
    // row first (read once, then written to every other checked row). A read starts
    // from its headers, settings and band lists.
    TransferPlan plan;
    std::optional<int> sourceRow;
    UiTexts texts;
    bool backupFirst = true;
    bool verifyAfter = true;
    // Where the before-write backups and the reports go.
    DataFolder dataFolder{QString()};
    // A report path of the caller's choice; empty: fleet-<time>.csv in the data folder.
    // Reads write no report.
    QString reportPath;
    // Asked on the workers at every step boundary besides requestStop() (thread-safe: the
    // command line's signal flag).
    StopRequest stop;
};

// Programs many radios at once, a worker thread per port, and keeps every radio's result.
// A radio that fails never stops the others. Every run (Start, "Run failed again") writes
// the report of the batch: the radios run in it, each with its latest result.
class FleetRun : public QObject {
    Q_OBJECT
public:
    // Makes the link factory for a port: a serial port for the device, a simulated link
    // in tests. Called on the caller's thread; the factory it returns on the worker's.
    using PortLinks = std::function<LinkFactory(const FleetPort &port)>;

    explicit FleetRun(PortLinks links, QObject *parent = nullptr);
    ~FleetRun() override;

    // The rows, a port each. Not while a run is on.
    void setPorts(const QList<FleetPort> &ports);
    int rowCount() const { return int(results_.size()); }
    const FleetPortResult &result(int row) const { return results_[size_t(row)]; }
    QList<FleetPortResult> results() const;

    // Starts every row in `rows` at once (a source row first, the others once it has been
    // read). False when a run is on, no row is given, or the source row is not among them.
    bool start(const QList<int> &rows, const FleetSettings &settings);
    // Starts again, with the same settings, only the rows of this batch that did not
    // succeed. False when none failed or a run is on.
    bool runFailedAgain();
    // The next set of radios: the results are cleared and the batch count goes up. The
    // caller keeps its settings for the next start; a source radio is read again then.
    void nextBatch();

    // From any thread: every running radio stops at its next step boundary.
    void requestStop();
    // Only the radio on `row`.
    void requestStop(int row);

    bool isRunning() const { return running_; }
    int batch() const { return batch_; }
    // Rows of this batch that did not succeed.
    QList<int> failedRows() const;
    // The report of the last run, and why it could not be written (empty when it was).
    QString reportPath() const { return reportPath_; }
    QString reportError() const { return reportError_; }

signals:
    // A row's phase, gauge or result changed.
    void rowChanged(int row);
    // Every radio of the run has finished and the report is written.
    void runFinished();

private:
    void beginRun(const QList<int> &rows);
    void startRow(int row, TransferJob job);
    void startWrites();
    void onRowFinished(int row, const TransferOutcome &outcome);
    void finishRun();
    TransferJob writeJob() const;
    TransferJob readJob() const;

    PortLinks links_;
    std::vector<FleetPortResult> results_;
    // Guarded: requestStop() may come from any thread.
    std::mutex workersMutex_;
    std::vector<std::unique_ptr<TransferWorker>> workers_;
    FleetSettings settings_;
    // The plan written in this batch: the settings' plan, or the one the source read.
    std::optional<TransferPlan> sourcePlan_;
    QList<int> batchRows_;
    QList<int> pendingWrites_;
    int active_ = 0;
    int batch_ = 1;
    bool running_ = false;
    bool hasSettings_ = false;
    std::atomic<bool> stopRequested_ = false;
    QString reportPath_;
    QString reportError_;
};

} // namespace vrx

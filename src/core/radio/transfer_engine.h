#pragma once

#include "channels/channel_table.h"
#include "i18n/ui_texts.h"
#include "radio/serial_link.h"
#include "radio/transfer.h"
#include "radio/verify.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"
#include "storage/backups.h"
#include "storage/channel_plan.h"
#include "storage/data_folder.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class QThread;

namespace vrx {

// A link to one port, made on the worker thread that will use it: a serial port object
// belongs to the thread that created it.
using LinkFactory = std::function<std::unique_ptr<SerialLink>()>;

// Everything a transfer needs of a plan, as plain values: table, settings and band
// lists are objects of the thread that owns them, so a worker rebuilds its own.
struct TransferPlan {
    std::array<QString, kColumnCount> headers;
    ChannelRows rows;
    OptionIndexes options = defaultOptionIndexes();
    DriveValues drives = defaultDriveValues();
    std::array<QStringList, kOptionCount> optionEntries;
    std::array<QStringList, kBandListCount> bandEntries;
    std::array<int, kBandListCount> bandSelected{-1, -1, -1, -1};

    static TransferPlan capture(const ChannelTable &table, const RadioSettings &settings,
                                const BandPlan &bands);
    void applyTo(ChannelTable &table, RadioSettings &settings, BandPlan &bands) const;
    // As a channel file holds it, with the option texts of its own entries.
    ChannelPlan channelPlan() const;
};

enum class TransferJobKind { Read, Write };

// What the engine is doing; a write with both options passes BackingUp, Writing and
// Verifying in turn.
enum class TransferPhase { Opening, Reading, BackingUp, Writing, Verifying, Done };

struct TransferJob {
    TransferJobKind kind = TransferJobKind::Read;
    // The plan written, and for a read the headers, settings and band lists the plan
    // read starts from (its channels start empty).
    TransferPlan plan;
    UiTexts texts;
    // Write only: read the radio first and keep that plan as a before-write backup in
    // `backupFolder` (nothing is written when either fails); read it back afterwards and
    // compare.
    bool backupFirst = false;
    bool verifyAfter = false;
    std::optional<DataFolder> backupFolder;
    // A write that the radio let skip steps goes no further (no verification): the
    // command line's --strict.
    bool stopWhenSkipped = false;
    // Asked with the engine's own stop request at every step boundary, on the worker
    // thread; must be thread-safe (a signal flag of the command line).
    StopRequest stop;
};

// How far a job got.
struct TransferOutcome {
    // The phase it ended in: Done when everything succeeded, else the phase that failed
    // or was stopped.
    TransferPhase phase = TransferPhase::Opening;
    // Opening: the port could not be opened, with the port's text.
    QString portError;
    // The result of the last exchange run (the read, the backup read, the write or the
    // verification's read back).
    TransferResult result;
    // A stop request ended it (at a step boundary, the end command sent).
    bool stopped = false;
    // The plan a read (or the backup read) took: channels not reached are empty.
    TransferPlan readPlan;
    // The channels the read (or backup read) completed, 1..readChannels.
    int readChannels = 0;
    // The before-write backup: its read's result, and its path once kept or why it
    // could not be.
    std::optional<TransferResult> backupRead;
    std::optional<BackupResult> backup;
    // The write's own result once it ran (also when a verification followed).
    std::optional<TransferResult> write;
    std::optional<VerifyResult> verify;

    bool ok() const { return phase == TransferPhase::Done; }
};

class TransferRunner;

// One port's transfers on a worker thread of their own. The worker makes the link with
// the factory, opens it, and runs each started job on it; progress, phase and the end
// reach the caller as queued signals (emitted on the caller's thread). Several workers
// run side by side, one per port.
class TransferWorker : public QObject {
    Q_OBJECT
public:
    explicit TransferWorker(LinkFactory makeLink, QObject *parent = nullptr);
    // Stops a running job at its next step boundary, closes the port and ends the thread.
    ~TransferWorker() override;

    TransferWorker(const TransferWorker &) = delete;
    TransferWorker &operator=(const TransferWorker &) = delete;

    // Opens the port on the worker and keeps it open until closePort() (a transfer
    // window holds its port while it is shown). Waits for the answer; false with the
    // port's text in `error`.
    bool openPort(QString *error = nullptr);
    void closePort();
    bool isPortOpen() const;

    // Starts `job`; false when one is still running. A job on a port that is not open
    // opens it first and closes it again at its end.
    bool start(TransferJob job);
    bool isRunning() const { return running_; }
    // From any thread: the running job stops at its next step boundary.
    void requestStop() { stopRequested_ = true; }
    bool stopRequested() const { return stopRequested_; }

    // Runs the caller's events until the running job has finished; its outcome.
    TransferOutcome waitForFinished();
    // The last finished job's outcome.
    TransferOutcome outcome() const;

signals:
    void progressChanged(int value, int maximum);
    void phaseChanged(vrx::TransferPhase phase);
    void finished(const vrx::TransferOutcome &outcome);

private:
    friend class TransferRunner;
    void onFinished();

    QThread *thread_ = nullptr;
    TransferRunner *runner_ = nullptr;
    std::atomic<bool> running_ = false;
    std::atomic<bool> stopRequested_ = false;
    mutable std::mutex mutex_;
    std::shared_ptr<TransferJob> pending_;
    TransferOutcome outcome_;
};

// Runs `job` on the calling thread over an open link: the phase sequence the worker
// runs (for tests and callers that have a thread of their own). `phase` is told of each
// phase as it begins.
TransferOutcome runTransferJob(SerialLink &link, const TransferJob &job,
                               const TransferProgress &progress,
                               const std::function<void(TransferPhase)> &phase,
                               const StopRequest &stop);

} // namespace vrx

Q_DECLARE_METATYPE(vrx::TransferOutcome)
Q_DECLARE_METATYPE(vrx::TransferPhase)

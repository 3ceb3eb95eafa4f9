#include "radio/guarded_transfer.h"

#include "files/safety_actions.h"
#include "radio/radio_actions.h"
#include "radio/transfer_dialog.h"
#include "radio/transfer_texts.h"
#include "shell/main_window.h"

#include <QDir>
#include <QProgressBar>

namespace vrx {

namespace {

// Joins the paragraphs of a message, leaving out empty ones.
QString paragraphs(const QStringList &parts) {
    QStringList kept;
    for (const QString &part : parts) {
        if (!part.isEmpty())
            kept << part;
    }
    return kept.join(QStringLiteral("\n\n"));
}

QString nativePath(const QString &path) {
    return QDir::toNativeSeparators(path);
}

// A failed or stopped read: the window keeps its plan; the channels got so far go into
// the backups folder, and the message says how far the read got and where they are.
QString readFailure(MainWindow &window, const TransferOutcome &outcome) {
    const TransferTexts &texts = window.radioActions().texts();
    QStringList parts{outcome.stopped ? texts.msgTransferStopped
                                      : outcome.result.message(window.texts()),
                      texts.msgReadGotChannels.arg(outcome.readChannels)};
    if (outcome.readChannels > 0) {
        const std::optional<DataFolder> folder = window.safetyActions().dataFolder();
        if (folder) {
            const BackupResult kept =
                saveBackup(*folder, BackupKind::PartialRead, outcome.readPlan.channelPlan());
            parts << (kept.ok() ? texts.msgPartialReadKept.arg(nativePath(kept.path))
                                : window.safetyActions().texts().msgBackupFailed.arg(kept.error));
        }
    }
    return paragraphs(parts);
}

QString writtenSoFar(const TransferTexts &texts, const TransferResult &result) {
    const int done = result.completedChannels;
    if (done <= 0)
        return texts.msgRadioHoldsNone;
    if (done < kChannelCount)
        return texts.msgRadioHoldsChannels.arg(done);
    return texts.msgRadioHoldsAll;
}

// An interrupted or failed write: what the radio holds now and how to put its old plan
// back.
QString writeFailure(MainWindow &window, const TransferOutcome &outcome) {
    const TransferTexts &texts = window.radioActions().texts();
    QString recovery = texts.msgBackupNextTime;
    if (outcome.backup && outcome.backup->ok()) {
        const QString path = nativePath(outcome.backup->path);
        recovery = texts.msgRestoreFromBackup.arg(
            path, QStringLiteral("vrxctl write --in \"%1\" --port %2")
                      .arg(path, window.portDevice(window.currentPort())));
    }
    return paragraphs(
        {outcome.stopped ? texts.msgTransferStopped : outcome.result.message(window.texts()),
         writtenSoFar(texts, outcome.result), recovery});
}

GuardedOutcome interpret(MainWindow &window, const TransferOutcome &outcome) {
    GuardedOutcome guarded;
    const SafetyTexts &safety = window.safetyActions().texts();
    const TransferTexts &texts = window.radioActions().texts();
    UiTexts &ui = window.texts();
    switch (outcome.phase) {
    case TransferPhase::Opening:
        guarded.failure = ui.msgPortOpenFailed;
        break;
    case TransferPhase::Reading:
        guarded.failure = readFailure(window, outcome);
        break;
    case TransferPhase::BackingUp:
        if (outcome.stopped)
            guarded.failure = paragraphs({texts.msgTransferStopped, texts.msgNothingWritten});
        else if (!outcome.result.ok())
            guarded.failure = outcome.result.message(ui);
        else
            guarded.failure = safety.msgBackupFirstFailed.arg(
                window.safetyActions().dataFolder() ? outcome.backup->error : QString());
        break;
    case TransferPhase::Writing:
        if (outcome.stopped && !outcome.write)
            guarded.failure = paragraphs({texts.msgTransferStopped, texts.msgNothingWritten});
        else if (outcome.result.status == TransferStatus::InvalidChannel)
            guarded.failure = outcome.result.message(ui); // refused before anything was sent
        else
            guarded.failure = writeFailure(window, outcome);
        break;
    case TransferPhase::Verifying:
        guarded.skippedNotice = outcome.write->notice(ui);
        if (outcome.stopped)
            guarded.failure = texts.msgVerifyStopped;
        else if (!outcome.verify->readOk())
            guarded.failure = safety.msgVerifyReadFailed;
        else
            guarded.failure = safety.msgVerifyDifferent + QStringLiteral("\n\n") +
                              differenceLines(outcome.verify->differences).join(u'\n');
        break;
    case TransferPhase::Done:
        if (outcome.write) {
            guarded.skippedNotice = outcome.write->notice(ui);
            guarded.verified = outcome.verify.has_value();
        } else {
            guarded.skippedNotice = outcome.result.notice(ui);
            guarded.readPlan = outcome.readPlan;
        }
        break;
    }
    return guarded;
}

} // namespace

GuardedOutcome runGuardedTransfer(MainWindow &window, TransferDialog &dialog,
                                  TransferWorker &worker) {
    const SafetyTexts &texts = window.safetyActions().texts();
    const bool reading = dialog.kind() == TransferKind::Read;
    const bool phased = dialog.backupFirst() || dialog.verifyAfter();

    TransferJob job;
    job.kind = reading ? TransferJobKind::Read : TransferJobKind::Write;
    job.plan = TransferPlan::capture(window.table(), window.settings(), window.bandPlan());
    job.texts = window.texts();
    job.backupFirst = dialog.backupFirst();
    job.verifyAfter = dialog.verifyAfter();
    job.backupFolder = window.safetyActions().dataFolder();

    // Signals of this run only.
    const QObject run;
    QObject::connect(&worker, &TransferWorker::progressChanged, &run,
                     [&dialog](int value, int) { dialog.setProgress(value); });
    QObject::connect(&worker, &TransferWorker::phaseChanged, &run, [&](TransferPhase phase) {
        const auto show = [&](const QString &name, int maximum) {
            if (phased)
                dialog.setPhase(name);
            dialog.gauge()->setMaximum(maximum);
            dialog.setProgress(0);
        };
        if (phase == TransferPhase::BackingUp)
            show(texts.phaseBackingUp, kReadProgressMax);
        else if (phase == TransferPhase::Writing)
            show(texts.phaseWriting, kWriteProgressMax);
        else if (phase == TransferPhase::Verifying)
            show(texts.phaseVerifying, kReadProgressMax);
    });
    QObject::connect(&dialog, &TransferDialog::stopRequested, &run,
                     [&worker] { worker.requestStop(); });
    worker.start(job);
    return interpret(window, worker.waitForFinished());
}

} // namespace vrx

#include "radio/guarded_transfer.h"

#include "files/safety_actions.h"
#include "radio/transfer_dialog.h"
#include "radio/verify.h"
#include "shell/main_window.h"
#include "storage/channel_plan.h"

#include <QProgressBar>

namespace vrx {

namespace {

GuardedOutcome readAndBackUp(MainWindow &window, SerialLink &link,
                             const TransferProgress &progress) {
    GuardedOutcome outcome;
    const TransferResult result =
        readRadio(link, window.table(), window.settings(), window.texts(), progress);
    if (!result.ok()) {
        outcome.failure = result.message(window.texts());
        return outcome;
    }
    outcome.skippedNotice = result.notice(window.texts());
    outcome.notice = window.safetyActions().backUp(
        BackupKind::Read, capturePlan(window.table(), window.settings(), window.bandPlan()));
    return outcome;
}

GuardedOutcome writeInPhases(MainWindow &window, TransferDialog &dialog, SerialLink &link,
                             const TransferProgress &progress) {
    GuardedOutcome outcome;
    SafetyActions &safety = window.safetyActions();
    const SafetyTexts &texts = safety.texts();
    UiTexts &ui = window.texts();
    const bool phased = dialog.backupFirst() || dialog.verifyAfter();

    if (dialog.backupFirst()) {
        dialog.setPhase(texts.phaseBackingUp);
        dialog.gauge()->setMaximum(kReadProgressMax);
        // A plan of its own: the window's plan is what will be written.
        ChannelTable radioTable;
        RadioSettings radioSettings;
        for (int col = 0; col < kColumnCount; ++col)
            radioTable.setHeader(col, window.table().header(col));
        const TransferResult read = readRadio(link, radioTable, radioSettings, ui, progress);
        if (!read.ok()) {
            outcome.failure = read.message(ui);
            return outcome;
        }
        ChannelPlan before = capturePlan(radioTable, radioSettings, window.bandPlan());
        // The entry texts of the current language, as every file of this run has them.
        for (int i = 0; i < kOptionCount; ++i)
            before.optionTexts[i] = window.settings().entries(optionAt(i)).value(before.options[i]);
        const QString failed = safety.backUp(BackupKind::BeforeWrite, before);
        if (!failed.isEmpty() || !safety.dataFolder()) {
            // The radio's plan would be gone with nowhere to go back to.
            outcome.failure = texts.msgBackupFirstFailed.arg(failed);
            return outcome;
        }
    }

    if (phased)
        dialog.setPhase(texts.phaseWriting);
    dialog.gauge()->setMaximum(kWriteProgressMax);
    dialog.setProgress(0);
    const TransferResult write =
        writeRadio(link, window.table(), window.settings(), window.bandPlan(), ui, progress);
    if (!write.ok()) {
        outcome.failure = write.message(ui);
        return outcome;
    }
    outcome.skippedNotice = write.notice(ui);

    if (dialog.verifyAfter()) {
        dialog.setPhase(texts.phaseVerifying);
        dialog.gauge()->setMaximum(kReadProgressMax);
        dialog.setProgress(0);
        const std::optional<WrittenImage> image =
            writtenImage(window.table(), window.settings(), ui);
        const VerifyResult verify = verifyWrite(link, *image, ui, progress);
        if (!verify.readOk()) {
            outcome.failure = texts.msgVerifyReadFailed;
        } else if (!verify.ok()) {
            outcome.failure = texts.msgVerifyDifferent + QStringLiteral("\n\n") +
                              differenceLines(verify.differences).join(u'\n');
        } else {
            outcome.verified = true;
        }
    }
    return outcome;
}

} // namespace

GuardedOutcome runGuardedTransfer(MainWindow &window, TransferDialog &dialog, SerialLink &link) {
    const TransferProgress progress = [&dialog](int value, int) { dialog.setProgress(value); };
    return dialog.kind() == TransferKind::Read ? readAndBackUp(window, link, progress)
                                               : writeInPhases(window, dialog, link, progress);
}

} // namespace vrx

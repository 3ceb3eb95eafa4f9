#include "radio/radio_actions.h"

#include "dialogs/warning_dialog.h"
#include "edit/edit_actions.h"
#include "files/plan_document.h"
#include "files/safety_actions.h"
#include "radio/doctor_actions.h"
#include "radio/guarded_transfer.h"
#include "radio/port_diagnosis.h"
#include "radio/service.h"
#include "radio/transfer.h"
#include "radio/transfer_dialog.h"
#include "shell/main_window.h"
#include "storage/channel_plan.h"

#include <QLabel>
#include <QPushButton>

namespace vrx {

RadioActions::~RadioActions() = default;

void RadioActions::showFailure(const QString &message, const QStringList &details) {
    WarningDialog *warning = window_.warningDialog();
    if (!warning)
        return;
    // Below the no-response message, what the line did and what helps go with the
    // other details; the connection doctor is offered.
    const QString noResponse = window_.texts().msgNoResponse;
    const bool silentRadio = message == noResponse || message.startsWith(noResponse + u'\n');
    const QStringList lines = silentRadio
                                  ? message.mid(noResponse.size()).split(u'\n', Qt::SkipEmptyParts)
                                  : QStringList();
    warning->showMessage(window_.texts().msgFailureTitle, silentRadio ? noResponse : message,
                         DialogMode::Notice, lines + details);
    if (silentRadio) {
        warning->offer(window_.shellTexts().doctor.offerTest, [this] {
            // The transfer window holds the port; the test needs it.
            if (TransferDialog *transfer = window_.transferDialog();
                transfer && transfer->isVisible())
                transfer->close();
            window_.doctorActions().testCurrentPort();
        });
    }
}

void RadioActions::showPortFailure(const QString &device, const QString &error) {
    PortDiagnosis diagnosis;
    if (transferWorker_) {
        // The transfer window (still up after a failed run) holds the port: no cable
        // problem to look for.
        diagnosis.fault = PortFault::HeldByThisProgram;
        diagnosis.device = device;
    } else {
        diagnosis = window_.environment().diagnosePort(device, error);
    }
    showFailure(window_.texts().msgPortOpenFailed,
                portDiagnosisLines(diagnosis, window_.shellTexts().port, window_.currentPort()));
}

void RadioActions::startTransfer(TransferKind kind) {
    TransferDialog *transfer = window_.transferDialog();
    if (!transfer || !window_.finishEditing())
        return;
    const AppEnvironment &env = window_.environment();
    const QString device = window_.portDevice(window_.currentPort());
    // The port is probed before the dialog comes up, so a missing or busy port is reported
    // before any transfer starts. The open transfer dialog holds its port too.
    QString error;
    if (transferWorker_ || !env.probePort(device, &error)) {
        showPortFailure(device, error);
        return;
    }
    // The link is made on the worker's thread, which owns it from then on.
    auto worker = std::make_unique<TransferWorker>(
        [makeLink = env.makeLink, device] { return makeLink(device); });
    if (!worker->openPort(&error)) {
        showPortFailure(device, error);
        return;
    }
    transferWorker_ = std::move(worker);
    const bool read = kind == TransferKind::Read;
    const UiTexts &texts = window_.texts();
    transfer->prepare(kind, read ? texts.captionRead : texts.captionWrite);
    transfer->setWriteOptions(window_.appSettings().writeBackup, window_.appSettings().writeVerify);
    transfer->showBlocking();
}

void RadioActions::runTransfer() {
    TransferDialog *transfer = window_.transferDialog();
    if (!transfer || !transferWorker_ || transfer->isRunning())
        return;
    // A closed failure notice may have freed the main window; nothing there may change
    // the plan while the exchange runs (the window's events flow meanwhile).
    window_.setEnabled(false);
    transfer->setRunning(true);
    transfer->setProgress(0);
    rememberWriteOptions();
    GuardedOutcome outcome = runGuardedTransfer(window_, *transfer, *transferWorker_);
    if (outcome.readPlan) {
        // A read replaces channels and settings: one step, and only when it succeeded.
        const TransferPlan &plan = *outcome.readPlan;
        window_.editActions().step(
            PackId::StepReadRadio,
            [&] {
                window_.table().setRows(plan.rows);
                window_.settings().setIndexes(plan.options);
            },
            StepScope::Everything);
        // The plan now is the radio's: not modified, and named so in the title.
        window_.planDocument().markRead();
        outcome.notice = window_.safetyActions().backUp(
            BackupKind::Read, capturePlan(window_.table(), window_.settings(), window_.bandPlan()));
    }
    transfer->setRunning(false);
    const SafetyTexts &safety = window_.safetyActions().texts();
    if (outcome.verified)
        transfer->setStatusText(safety.statusVerified);
    // A phase shown during the run gives way to how the run ended.
    if (!transfer->phaseLabel()->text().isEmpty())
        transfer->setPhase(!outcome.failure.isEmpty() ? safety.phaseNotFinished
                           : outcome.verified         ? safety.phaseVerified
                                                      : safety.phaseWritten);
    if (!outcome.failure.isEmpty()) {
        showFailure(outcome.failure);
    } else if (!outcome.notice.isEmpty()) {
        showFailure(outcome.skippedNotice.isEmpty()
                        ? outcome.notice
                        : outcome.notice + QStringLiteral("\n\n") + outcome.skippedNotice);
    } else if (!outcome.skippedNotice.isEmpty()) {
        // The run succeeded, but the user must know what it did not do.
        if (WarningDialog *warning = window_.warningDialog())
            warning->showMessage(window_.texts().msgNoticeTitle, outcome.skippedNotice,
                                 DialogMode::Notice);
    }
}

void RadioActions::rememberWriteOptions() {
    TransferDialog *transfer = window_.transferDialog();
    if (!transfer || transfer->kind() != TransferKind::Write)
        return;
    window_.appSettings().writeBackup = transfer->backupFirst();
    window_.appSettings().writeVerify = transfer->verifyAfter();
}

void RadioActions::closeTransferLink() {
    rememberWriteOptions();
    // Ends the worker's thread; the port is closed there.
    transferWorker_.reset();
}

void RadioActions::runService(ServiceAction action) {
    QPushButton *button = window_.servicePanel()->button(action);
    RadioSettings &settings = window_.settings();
    if (action == ServiceAction::DefaultPowerDrive) {
        defaultPowerDrive(settings);
        return;
    }
    // Only the operation's own button is held while it runs.
    button->setEnabled(false);
    const AppEnvironment &env = window_.environment();
    const QString device = window_.portDevice(window_.currentPort());
    QString error;
    if (!env.probePort(device, &error)) {
        showPortFailure(device, error);
    } else {
        const std::unique_ptr<SerialLink> link = env.makeLink(device);
        ServiceResult result;
        switch (action) {
        case ServiceAction::ReadPowerDrive:
            result = readPowerDrive(*link, settings);
            break;
        case ServiceAction::WritePowerDrive:
            result = writePowerDrive(*link, settings);
            break;
        case ServiceAction::StartAging:
            result = startAging(*link);
            break;
        case ServiceAction::DefaultPowerDrive:
            break;
        }
        if (result.status == ServiceStatus::PortOpenFailed)
            showPortFailure(device, link->errorString());
        else if (result.failed())
            showFailure(result.message(window_.texts()));
    }
    button->setEnabled(true);
}

} // namespace vrx

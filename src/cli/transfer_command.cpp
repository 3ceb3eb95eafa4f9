#include "transfer_command.h"

#include "backup_report.h"
#include "cli_environment.h"
#include "command_line.h"
#include "console.h"
#include "exit_status.h"
#include "fleet_command.h"
#include "interrupt_guard.h"
#include "radio_session.h"
#include "terminal_progress.h"

#include "channels/channel_table.h"
#include "i18n/language_pack.h"
#include "i18n/language_switch.h"
#include "i18n/ui_texts.h"
#include "i18n/value_translation.h"
#include "radio/qt_serial_link.h"
#include "radio/transfer.h"
#include "radio/transfer_engine.h"
#include "radio/verify.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"
#include "storage/app_settings.h"
#include "storage/channel_file.h"
#include "storage/channel_plan.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace vrx {

namespace {

enum class Direction { Read, Write };

void reportSkipped(const TransferResult &result) {
    for (const QString &step : result.skipped)
        printError(QStringLiteral("note: skipped %1").arg(step));
}

int interrupted(const QString &whatHappened) {
    printError(QStringLiteral("interrupted: %1").arg(whatHappened));
    return ExitInterrupted;
}

QString phaseLabel(TransferPhase phase, const Workspace &ws) {
    switch (phase) {
    case TransferPhase::Reading:
        return ws.texts.captionRead;
    case TransferPhase::BackingUp:
        return QStringLiteral("backing up");
    case TransferPhase::Writing:
        return ws.texts.captionWrite;
    case TransferPhase::Verifying:
        return QStringLiteral("verifying");
    case TransferPhase::Opening:
    case TransferPhase::Done:
        break;
    }
    return {};
}

// Runs `job` on the worker with a progress bar for each phase in turn.
TransferOutcome runWithProgress(TransferWorker &worker, const TransferJob &job,
                                const Workspace &ws) {
    std::optional<TerminalProgress> bar;
    const QObject context;
    QObject::connect(&worker, &TransferWorker::phaseChanged, &context, [&](TransferPhase phase) {
        bar.reset();
        const QString label = phaseLabel(phase, ws);
        if (!label.isEmpty())
            bar.emplace(label,
                        phase == TransferPhase::Writing ? kWriteProgressMax : kReadProgressMax);
    });
    QObject::connect(&worker, &TransferWorker::progressChanged, &context, [&](int value, int) {
        if (bar)
            bar->setValue(value);
    });
    worker.start(job);
    return worker.waitForFinished();
}

// What the channels read so far are worth after a failed or stopped read: a backup of
// their own, named on stderr.
void keepPartialRead(const TransferOutcome &outcome) {
    printError(QStringLiteral("the read got %1 of %2 channels; no file was written")
                   .arg(outcome.readChannels)
                   .arg(kChannelCount));
    if (outcome.readChannels > 0)
        backUpPlan(BackupKind::PartialRead, outcome.readPlan.channelPlan());
}

int readFailed(const TransferOutcome &outcome, const Workspace &ws) {
    const int status = outcome.stopped
                           ? interrupted(QStringLiteral("the read stopped after %1 of %2 channels")
                                             .arg(outcome.readChannels)
                                             .arg(kChannelCount))
                           : failRadio(outcome.result.message(ws.texts), outcome.result.detail);
    keepPartialRead(outcome);
    return status;
}

// A write that did not complete: what the radio holds now and how to go back.
int writeFailed(const TransferOutcome &outcome, const Workspace &ws, const QString &port) {
    const TransferResult &result = outcome.result;
    const int status = outcome.stopped ? interrupted(writtenSoFar(result))
                                       : failRadio(result.message(ws.texts), result.detail);
    if (!outcome.stopped && result.completedChannels > 0)
        printError(writtenSoFar(result));
    for (const QString &line : recoveryLines(outcome.backup, port))
        printError(line);
    return status;
}

// The backup read or keeping its plan failed: nothing was written.
int backupFailed(const TransferOutcome &outcome, const Workspace &ws) {
    if (outcome.stopped)
        return interrupted(QStringLiteral("during the backup read; nothing was written"));
    if (!outcome.result.ok()) {
        failRadio(outcome.result.message(ws.texts), outcome.result.detail);
        printError(QStringLiteral("the backup read failed; nothing was written"));
        return ExitRadioFailed;
    }
    printError(QStringLiteral("no backup was kept: %1").arg(outcome.backup->error));
    // The radio's plan would be lost with nowhere to go back to.
    printError(QStringLiteral("nothing was written, since the radio's plan could not be kept"));
    return ExitRadioFailed;
}

int verifyOutcome(const TransferOutcome &outcome, const Workspace &ws) {
    if (outcome.stopped)
        return interrupted(QStringLiteral("the write is complete; its verification was not"));
    const VerifyResult &result = *outcome.verify;
    if (!result.readOk()) {
        failRadio(result.readBack.message(ws.texts), result.readBack.detail);
        printError(QStringLiteral("the write is complete, but the radio could not be read back "
                                  "to verify it"));
        return ExitRadioFailed;
    }
    if (!result.ok()) {
        for (const QString &line : differenceLines(result.differences))
            printOut(line + u'\n');
        printError(QStringLiteral("verify failed: %1 fields differ from what was written (%2)")
                       .arg(result.differences.size())
                       .arg(kVerifyNotReadBack));
        return ExitVerifyFailed;
    }
    printErr(QStringLiteral("verified: the radio holds the %1 channels and the settings as "
                            "written; %2\n")
                 .arg(kChannelCount)
                 .arg(kVerifyNotReadBack));
    return ExitOk;
}

int transferCommand(const QStringList &arguments, Direction direction) {
    const bool reading = direction == Direction::Read;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        reading
            ? QStringLiteral(
                  "vrxctl read --port PORT --out FILE.vrx [--lang chn|eng] "
                  "[--settings FILE] [--no-backup] [--strict]\nReads the radio into a channel "
                  "file and keeps a "
                  "copy in the backups folder.\n"
                  "vrxctl read --port P1 --port P2 ... --out-dir DIR [...]\nReads every radio "
                  "at once, a file per port in DIR.")
            : QStringLiteral("vrxctl write --port PORT --in FILE.vrx [--lang chn|eng] "
                             "[--settings FILE] [--backup] [--verify] [--strict]\nWrites a channel "
                             "file into the radio.\n"
                             "vrxctl write --port P1 --port P2 ... --in FILE.vrx [--backup] "
                             "[--verify] [--report FILE.csv] [...]\nWrites it into every radio "
                             "at once and keeps a report (exit 0: all succeeded, 3: a verify "
                             "found a difference, 1: otherwise)."));
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Device path, or COM1..COM4 from the settings file; give it once a "
                       "radio to program several at once."),
        QStringLiteral("PORT"));
    const QCommandLineOption fileOption(reading ? QStringLiteral("out") : QStringLiteral("in"),
                                        reading ? QStringLiteral("Channel file to write.")
                                                : QStringLiteral("Channel file to send."),
                                        QStringLiteral("FILE.vrx"));
    const QCommandLineOption langOption(
        QStringLiteral("lang"),
        QStringLiteral("Language of the value texts and messages (default: as the GUI "
                       "chooses)."),
        QStringLiteral("chn|eng"));
    const QCommandLineOption settingsOption = settingsFileOption();
    const QCommandLineOption strictOption(
        QStringLiteral("strict"),
        QStringLiteral("Fail (exit 1, no file written) when the radio let any step be skipped."));
    const QCommandLineOption noBackupOption(
        QStringLiteral("no-backup"),
        QStringLiteral("Keep no copy of the plan read in the backups folder."));
    const QCommandLineOption backupOption(
        QStringLiteral("backup"),
        QStringLiteral("Read the radio into the backups folder first; nothing is written "
                       "when that fails."));
    const QCommandLineOption verifyOption(
        QStringLiteral("verify"),
        QStringLiteral("Read the radio back after the write and compare (exit status 3 on a "
                       "difference)."));
    const QCommandLineOption outDirOption(
        QStringLiteral("out-dir"),
        QStringLiteral("Read every --port into this folder, a file per port (ttyUSB0.vrx)."),
        QStringLiteral("DIR"));
    const QCommandLineOption reportOption(
        QStringLiteral("report"),
        QStringLiteral("With several --port: the report's file (default: fleet-<time>.csv in "
                       "the data folder)."),
        QStringLiteral("FILE.csv"));
    parser.addOptions({portOption, fileOption, langOption, settingsOption, strictOption});
    if (reading)
        parser.addOptions({noBackupOption, outDirOption});
    else
        parser.addOptions({backupOption, verifyOption, reportOption});
    if (const int status = parseCommand(parser, arguments, 0); status >= 0)
        return status;

    const QStringList ports = parser.values(portOption);
    if (ports.isEmpty() || ports.contains(QString()))
        return usageError(parser, QStringLiteral("--port is required"));
    const bool fleet = ports.size() > 1 || (reading && parser.isSet(outDirOption)) ||
                       (!reading && parser.isSet(reportOption));
    if (reading && fleet) {
        if (parser.isSet(fileOption))
            return usageError(parser, QStringLiteral("--out and --out-dir exclude each other"));
        if (parser.value(outDirOption).isEmpty())
            return usageError(parser, QStringLiteral("--out-dir is required with several "
                                                     "--port"));
    } else if (!parser.isSet(fileOption) || parser.value(fileOption).isEmpty()) {
        return usageError(parser,
                          QStringLiteral("--%1 is required").arg(fileOption.names().first()));
    }
    const QString languageName =
        parser.isSet(langOption) ? parser.value(langOption) : defaultLanguageName();
    if (!languageFromName(languageName))
        return usageError(
            parser, QStringLiteral("unknown language \"%1\" (use chn or eng)").arg(languageName));

    QString error;
    const std::optional<AppSettings> appSettings =
        loadToolSettings(parser.value(settingsOption), &error);
    if (!appSettings) {
        printError(error);
        return ExitUsage;
    }
    Workspace ws;
    ws.prepare(*appSettings, languageName);
    if (reading && fleet)
        return runFleetRead(ports, *appSettings, ws,
                            {parser.value(outDirOption), !parser.isSet(noBackupOption),
                             parser.isSet(strictOption)});

    const QString device = resolvePort(parser.value(portOption), *appSettings, &error);
    if (device.isEmpty()) {
        printError(error);
        return ExitUsage;
    }
    const QString file = parser.value(fileOption);

    if (reading) {
        // Refuse before talking to the radio rather than lose a whole read at the end.
        const QFileInfo target(file);
        if (!target.absoluteDir().exists() || target.isDir()) {
            printError(
                QStringLiteral("cannot write %1: no such folder, or it is a folder").arg(file));
            return ExitUsage;
        }
    } else {
        const ChannelFileLoad load = loadChannelFile(file);
        if (!load.ok()) {
            printError(load.error);
            return ExitUsage;
        }
        // As opening the file in the GUI: the band text is selected (or added) in
        // Band1Rx, and the value texts are brought into the current language.
        applyPlan(*load.plan, ws.table, ws.settings, ws.bands);
        translateValueCells(ws.table, ws.texts);
        const TransferResult check = validateForWrite(ws.table, ws.texts);
        if (!check.ok()) {
            printError(
                QStringLiteral("%1: %2 (%3)").arg(file, check.message(ws.texts), check.detail));
            return ExitUsage;
        }
        if (fleet)
            return runFleetWrite(ports, *appSettings, ws,
                                 {parser.isSet(backupOption), parser.isSet(verifyOption),
                                  parser.isSet(strictOption), parser.value(reportOption)});
    }

    // From before the port opens, so that no signal can leave the radio in clone mode.
    const InterruptGuard interrupts;
    TransferWorker worker([device] { return std::make_unique<QtSerialLink>(device); });
    if (const int status = openPort(worker, device, ws, comItemNumber(parser.value(portOption)));
        status != ExitOk)
        return status;

    TransferJob job;
    job.kind = reading ? TransferJobKind::Read : TransferJobKind::Write;
    job.plan = TransferPlan::capture(ws.table, ws.settings, ws.bands);
    job.texts = ws.texts;
    job.stop = interrupts.stopRequest();
    if (!reading) {
        job.backupFirst = parser.isSet(backupOption);
        job.verifyAfter = parser.isSet(verifyOption);
        job.backupFolder = DataFolder::standard();
        job.stopWhenSkipped = parser.isSet(strictOption);
    }
    const TransferOutcome outcome = runWithProgress(worker, job, ws);
    worker.closePort();

    if (outcome.backupRead && outcome.backupRead->ok())
        reportSkipped(*outcome.backupRead);
    if (outcome.backup && outcome.backup->ok())
        printErr(
            QStringLiteral("backup: %1\n").arg(QDir::toNativeSeparators(outcome.backup->path)));
    switch (outcome.phase) {
    case TransferPhase::Opening:
        return failRadio(ws.texts.msgPortOpenFailed, outcome.portError);
    case TransferPhase::Reading:
        return readFailed(outcome, ws);
    case TransferPhase::BackingUp:
        return backupFailed(outcome, ws);
    case TransferPhase::Writing:
        if (!outcome.result.ok() || outcome.stopped)
            return writeFailed(outcome, ws, parser.value(portOption));
        break; // --strict ended it: below
    case TransferPhase::Verifying:
        reportSkipped(*outcome.write);
        return verifyOutcome(outcome, ws);
    case TransferPhase::Done:
        break;
    }
    const TransferResult &result = reading ? outcome.result : *outcome.write;
    reportSkipped(result);
    if (parser.isSet(strictOption) && !result.skipped.isEmpty()) {
        printError(QStringLiteral("--strict: %1 step(s) skipped%2")
                       .arg(result.skipped.size())
                       .arg(reading ? QStringLiteral(", nothing saved") : QString()));
        return ExitRadioFailed;
    }
    if (!reading)
        return outcome.verify ? verifyOutcome(outcome, ws) : int(ExitOk);

    // The window's plan is what was read: channels and settings.
    ws.table.setRows(outcome.readPlan.rows);
    ws.settings.setIndexes(outcome.readPlan.options);
    const ChannelPlan plan = capturePlan(ws.table, ws.settings, ws.bands);
    // Kept first: if the output file cannot be saved, the read is not lost.
    if (!parser.isSet(noBackupOption))
        backUpPlan(BackupKind::Read, plan);
    const FileStatus saved = saveChannelFile(file, plan);
    if (!saved) {
        printError(saved.message());
        return ExitUsage;
    }
    return ExitOk;
}

} // namespace

int runReadCommand(const QStringList &arguments) {
    return transferCommand(arguments, Direction::Read);
}

int runWriteCommand(const QStringList &arguments) {
    return transferCommand(arguments, Direction::Write);
}

} // namespace vrx

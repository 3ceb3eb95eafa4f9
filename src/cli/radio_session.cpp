#include "radio_session.h"

#include "cli_environment.h"
#include "console.h"
#include "exit_status.h"
#include "terminal_progress.h"

#include "i18n/language_pack.h"
#include "i18n/language_switch.h"
#include "radio/port_diagnosis.h"

#include <QDir>
#include <QRegularExpression>

namespace vrx {

void Workspace::prepare(const AppSettings &appSettings, const QString &languageName) {
    applyBandLists(appSettings, bands);
    if (const std::optional<LanguagePack> pack =
            switchLanguage(languageName, packDirectory(), texts, settings, table))
        applyToPortTexts(*pack, portTexts);
}

int failRadio(const QString &message, const QString &detail) {
    // The lines below the message (what the line did, what helps) each get a line.
    QStringList lines = message.split(u'\n');
    const QString first = lines.takeFirst();
    printError(detail.isEmpty() ? first : QStringLiteral("%1 (%2)").arg(first, detail));
    for (const QString &line : lines)
        printError(line);
    return ExitRadioFailed;
}

namespace {

// The port message, then why the port did not open and what helps, a line each.
int failPort(const QString &device, const QString &error, const Workspace &ws, int comItem) {
    failRadio(ws.texts.msgPortOpenFailed, device + QStringLiteral(": ") + error);
    for (const QString &line :
         portDiagnosisLines(diagnosePort(device, error), ws.portTexts, comItem))
        printError(line);
    return ExitRadioFailed;
}

} // namespace

int openPort(QtSerialLink &link, const Workspace &ws, int comItem) {
    QString error;
    if (!probeSerialPort(link.device(), &error))
        return failPort(link.device(), error, ws, comItem);
    if (!link.open())
        return failPort(link.device(), link.errorString(), ws, comItem);
    return ExitOk;
}

int openPort(TransferWorker &worker, const QString &device, const Workspace &ws, int comItem) {
    QString error;
    if (!probeSerialPort(device, &error))
        return failPort(device, error, ws, comItem);
    if (!worker.openPort(&error))
        return failPort(device, error, ws, comItem);
    return ExitOk;
}

TransferResult readWithProgress(QtSerialLink &link, Workspace &ws, const QString &label,
                                const StopRequest &stop) {
    TerminalProgress bar(label, kReadProgressMax);
    const TransferProgress progress = [&bar](int value, int) { bar.setValue(value); };
    return readRadio(link, ws.table, ws.settings, ws.texts, progress, stop);
}

QString writtenSoFar(const TransferResult &result) {
    const int done = result.completedChannels;
    if (done <= 0)
        return QStringLiteral("the radio holds none of the new plan's channels");
    if (done < kChannelCount)
        return QStringLiteral("the radio holds channels 1-%1 of the new plan").arg(done);
    return QStringLiteral("the radio holds all %1 channels of the new plan, but maybe not its "
                          "settings and band limits")
        .arg(kChannelCount);
}

} // namespace vrx

namespace vrx {

namespace {

// A word a POSIX shell takes as it stands, or the text in single quotes.
QString shellQuoted(const QString &text) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:@%+=,-]+$"));
    if (plain.match(text).hasMatch())
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("'"), QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

} // namespace

QStringList recoveryLines(const std::optional<BackupResult> &backup, const QString &port) {
    if (!backup || !backup->ok())
        return {QStringLiteral("with --backup the radio's old plan is kept before the next "
                               "write")};
    const QString path = QDir::toNativeSeparators(backup->path);
    return {QStringLiteral("the radio's old plan is kept in %1").arg(path),
            QStringLiteral("to put it back: vrxctl write --in %1 --port %2")
                .arg(shellQuoted(path), shellQuoted(port))};
}

} // namespace vrx

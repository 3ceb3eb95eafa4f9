#include "radio_session.h"

#include "cli_environment.h"
#include "console.h"
#include "exit_status.h"
#include "terminal_progress.h"

#include "i18n/language_switch.h"

namespace vrx {

void Workspace::prepare(const AppSettings &appSettings, const QString &languageName) {
    applyBandLists(appSettings, bands);
    switchLanguage(languageName, packDirectory(), texts, settings, table);
}

int failRadio(const QString &message, const QString &detail) {
    printError(detail.isEmpty() ? message : QStringLiteral("%1 (%2)").arg(message, detail));
    return ExitRadioFailed;
}

int openPort(QtSerialLink &link, const UiTexts &texts) {
    QString error;
    if (!probeSerialPort(link.device(), &error))
        return failRadio(texts.msgPortOpenFailed, link.device() + QStringLiteral(": ") + error);
    if (!link.open())
        return failRadio(texts.msgPortOpenFailed,
                         link.device() + QStringLiteral(": ") + link.errorString());
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

#include "transfer_command.h"

#include "cli_environment.h"
#include "command_line.h"
#include "console.h"
#include "exit_status.h"
#include "terminal_progress.h"

#include "channels/channel_table.h"
#include "i18n/language_switch.h"
#include "i18n/ui_texts.h"
#include "i18n/value_translation.h"
#include "radio/qt_serial_link.h"
#include "radio/transfer.h"
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

// What the GUI holds while it talks to the radio: the table, the options, the band
// lists from the settings file and the texts of the chosen language.
struct Workspace {
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;
    UiTexts texts;
};

int failRadio(const QString &message, const QString &detail) {
    printError(detail.isEmpty() ? message : QStringLiteral("%1 (%2)").arg(message, detail));
    return ExitRadioFailed;
}

// Opens the port as the GUI does before it shows the transfer dialog: an exclusive probe
// first, so a missing or busy port is reported before anything is sent.
int openPort(QtSerialLink &link, const UiTexts &texts) {
    QString error;
    if (!probeSerialPort(link.device(), &error))
        return failRadio(texts.msgPortOpenFailed, link.device() + QStringLiteral(": ") + error);
    if (!link.open())
        return failRadio(texts.msgPortOpenFailed,
                         link.device() + QStringLiteral(": ") + link.errorString());
    return ExitOk;
}

void reportSkipped(const TransferResult &result) {
    for (const QString &step : result.skipped)
        printError(QStringLiteral("note: skipped %1").arg(step));
}

int transferCommand(const QStringList &arguments, Direction direction) {
    const bool reading = direction == Direction::Read;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        reading
            ? QStringLiteral("vrxctl read --port PORT --out FILE.vrx [--lang chn|eng] "
                             "[--settings FILE] [--strict]\nReads the radio into a channel file.")
            : QStringLiteral(
                  "vrxctl write --port PORT --in FILE.vrx [--lang chn|eng] "
                  "[--settings FILE] [--strict]\nWrites a channel file into the radio."));
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Device path, or COM1..COM4 from the settings file."),
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
    const QCommandLineOption settingsOption(
        QStringLiteral("settings"),
        QStringLiteral("Settings file with the band lists and ports (default: the GUI's "
                       "myini.ini)."),
        QStringLiteral("FILE"));
    const QCommandLineOption strictOption(
        QStringLiteral("strict"),
        QStringLiteral("Fail (exit 1, no file written) when the radio let any step be skipped."));
    parser.addOptions({portOption, fileOption, langOption, settingsOption, strictOption});
    if (const int status = parseCommand(parser, arguments, 0); status >= 0)
        return status;

    if (!parser.isSet(portOption) || parser.value(portOption).isEmpty())
        return usageError(parser, QStringLiteral("--port is required"));
    if (!parser.isSet(fileOption) || parser.value(fileOption).isEmpty())
        return usageError(parser,
                          QStringLiteral("--%1 is required").arg(fileOption.names().first()));
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
    const QString device = resolvePort(parser.value(portOption), *appSettings, &error);
    if (device.isEmpty()) {
        printError(error);
        return ExitUsage;
    }
    const QString file = parser.value(fileOption);

    Workspace ws;
    applyBandLists(*appSettings, ws.bands);
    switchLanguage(languageName, packDirectory(), ws.texts, ws.settings, ws.table);

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
    }

    QtSerialLink link(device);
    if (const int status = openPort(link, ws.texts); status != ExitOk)
        return status;

    TransferResult result;
    {
        TerminalProgress bar(reading ? ws.texts.captionRead : ws.texts.captionWrite,
                             reading ? kReadProgressMax : kWriteProgressMax);
        const TransferProgress progress = [&bar](int value, int) { bar.setValue(value); };
        result = reading ? readRadio(link, ws.table, ws.settings, ws.texts, progress)
                         : writeRadio(link, ws.table, ws.settings, ws.bands, ws.texts, progress);
        link.close();
    }
    if (!result.ok())
        return failRadio(result.message(ws.texts), result.detail);
    reportSkipped(result);
    if (parser.isSet(strictOption) && !result.skipped.isEmpty()) {
        printError(QStringLiteral("--strict: %1 step(s) skipped%2")
                       .arg(result.skipped.size())
                       .arg(reading ? QStringLiteral(", nothing saved") : QString()));
        return ExitRadioFailed;
    }

    if (reading) {
        const FileStatus saved =
            saveChannelFile(file, capturePlan(ws.table, ws.settings, ws.bands));
        if (!saved) {
            printError(saved.message());
            return ExitUsage;
        }
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

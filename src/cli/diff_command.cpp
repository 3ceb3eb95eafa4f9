#include "diff_command.h"

#include "backup_report.h"
#include "cli_environment.h"
#include "command_line.h"
#include "console.h"
#include "exit_status.h"
#include "interrupt_guard.h"
#include "radio_session.h"

#include "i18n/language_switch.h"
#include "storage/channel_file.h"
#include "storage/plan_diff.h"

#include <QCommandLineParser>

#include <algorithm>

namespace vrx {

namespace {

// diff(1)'s statuses: 1 means "different", so trouble of any kind is 2.
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

// Whether --port comes before the file among the arguments, so that the radio is A.
bool portComesFirst(const QStringList &arguments, const QString &file) {
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--port") || argument.startsWith(QLatin1String("--port=")))
            return true;
        if (argument == file)
            return false;
    }
    return false;
}

} // namespace

int runDiffCommand(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("vrxctl diff A.vrx B.vrx | --port PORT B.vrx | A.vrx --port PORT "
                       "[--lang chn|eng] [--settings FILE] [--no-backup]\n"
                       "Prints what differs from A to B, one line each: exit status 0 when "
                       "equal, 1 when different, 2 on trouble. With --port the radio is read "
                       "first and stands where --port stands."));
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Read the radio on this port (device path, or COM1..COM4)."),
        QStringLiteral("PORT"));
    const QCommandLineOption langOption(QStringLiteral("lang"),
                                        QStringLiteral("Language of the value words shown."),
                                        QStringLiteral("chn|eng"));
    const QCommandLineOption settingsOption = settingsFileOption();
    const QCommandLineOption noBackupOption(
        QStringLiteral("no-backup"),
        QStringLiteral("Keep no copy of the plan read from the radio."));
    parser.addOptions({portOption, langOption, settingsOption, noBackupOption});

    // Two files, or one file and the radio.
    const bool withRadio = arguments.contains(QStringLiteral("--port")) ||
                           std::any_of(arguments.begin(), arguments.end(), [](const QString &a) {
                               return a.startsWith(QLatin1String("--port="));
                           });
    if (const int status = parseCommand(parser, arguments, withRadio ? 1 : 2); status >= 0)
        return status == ExitOk ? ExitOk : kTrouble;

    const QString languageName =
        parser.isSet(langOption) ? parser.value(langOption) : defaultLanguageName();
    if (!languageFromName(languageName)) {
        usageError(parser,
                   QStringLiteral("unknown language \"%1\" (use chn or eng)").arg(languageName));
        return kTrouble;
    }
    QString error;
    const std::optional<AppSettings> appSettings =
        loadToolSettings(parser.value(settingsOption), &error);
    if (!appSettings) {
        printError(error);
        return kTrouble;
    }
    Workspace ws;
    ws.prepare(*appSettings, languageName);

    QList<ChannelPlan> plans;
    for (const QString &file : parser.positionalArguments()) {
        const ChannelFileLoad load = loadChannelFile(file);
        if (!load.ok()) {
            printError(load.error);
            return kTrouble;
        }
        plans << *load.plan;
    }

    if (withRadio) {
        const QString device = resolvePort(parser.value(portOption), *appSettings, &error);
        if (device.isEmpty()) {
            printError(error);
            return kTrouble;
        }
        const InterruptGuard interrupts;
        QtSerialLink link(device);
        if (openPort(link, ws, comItemNumber(parser.value(portOption))) != ExitOk)
            return kTrouble;
        const TransferResult read =
            readWithProgress(link, ws, ws.texts.captionRead, interrupts.stopRequest());
        link.close();
        if (interrupts.requested()) {
            printError(QStringLiteral("interrupted: the radio was not read whole"));
            return ExitInterrupted;
        }
        if (!read.ok()) {
            failRadio(read.message(ws.texts), read.detail);
            return kTrouble;
        }
        const ChannelPlan radioPlan = capturePlan(ws.table, ws.settings, ws.bands);
        if (!parser.isSet(noBackupOption))
            backUpPlan(BackupKind::Read, radioPlan);
        const QString file = parser.positionalArguments().first();
        if (portComesFirst(arguments, file))
            plans.prepend(radioPlan);
        else
            plans.append(radioPlan);
    }

    const QList<PlanDifference> differences = comparePlans(plans[0], plans[1], ws.texts);
    QString text;
    for (const PlanDifference &difference : differences)
        text += difference.line() + u'\n';
    printOut(text);
    return differences.isEmpty() ? ExitOk : kDifferent;
}

} // namespace vrx

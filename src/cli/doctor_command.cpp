#include "doctor_command.h"

#include "cli_environment.h"
#include "command_line.h"
#include "console.h"
#include "exit_status.h"

#include "i18n/language_pack.h"
#include "i18n/language_switch.h"
#include "radio/connection_doctor.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace vrx {

namespace {

QJsonObject reportObject(const DoctorReport &report) {
    QJsonArray checks;
    for (const DoctorCheck &check : report.checks) {
        checks.append(QJsonObject{{QStringLiteral("name"), check.name},
                                  {QStringLiteral("status"), checkStatusName(check.status)},
                                  {QStringLiteral("detail"), check.detail},
                                  {QStringLiteral("remedy"), check.remedy}});
    }
    return QJsonObject{{QStringLiteral("port"), report.device.isEmpty()
                                                    ? QJsonValue(QJsonValue::Null)
                                                    : QJsonValue(report.device)},
                       {QStringLiteral("verdict"), verdictName(report.verdict)},
                       {QStringLiteral("checks"), checks}};
}

QString reportText(const DoctorReport &report, const DoctorTexts &texts) {
    QList<QStringList> rows;
    for (const DoctorCheck &check : report.checks)
        rows.append(
            {checkTitle(check.name, texts), checkStatusText(check.status, texts), check.detail});
    QString text = report.device.isEmpty() ? QString() : report.device + u'\n';
    const QStringList lines = alignedTable(rows).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        text += QStringLiteral("  ") + lines[i] + u'\n';
        if (!report.checks[i].remedy.isEmpty())
            text += QStringLiteral("    -> ") + report.checks[i].remedy + u'\n';
    }
    return text;
}

// How far a port got towards a radio, so that without an answer the most telling port
// stands for the whole survey.
int progressOf(DoctorVerdict verdict) {
    constexpr DoctorVerdict order[] = {
        DoctorVerdict::Missing,    DoctorVerdict::NoPermission, DoctorVerdict::Busy,
        DoctorVerdict::NoAnswer,   DoctorVerdict::Echo,         DoctorVerdict::Garbage,
        DoctorVerdict::OtherRadio, DoctorVerdict::Stopped,      DoctorVerdict::Ok};
    return int(std::find(std::begin(order), std::end(order), verdict) - std::begin(order));
}

} // namespace

int runDoctorCommand(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "vrxctl doctor [--port PORT] [--json] [--lang chn|eng] [--settings FILE]\n"
        "Checks a port in order (the device, access, who holds it, the chip) and probes\n"
        "the radio (the handshake and the identification block; nothing is written).\n"
        "Without --port every serial port is checked until a radio answers.\n"
        "Verdicts: ok, no-answer, echo, garbage, other-radio, stopped, missing,\n"
        "no-permission, busy. Exit status: 0 ok, 1 any other verdict, 2 usage error."));
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Device path, or COM1..COM4 from the settings file."),
        QStringLiteral("PORT"));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"),
        QStringLiteral("Print one JSON object: port, verdict, checks (name, status, detail, "
                       "remedy); without --port also ports, the report of each port tried."));
    const QCommandLineOption langOption(
        QStringLiteral("lang"),
        QStringLiteral("Language of the findings (default: as the GUI chooses)."),
        QStringLiteral("chn|eng"));
    const QCommandLineOption settingsOption = settingsFileOption();
    parser.addOptions({portOption, jsonOption, langOption, settingsOption});
    if (const int status = parseCommand(parser, arguments, 0); status >= 0)
        return status;

    const QString languageName =
        parser.isSet(langOption) ? parser.value(langOption) : defaultLanguageName();
    if (!languageFromName(languageName))
        return usageError(
            parser, QStringLiteral("unknown language \"%1\" (use chn or eng)").arg(languageName));
    if (parser.isSet(portOption) && parser.value(portOption).isEmpty())
        return usageError(parser, QStringLiteral("--port needs a device"));
    QString error;
    const std::optional<AppSettings> settings =
        loadToolSettings(parser.value(settingsOption), &error);
    if (!settings) {
        printError(error);
        return ExitUsage;
    }
    DoctorTexts texts;
    LineTexts lineTexts;
    if (const std::optional<LanguagePack> pack =
            LanguagePack::load(packDirectory(), languageName)) {
        applyToDoctorTexts(*pack, texts);
        applyToLineTexts(*pack, lineTexts);
    }

    const SystemFacts facts;
    DoctorSurvey survey;
    if (parser.isSet(portOption)) {
        const QString device = resolvePort(parser.value(portOption), *settings, &error);
        if (device.isEmpty()) {
            printError(error);
            return ExitUsage;
        }
        survey.reports.append(examinePort(device, facts, texts, lineTexts));
        if (survey.reports.first().verdict == DoctorVerdict::Ok)
            survey.answering = 0;
    } else {
        survey = examineAllPorts(facts, texts, lineTexts);
    }

    int chosen = survey.answering;
    if (chosen < 0) {
        chosen = 0;
        for (int i = 1; i < survey.reports.size(); ++i) {
            if (progressOf(survey.reports[i].verdict) > progressOf(survey.reports[chosen].verdict))
                chosen = i;
        }
    }
    const DoctorReport &result = survey.reports[chosen];

    if (parser.isSet(jsonOption)) {
        QJsonObject object = reportObject(result);
        if (!parser.isSet(portOption)) {
            QJsonArray ports;
            for (const DoctorReport &report : survey.reports)
                ports.append(reportObject(report));
            object.insert(QStringLiteral("ports"), ports);
        }
        printOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
    } else if (parser.isSet(portOption)) {
        // The verdict first: the remedies follow below it, as in the window.
        printOut(reportSummary(result, texts) + u'\n' + reportText(result, texts));
    } else {
        for (const DoctorReport &report : survey.reports)
            printOut(reportText(report, texts) + u'\n');
        printOut(
            (survey.answering >= 0 ? texts.radioIsOn.arg(result.device) : texts.noPortAnswered) +
            u'\n');
    }
    return result.verdict == DoctorVerdict::Ok ? ExitOk : ExitRadioFailed;
}

} // namespace vrx

#include "convert_command.h"

#include "cli_environment.h"
#include "command_line.h"
#include "console.h"
#include "exit_status.h"

#include "channels/channel_table.h"
#include "document/channel_list_document.h"
#include "document/channel_list_texts.h"
#include "i18n/csv_texts.h"
#include "i18n/language_switch.h"
#include "i18n/pack_application.h"
#include "i18n/ui_texts.h"
#include "i18n/value_translation.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"
#include "storage/channel_file.h"
#include "storage/channel_plan.h"
#include "storage/csv_channels.h"

#include <QCommandLineParser>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>

#include <optional>

namespace vrx {

namespace {

enum class Format { Vrx, Csv, Pdf, Html };

std::optional<Format> formatOf(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == kChannelFileSuffix)
        return Format::Vrx;
    if (suffix == kCsvFileSuffix)
        return Format::Csv;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return Format::Html;
    return std::nullopt;
}

// The plan in the chosen language, as the GUI would hold it: value words and option
// entry texts of that language.
struct Workspace {
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;
    UiTexts texts;
    CsvTexts csvTexts;
    ChannelListTexts listTexts;

    void useLanguage(const QString &name) {
        if (const std::optional<LanguagePack> pack =
                switchLanguage(name, packDirectory(), texts, settings, table)) {
            applyToCsvTexts(*pack, csvTexts);
            listTexts = channelListTexts(*pack);
        }
    }
    ChannelPlan hold(const ChannelPlan &plan) {
        applyPlan(plan, table, settings, bands);
        translateValueCells(table, texts);
        return capturePlan(table, settings, bands);
    }
};

void printNotes(const QStringList &notes) {
    for (const QString &note : notes)
        printErr(note + u'\n');
}

int fileError(const QString &message) {
    printError(message);
    return ExitUsage;
}

int convert(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "vrxctl convert IN OUT [--lang chn|eng] [--template PLAN.vrx]\n"
        "Converts between a channel file (.vrx) and a CSV channel list (.csv), and\n"
        "writes a printable channel list (.pdf or .html) from either; the extensions\n"
        "say which. Notes on rows that were skipped or changed go to stderr."));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral(".vrx or .csv file."));
    parser.addPositionalArgument(QStringLiteral("OUT"),
                                 QStringLiteral(".vrx, .csv, .pdf or .html file."));
    const QCommandLineOption langOption(
        QStringLiteral("lang"),
        QStringLiteral("Language of value texts, notes and lists (default: as the GUI "
                       "chooses)."),
        QStringLiteral("chn|eng"));
    const QCommandLineOption templateOption(
        QStringLiteral("template"),
        QStringLiteral("Channel file whose band, options and drive values a plan made from "
                       "CSV takes (default: those of a new plan)."),
        QStringLiteral("PLAN.vrx"));
    parser.addOptions({langOption, templateOption});
    if (const int status = parseCommand(parser, arguments, 2); status >= 0)
        return status;

    const QString in = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);
    const std::optional<Format> inFormat = formatOf(in);
    const std::optional<Format> outFormat = formatOf(out);
    if (!inFormat || (*inFormat != Format::Vrx && *inFormat != Format::Csv))
        return usageError(parser, QStringLiteral("IN must be a .vrx or .csv file"));
    if (!outFormat)
        return usageError(parser, QStringLiteral("OUT must be a .vrx, .csv, .pdf or .html file"));
    const QString languageName =
        parser.isSet(langOption) ? parser.value(langOption) : defaultLanguageName();
    if (!languageFromName(languageName))
        return usageError(
            parser, QStringLiteral("unknown language \"%1\" (use chn or eng)").arg(languageName));
    if (parser.isSet(templateOption) && *inFormat != Format::Csv)
        return usageError(parser, QStringLiteral("--template applies to a .csv input only"));

    Workspace ws;
    ws.useLanguage(languageName);

    ChannelPlan plan;
    if (*inFormat == Format::Vrx) {
        const ChannelFileLoad load = loadChannelFile(in);
        if (!load.ok())
            return fileError(load.error);
        plan = *load.plan;
    } else {
        ChannelPlan templatePlan;
        if (parser.isSet(templateOption)) {
            const ChannelFileLoad load = loadChannelFile(parser.value(templateOption));
            if (!load.ok())
                return fileError(load.error);
            templatePlan = *load.plan;
        }
        CsvImport import = loadCsvFile(in, ws.texts, ws.csvTexts);
        if (!import.ok())
            return fileError(import.error);
        noteRowsOutsideBand(import, templatePlan.bandText, ws.csvTexts);
        printNotes(csvNoteLines(import, ws.csvTexts));
        plan = planWithImport(templatePlan, import);
    }
    plan = ws.hold(plan);

    FileStatus written = FileStatus::success();
    switch (*outFormat) {
    case Format::Vrx:
        written = saveChannelFile(out, plan);
        break;
    case Format::Csv: {
        const CsvExport csv = writeCsvChannels(plan, ws.texts, ws.csvTexts);
        printNotes(csv.notes);
        written = saveCsvFile(out, csv.bytes);
        break;
    }
    case Format::Pdf:
    case Format::Html: {
        const QString html = channelListHtml(plan, ws.listTexts, QDate::currentDate());
        written = *outFormat == Format::Pdf
                      ? saveChannelListPdf(out, html, pageSizeForLocale(QLocale::system()))
                      : saveChannelListHtml(out, html);
        break;
    }
    }
    if (!written)
        return fileError(written.message());
    return ExitOk;
}

// Qt's own chatter (a missing runtime folder, font fallbacks) would mix with the notes on
// stderr; only its errors are worth a user's attention here.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        printError(message);
}

} // namespace

int runConvertCommand(int argc, char **argv) {
    qInstallMessageHandler(quietQtMessages);
    // Fonts and text layout need a GUI application, but never a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("VRX5800"));

    QStringList arguments = QCoreApplication::arguments().mid(2);
    arguments.prepend(QStringLiteral("vrxctl convert"));
    return convert(arguments);
}

} // namespace vrx

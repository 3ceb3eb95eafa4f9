#include "show_command.h"

#include "cli_environment.h"
#include "command_line.h"
#include "console.h"
#include "exit_status.h"
#include "terminal_text.h"

#include "i18n/language_switch.h"
#include "i18n/value_translation.h"
#include "storage/channel_file.h"

#include <QCommandLineParser>

#include <algorithm>

namespace vrx {

namespace {

bool hasContent(const ChannelRow &row) {
    return std::any_of(row.begin(), row.end(), [](const QString &t) { return !t.isEmpty(); });
}

} // namespace

QString formatPlanTable(const ChannelPlan &plan) {
    QString out = QStringLiteral("Band: %1\n\n").arg(escapeControls(plan.bandText));

    QList<QStringList> options{
        {QStringLiteral("Option"), QStringLiteral("Index"), QStringLiteral("Text")}};
    for (int i = 0; i < kOptionCount; ++i)
        options.append({optionKey(optionAt(i)), QString::number(plan.options[i]),
                        escapeControls(plan.optionTexts[i])});
    out += alignedTable(options) + u'\n';

    QList<QStringList> drives{{QStringLiteral("Drive"), QStringLiteral("Value")}};
    for (int i = 0; i < kDriveCount; ++i)
        drives.append({driveKey(static_cast<Drive>(i)), QString::number(plan.drives[i])});
    out += alignedTable(drives) + u'\n';

    QList<QStringList> channels{
        {QStringLiteral("CH"), QStringLiteral("RxFreq"), QStringLiteral("RxTone"),
         QStringLiteral("TxFreq"), QStringLiteral("TxTone"), QStringLiteral("Power"),
         QStringLiteral("Bandwidth"), QStringLiteral("Scan"), QStringLiteral("BusyLock")}};
    for (int n = 1; n <= kChannelCount; ++n) {
        const ChannelRow &row = plan.channels[n - 1];
        if (!hasContent(row))
            continue;
        QStringList cells{QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'))};
        for (const QString &field : row)
            cells.append(escapeControls(field));
        channels.append(cells);
    }
    if (channels.size() == 1)
        out += QStringLiteral("No channels.\n");
    else
        out += alignedTable(channels);
    return out;
}

ChannelPlan planShownIn(const ChannelPlan &plan, const QString &name) {
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;
    UiTexts texts;
    if (!switchLanguage(name, packDirectory(), texts, settings, table))
        return plan;
    applyPlan(plan, table, settings, bands);
    translateValueCells(table, texts);
    ChannelPlan shown = capturePlan(table, settings, bands);
    // The band text as the file has it (opening a file may append it to a list).
    shown.bandText = plan.bandText;
    return shown;
}

int runShowCommand(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("vrxctl show FILE.vrx [--lang chn|eng]\nPrints a channel file as tables."));
    parser.addPositionalArgument(QStringLiteral("FILE.vrx"), QStringLiteral("Channel file."));
    const QCommandLineOption langOption(
        QStringLiteral("lang"),
        QStringLiteral("Show value words and option texts in this language; without it they "
                       "are shown as the file holds them."),
        QStringLiteral("chn|eng"));
    parser.addOption(langOption);
    if (const int status = parseCommand(parser, arguments, 1); status >= 0)
        return status;
    const QString language = parser.value(langOption);
    if (parser.isSet(langOption) && !languageFromName(language)) {
        usageError(parser,
                   QStringLiteral("unknown language \"%1\" (use chn or eng)").arg(language));
        return ExitUsage;
    }

    const ChannelFileLoad load = loadChannelFile(parser.positionalArguments().first());
    if (!load.ok()) {
        printError(load.error);
        return ExitUsage;
    }
    printOut(
        formatPlanTable(parser.isSet(langOption) ? planShownIn(*load.plan, language) : *load.plan));
    return ExitOk;
}

} // namespace vrx

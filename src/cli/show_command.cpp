#include "show_command.h"

#include "command_line.h"
#include "console.h"
#include "exit_status.h"
#include "terminal_text.h"

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

int runShowCommand(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("vrxctl show FILE.vrx\nPrints a channel file as tables."));
    parser.addPositionalArgument(QStringLiteral("FILE.vrx"), QStringLiteral("Channel file."));
    if (const int status = parseCommand(parser, arguments, 1); status >= 0)
        return status;

    const ChannelFileLoad load = loadChannelFile(parser.positionalArguments().first());
    if (!load.ok()) {
        printError(load.error);
        return ExitUsage;
    }
    printOut(formatPlanTable(*load.plan));
    return ExitOk;
}

} // namespace vrx

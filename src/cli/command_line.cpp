#include "command_line.h"

#include "console.h"
#include "exit_status.h"

namespace vrx {

namespace {

// Qt's help starts with "Usage: <path as typed> [options]"; the command's description
// already holds its real usage line.
QString commandHelp(const QCommandLineParser &parser) {
    const QString text = parser.helpText();
    return QStringLiteral("Usage: ") + text.mid(text.indexOf(u'\n') + 1);
}

} // namespace

QCommandLineOption settingsFileOption() {
    return QCommandLineOption(
        QStringLiteral("settings"),
        QStringLiteral("Settings file with the band lists and ports (default: the GUI's "
                       "myini.ini)."),
        QStringLiteral("FILE"));
}

int usageError(const QCommandLineParser &parser, const QString &message) {
    printError(message);
    printErr(u'\n' + commandHelp(parser));
    return ExitUsage;
}

int parseCommand(QCommandLineParser &parser, const QStringList &arguments, int positionalCount) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    // QCommandLineParser::process() would exit with status 1 on a bad option, which
    // scripts would take for a radio failure.
    if (!parser.parse(arguments))
        return usageError(parser, parser.errorText());
    if (parser.isSet(help)) {
        printOut(commandHelp(parser));
        return ExitOk;
    }
    const int given = int(parser.positionalArguments().size());
    if (given != positionalCount) {
        return usageError(parser,
                          given < positionalCount
                              ? QStringLiteral("missing argument")
                              : QStringLiteral("unexpected argument \"%1\"")
                                    .arg(parser.positionalArguments().value(positionalCount)));
    }
    return -1;
}

} // namespace vrx

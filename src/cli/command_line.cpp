#include "command_line.h"

#include "console.h"
#include "exit_status.h"

namespace vrx {

int usageError(const QCommandLineParser &parser, const QString &message) {
    printError(message);
    printErr(u'\n' + parser.helpText());
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
        printOut(parser.helpText());
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

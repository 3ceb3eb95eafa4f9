// vrxctl: reads and writes the radio from the command line, shows channel files and
// runs the simulated radio on a pseudo-terminal.

#include "console.h"
#include "convert_command.h"
#include "diff_command.h"
#include "doctor_command.h"
#include "exit_status.h"
#include "ports_command.h"
#include "show_command.h"
#include "sim_command.h"
#include "transfer_command.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

const char *const kUsage =
    "Usage: vrxctl COMMAND [options]\n"
    "\n"
    "Commands:\n"
    "  read   --port PORT --out FILE.vrx [--lang chn|eng] [--settings FILE]\n"
    "         [--no-backup] [--strict]\n"
    "         Reads the radio into a channel file (and a copy into the\n"
    "         backups folder).\n"
    "  write  --port PORT --in FILE.vrx [--lang chn|eng] [--settings FILE]\n"
    "         [--backup] [--verify] [--strict]\n"
    "         Writes a channel file into the radio.\n"
    "  diff   A.vrx B.vrx | --port PORT B.vrx | A.vrx --port PORT\n"
    "         Prints what differs from A to B (the radio where --port\n"
    "         stands).\n"
    "  show   FILE.vrx [--lang chn|eng]\n"
    "         Prints a channel file as tables.\n"
    "  sim    [--plan FILE.vrx] [--baud] [--fault KIND[:STEP]]\n"
    "         Runs a simulated radio on a pseudo-terminal and prints its\n"
    "         device path.\n"
    "  convert IN OUT [--lang chn|eng] [--template PLAN.vrx]\n"
    "         Converts between .vrx and .csv, or writes a .pdf or .html\n"
    "         channel list.\n"
    "  ports  [--settings FILE]\n"
    "         Lists the serial ports and the COM item that stands for each.\n"
    "  doctor [--port PORT] [--json] [--lang chn|eng] [--settings FILE]\n"
    "         Says why the radio does not answer, and what helps.\n"
    "\n"
    "PORT is a device path or COM1..COM4 (mapped through the settings\n"
    "file's ports section). \"vrxctl COMMAND --help\" describes a command.\n"
    "\n"
    "Exit status: 0 success, 1 the port or the radio failed, 2 usage or\n"
    "file error, 3 write --verify found a difference, 130 interrupted.\n"
    "diff: 0 equal, 1 different, 2 trouble. doctor: 0 a radio answered, 1 not.\n";

} // namespace

int main(int argc, char **argv) {
    // convert makes an application of its own kind.
    if (argc > 1 && qstrcmp(argv[1], "convert") == 0)
        return vrx::runConvertCommand(argc, argv);
    QCoreApplication app(argc, argv);
    // The GUI's name, so that both find the same settings in the user config folder.
    QCoreApplication::setApplicationName(QStringLiteral("VRX5800"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VRX_VERSION));

    const QStringList args = QCoreApplication::arguments();
    const QString command = args.value(1);
    // The command's own parser sees "vrxctl COMMAND" as the program name.
    QStringList commandArgs = args.mid(2);
    commandArgs.prepend(QStringLiteral("vrxctl ") + command);

    if (command == QLatin1String("read"))
        return vrx::runReadCommand(commandArgs);
    if (command == QLatin1String("write"))
        return vrx::runWriteCommand(commandArgs);
    if (command == QLatin1String("diff"))
        return vrx::runDiffCommand(commandArgs);
    if (command == QLatin1String("show"))
        return vrx::runShowCommand(commandArgs);
    if (command == QLatin1String("sim"))
        return vrx::runSimCommand(commandArgs);
    if (command == QLatin1String("ports"))
        return vrx::runPortsCommand(commandArgs);
    if (command == QLatin1String("doctor"))
        return vrx::runDoctorCommand(commandArgs);
    if (command == QLatin1String("-h") || command == QLatin1String("--help") ||
        command == QLatin1String("help")) {
        vrx::printOut(QString::fromLatin1(kUsage));
        return vrx::ExitOk;
    }
    if (command == QLatin1String("--version")) {
        vrx::printOut(QStringLiteral("vrxctl %1\n").arg(QCoreApplication::applicationVersion()));
        return vrx::ExitOk;
    }
    vrx::printError(command.isEmpty() ? QStringLiteral("no command given")
                                      : QStringLiteral("unknown command \"%1\"").arg(command));
    vrx::printErr(u'\n' + QString::fromLatin1(kUsage));
    return vrx::ExitUsage;
}

#include "ports_command.h"

#include "cli_environment.h"
#include "command_line.h"
#include "console.h"
#include "exit_status.h"

#include "radio/serial_ports.h"

#include <QCommandLineParser>

namespace vrx {

int runPortsCommand(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("vrxctl ports [--settings FILE]\n"
                       "Lists the serial ports: device, description, USB VID:PID and the\n"
                       "COM item of the settings file that stands for it."));
    const QCommandLineOption settingsOption = settingsFileOption();
    parser.addOption(settingsOption);
    if (const int status = parseCommand(parser, arguments, 0); status >= 0)
        return status;

    QString error;
    const std::optional<AppSettings> settings =
        loadToolSettings(parser.value(settingsOption), &error);
    if (!settings) {
        printError(error);
        return ExitUsage;
    }
    const QList<SerialPortEntry> ports = listSerialPorts();
    if (ports.isEmpty()) {
        // No cable is no failure: a script asks, and gets an empty list.
        printError(QStringLiteral("no serial ports found"));
        return ExitOk;
    }
    printOut(alignedTable(portListRows(ports, settings->portDevices)));
    return ExitOk;
}

} // namespace vrx

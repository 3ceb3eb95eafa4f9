#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace vrx {

// Parses one command's arguments (`arguments` starts with the program and the command
// name). Help is printed on stdout and gives ExitOk; an unknown option, a missing value
// or a wrong number of positional arguments is reported with the command's usage and
// gives ExitUsage. Returns -1 when the command should run.
int parseCommand(QCommandLineParser &parser, const QStringList &arguments, int positionalCount);

// --settings FILE, the settings file (band lists, ports section) in place of the GUI's
// own; the same for every command that reads it.
QCommandLineOption settingsFileOption();

// Reports a usage error with the command's help and returns ExitUsage.
int usageError(const QCommandLineParser &parser, const QString &message);

} // namespace vrx

#include "fleet_command.h"

#include "backup_report.h"
#include "cli_environment.h"
#include "console.h"
#include "exit_status.h"
#include "fleet_console.h"
#include "interrupt_guard.h"
#include "terminal_text.h"

#include "radio/fleet_report.h"
#include "radio/fleet_run.h"
#include "radio/port_diagnosis.h"
#include "radio/qt_serial_link.h"
#include "radio/serial_ports.h"
#include "storage/channel_file.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

namespace vrx {

namespace {

// The ports as the user named them, with their devices and what the system tells of
// them. Empty (the error reported) when a name does not resolve or comes twice.
std::optional<QList<FleetPort>> fleetPorts(const QStringList &names,
                                           const AppSettings &appSettings) {
    const QList<SerialPortEntry> present = listSerialPorts();
    QList<FleetPort> ports;
    QStringList devices;
    for (const QString &name : names) {
        QString error;
        FleetPort port;
        port.name = name;
        port.device = resolvePort(name, appSettings, &error);
        if (port.device.isEmpty()) {
            printError(error);
            return std::nullopt;
        }
        const QString canonical = QFileInfo(port.device).canonicalFilePath();
        const QString same = canonical.isEmpty() ? port.device : canonical;
        if (devices.contains(same)) {
            printError(QStringLiteral("%1 is named twice").arg(port.device));
            return std::nullopt;
        }
        devices << same;
        for (const SerialPortEntry &entry : present) {
            if (QFileInfo(entry.device).canonicalFilePath() == same || entry.device == same) {
                port.usbDescription = entry.description;
                port.usbSerial = entry.serialNumber;
            }
        }
        ports << port;
    }
    return ports;
}

FleetRun::PortLinks serialLinks() {
    return [](const FleetPort &port) -> LinkFactory {
        const QString device = port.device;
        return [device] { return std::make_unique<QtSerialLink>(device); };
    };
}

// Runs the fleet until every radio has finished, the lines on stderr as it goes.
void runToEnd(FleetRun &run, const QList<int> &rows, const FleetSettings &settings) {
    FleetConsole console(run, stderrIsTerminal());
    QEventLoop loop;
    QObject::connect(&run, &FleetRun::runFinished, &loop, &QEventLoop::quit);
    if (run.start(rows, settings))
        loop.exec();
    console.finish();
}

QList<int> allRows(int count) {
    QList<int> rows;
    for (int row = 0; row < count; ++row)
        rows << row;
    return rows;
}

// Why a port did not open and what helps, below its result line.
void explainPortFailure(const FleetPortResult &result, const Workspace &ws) {
    if (result.outcome != FleetOutcome::Failed || result.phase != TransferPhase::Opening ||
        result.stopped)
        return;
    for (const QString &line : portDiagnosisLines(diagnosePort(result.port.device, result.why),
                                                  ws.portTexts, comItemNumber(result.port.name)))
        printError(QStringLiteral("%1: %2").arg(result.port.name, line));
}

void reportSkipped(const FleetPortResult &result) {
    for (const QString &step : result.skipped)
        printError(QStringLiteral("%1: note: skipped %2").arg(result.port.name, step));
}

// The result lines on stdout, one a radio.
void printResults(const FleetRun &run, const Workspace &ws) {
    for (const FleetPortResult &result : run.results()) {
        QString line = QStringLiteral("%1: %2").arg(result.port.name, fleetResultText(result));
        if (result.outcome == FleetOutcome::Differs)
            line += QStringLiteral(" (%1 fields; first: %2)")
                        .arg(result.differences)
                        .arg(result.firstDifference);
        if (!result.backupFile.isEmpty())
            line += QStringLiteral("; before-write backup %1")
                        .arg(QDir::toNativeSeparators(result.backupFile));
        printOut(escapeControls(line) + u'\n');
        explainPortFailure(result, ws);
        reportSkipped(result);
    }
}

} // namespace

QString fleetReadFileName(const QString &port) {
    QString name = port;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    name.replace(u'/', u'_');
    name.replace(u'\\', u'_');
    if (name.isEmpty() || name.startsWith(u'.'))
        name.prepend(QStringLiteral("port"));
    return name + QStringLiteral(".vrx");
}

int runFleetWrite(const QStringList &names, const AppSettings &appSettings, const Workspace &ws,
                  const FleetWriteOptions &options) {
    const std::optional<QList<FleetPort>> ports = fleetPorts(names, appSettings);
    if (!ports)
        return ExitUsage;

    // From before any port opens, so that no signal can leave a radio in clone mode.
    const InterruptGuard interrupts;
    FleetSettings settings;
    settings.plan = TransferPlan::capture(ws.table, ws.settings, ws.bands);
    settings.texts = ws.texts;
    settings.backupFirst = options.backupFirst;
    settings.verifyAfter = options.verifyAfter;
    settings.dataFolder = DataFolder::standard();
    settings.reportPath = options.reportPath;
    settings.stop = interrupts.stopRequest();

    FleetRun run(serialLinks());
    run.setPorts(*ports);
    runToEnd(run, allRows(run.rowCount()), settings);
    printResults(run, ws);
    if (run.reportError().isEmpty())
        printErr(QStringLiteral("report: %1\n")
                     .arg(escapeControls(QDir::toNativeSeparators(run.reportPath()))));
    else
        printError(QStringLiteral("the report %1 could not be written: %2")
                       .arg(QDir::toNativeSeparators(run.reportPath()), run.reportError()));

    if (interrupts.requested()) {
        printError(QStringLiteral("interrupted: every radio stopped at a step boundary"));
        return ExitInterrupted;
    }
    bool allGood = true;
    bool differs = false;
    for (const FleetPortResult &result : run.results()) {
        allGood = allGood && result.succeeded() && !(options.strict && !result.skipped.isEmpty());
        differs = differs || result.outcome == FleetOutcome::Differs;
    }
    if (allGood && run.reportError().isEmpty())
        return ExitOk;
    return differs ? ExitVerifyFailed : ExitRadioFailed;
}

int runFleetRead(const QStringList &names, const AppSettings &appSettings, const Workspace &ws,
                 const FleetReadOptions &options) {
    const QDir outDir(options.outDir);
    if (!outDir.exists()) {
        printError(QStringLiteral("cannot write into %1: no such folder").arg(options.outDir));
        return ExitUsage;
    }
    const std::optional<QList<FleetPort>> ports = fleetPorts(names, appSettings);
    if (!ports)
        return ExitUsage;
    QStringList files;
    for (const FleetPort &port : *ports) {
        const QString file = fleetReadFileName(port.name);
        if (files.contains(file)) {
            printError(QStringLiteral("%1 and another port would both be read into %2")
                           .arg(port.name, file));
            return ExitUsage;
        }
        files << file;
    }

    const InterruptGuard interrupts;
    FleetSettings settings;
    settings.kind = TransferJobKind::Read;
    settings.plan = TransferPlan::capture(ws.table, ws.settings, ws.bands);
    settings.texts = ws.texts;
    settings.dataFolder = DataFolder::standard();
    settings.stop = interrupts.stopRequest();

    FleetRun run(serialLinks());
    run.setPorts(*ports);
    runToEnd(run, allRows(run.rowCount()), settings);

    bool allGood = true;
    for (int row = 0; row < run.rowCount(); ++row) {
        const FleetPortResult &result = run.result(row);
        QString line = QStringLiteral("%1: %2").arg(result.port.name, fleetResultText(result));
        bool saved = false;
        if (result.readPlan && options.strict && !result.skipped.isEmpty()) {
            line += QStringLiteral("; --strict: %1 step(s) skipped, nothing saved")
                        .arg(result.skipped.size());
        } else if (result.readPlan) {
            const ChannelPlan plan = result.readPlan->channelPlan();
            // Kept first: if the output file cannot be saved, the read is not lost.
            if (options.keepBackups)
                backUpPlan(BackupKind::Read, plan);
            const QString path = outDir.filePath(files[row]);
            const FileStatus status = saveChannelFile(path, plan);
            if (status) {
                line += QStringLiteral(" into %1").arg(QDir::toNativeSeparators(path));
                saved = true;
            } else {
                line += QStringLiteral("; %1").arg(status.message());
            }
        }
        printOut(escapeControls(line) + u'\n');
        explainPortFailure(result, ws);
        reportSkipped(result);
        allGood = allGood && saved;
    }
    if (interrupts.requested()) {
        printError(QStringLiteral("interrupted: every radio stopped at a step boundary"));
        return ExitInterrupted;
    }
    return allGood ? ExitOk : ExitRadioFailed;
}

} // namespace vrx

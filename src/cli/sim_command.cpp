#include "sim_command.h"

#include "command_line.h"
#include "console.h"
#include "exit_status.h"
#include "radio_memory.h"

#include "radio/pty_radio_server.h"
#include "storage/channel_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace vrx {

namespace {

// Far more than a fleet of cables on one computer, few enough that a typo in N does not
// exhaust the system's pseudo-terminals.
constexpr int kMaxSimulatedRadios = 64;

struct FaultName {
    const char *name;
    SimulatedRadio::FaultKind kind;
    bool takesStep;
};

constexpr FaultName kFaultNames[] = {
    {"silent", SimulatedRadio::FaultKind::SilentFrom, true},
    {"garbage", SimulatedRadio::FaultKind::Garbage, true},
    {"split", SimulatedRadio::FaultKind::SplitReply, true},
    {"late", SimulatedRadio::FaultKind::LateReply, true},
    {"wrong-ident", SimulatedRadio::FaultKind::WrongIdent, false},
    {"extra-ident-byte", SimulatedRadio::FaultKind::ExtraIdentByte, false},
    {"stray-lost", SimulatedRadio::FaultKind::StrayAndLost, true},
    {"trailing", SimulatedRadio::FaultKind::TrailingByte, true},
    {"no-echo", SimulatedRadio::FaultKind::NoEcho, false},
    {"echo", SimulatedRadio::FaultKind::Echo, false},
    {"flood", SimulatedRadio::FaultKind::Flood, true},
    {"corrupt-write", SimulatedRadio::FaultKind::CorruptStore, true},
    {"noise", SimulatedRadio::FaultKind::Noise, false},
    {"cable-only", SimulatedRadio::FaultKind::CableOnly, false},
};

// Termination signals reach the event loop through a pipe: the handler may only do
// async-signal-safe things, and the loop then ends like any other quit.
int signalPipe[2] = {-1, -1};

extern "C" void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

bool installSignalHandlers() {
    if (::pipe(signalPipe) != 0)
        return false;
    for (const int fd : signalPipe)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A reader that goes away must not kill the radio with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGHUP, &action, nullptr) == 0;
}

} // namespace

std::optional<SimulatedRadio::Fault> parseFault(const QString &text) {
    const QString kindName = text.section(u':', 0, 0);
    const bool hasStep = text.contains(u':');
    for (const FaultName &candidate : kFaultNames) {
        if (kindName != QLatin1String(candidate.name))
            continue;
        SimulatedRadio::Fault fault;
        fault.kind = candidate.kind;
        fault.step = 1;
        if (!hasStep)
            return fault;
        if (!candidate.takesStep)
            return std::nullopt;
        bool ok = false;
        const int step = text.section(u':', 1).toInt(&ok);
        if (!ok || step < 1)
            return std::nullopt;
        fault.step = step;
        return fault;
    }
    return std::nullopt;
}

int runSimCommand(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("vrxctl sim [--plan FILE.vrx] [--baud] [--fault KIND[:STEP]] "
                       "[--count N [--fault-radio K]]\n"
                       "Runs a simulated radio on a pseudo-terminal until SIGTERM or SIGINT.\n"
                       "The first line on stdout is the device path to use as PORT; with "
                       "--count, one line per radio."));
    const QCommandLineOption planOption(QStringLiteral("plan"),
                                        QStringLiteral("Preload the radio's memory from a "
                                                       "channel file."),
                                        QStringLiteral("FILE.vrx"));
    const QCommandLineOption baudOption(
        QStringLiteral("baud"),
        QStringLiteral("Answer with 9600-baud wire time (1.04 ms a byte each way)."));
    const QCommandLineOption faultOption(
        QStringLiteral("fault"),
        QStringLiteral(
            "Inject a fault: silent:STEP (no answer from that step on), "
            "garbage:STEP, split:STEP, late:STEP, wrong-ident, extra-ident-byte, "
            "corrupt-write:STEP (the first write from that step on is "
            "acknowledged but stored with one byte wrong), "
            "stray-lost:STEP (a stray byte before the reply, its last byte lost), "
            "trailing:STEP (a byte after the reply), no-echo (read replies do not "
            "echo the command), echo (the line echoes every byte), flood:STEP, noise (no "
            "radio, only noise comes back), cable-only (an echoing cable with no "
            "radio behind it)."),
        QStringLiteral("KIND[:STEP]"));
    const QCommandLineOption countOption(
        QStringLiteral("count"),
        QStringLiteral("Run N radios, each on a pseudo-terminal of its own (1-%1).")
            .arg(kMaxSimulatedRadios),
        QStringLiteral("N"));
    const QCommandLineOption faultRadioOption(
        QStringLiteral("fault-radio"),
        QStringLiteral("With --count: only radio K (1 for the first line) gets the --fault; "
                       "by default every radio does."),
        QStringLiteral("K"));
    parser.addOptions({planOption, baudOption, faultOption, countOption, faultRadioOption});
    if (const int status = parseCommand(parser, arguments, 0); status >= 0)
        return status;

    int count = 1;
    if (parser.isSet(countOption)) {
        bool ok = false;
        count = parser.value(countOption).toInt(&ok);
        if (!ok || count < 1 || count > kMaxSimulatedRadios)
            return usageError(
                parser,
                QStringLiteral("--count takes a number from 1 to %1").arg(kMaxSimulatedRadios));
    }
    int faultRadio = 0; // every radio
    if (parser.isSet(faultRadioOption)) {
        bool ok = false;
        faultRadio = parser.value(faultRadioOption).toInt(&ok);
        if (!ok || faultRadio < 1 || faultRadio > count)
            return usageError(
                parser, QStringLiteral("--fault-radio takes a number from 1 to %1").arg(count));
        if (!parser.isSet(faultOption))
            return usageError(parser, QStringLiteral("--fault-radio needs --fault"));
    }
    std::optional<SimulatedRadio::Fault> fault;
    if (parser.isSet(faultOption)) {
        fault = parseFault(parser.value(faultOption));
        if (!fault)
            return usageError(
                parser, QStringLiteral("unknown fault \"%1\"").arg(parser.value(faultOption)));
    }

    std::vector<std::unique_ptr<PtyRadioServer>> servers;
    for (int n = 1; n <= count; ++n) {
        auto server = std::make_unique<PtyRadioServer>();
        if (fault && (faultRadio == 0 || faultRadio == n))
            server->radio().setFault(*fault);
        server->setWireTime(parser.isSet(baudOption));
        servers.push_back(std::move(server));
    }
    if (parser.isSet(planOption)) {
        const ChannelFileLoad load = loadChannelFile(parser.value(planOption));
        if (!load.ok()) {
            printError(load.error);
            return ExitUsage;
        }
        QString error;
        const std::optional<QByteArray> memory =
            radioMemoryFromPlan(*load.plan, servers.front()->radio().memory(), &error);
        if (!memory) {
            printError(QStringLiteral("%1: %2").arg(parser.value(planOption), error));
            return ExitUsage;
        }
        for (const auto &server : servers)
            server->radio().memory() = *memory;
    }

    if (!installSignalHandlers()) {
        printError(QStringLiteral("cannot install the signal handlers"));
        return ExitRadioFailed;
    }
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, qApp, &QCoreApplication::quit);

    // Every radio is up before any path is printed, so that a reader may open them all
    // as soon as the lines come.
    QString paths;
    for (const auto &server : servers) {
        QString error;
        if (!server->start(&error)) {
            printError(QStringLiteral("cannot create the pseudo-terminal: %1").arg(error));
            return ExitRadioFailed;
        }
        paths += server->devicePath() + u'\n';
    }
    printOut(paths);
    QCoreApplication::exec();
    for (const auto &server : servers)
        server->stop();
    return ExitOk;
}

} // namespace vrx

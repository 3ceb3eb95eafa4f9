// The GUI's read and write beside vrxctl's, on the same radio paced at 9600 baud: the
// simulated radio on a pseudo-terminal (PtyRadioServer, wire time on) in a thread of its
// own, the tool on QtSerialLink. The GUI path is the transfer dialog driven as a user
// does (the Read or Write action, then its start button), offscreen; the vrxctl path is
// the same exchange with a progress callback and no windows. The two alternate over the
// rounds, so drift of the machine hits both alike.
//
// Prints each round's wall times and the ratio GUI / vrxctl of the medians; exits 1 when
// a transfer fails or a ratio is above the target (1.02).
//
//   bench_gui_transfer [rounds]     (default 5)

#include "bench_radio.h"
#include "radio/qt_serial_link.h"
#include "radio/transfer.h"
#include "shell/app_windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace vrx;

constexpr double kTarget = 1.02;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// vrxctl's way: open the port, run the exchange with a progress callback, close.
struct Run {
    double wallMs = 0;
    double cpuMs = 0;
    bool ok = false;
};

Run cliTransfer(const QString &device, bool reading, ChannelTable &table, RadioSettings &settings,
                const BandPlan &bands, const UiTexts &texts) {
    Run run;
    QtSerialLink link(device);
    if (!link.open())
        return run;
    int last = 0;
    const TransferProgress progress = [&last](int value, int) { last = value; };
    const double cpu = bench::threadCpuMs();
    QElapsedTimer clock;
    clock.start();
    const TransferResult result = reading
                                      ? readRadio(link, table, settings, texts, progress)
                                      : writeRadio(link, table, settings, bands, texts, progress);
    run.wallMs = clock.nsecsElapsed() / 1e6;
    run.cpuMs = bench::threadCpuMs() - cpu;
    link.close();
    run.ok = result.ok();
    return run;
}

// The GUI's way: the action brings up the transfer dialog, its start button runs the
// exchange, the close button ends it.
Run guiTransfer(AppWindows &windows, bool reading) {
    Run run;
    windows.main.action(reading ? MainAction::Read : MainAction::Write)->trigger();
    TransferDialog &dialog = windows.transfer;
    if (!dialog.isVisible())
        return run;
    QApplication::processEvents(); // the dialog is up before the user presses start
    const double cpu = bench::threadCpuMs();
    QElapsedTimer clock;
    clock.start();
    dialog.startButton()->click();
    run.wallMs = clock.nsecsElapsed() / 1e6;
    run.cpuMs = bench::threadCpuMs() - cpu;
    run.ok = !windows.warning.isVisible() &&
             dialog.gauge()->value() ==
                 (reading ? TransferDialog::kReadSteps : TransferDialog::kWriteSteps);
    dialog.closeButton()->click();
    QApplication::processEvents();
    return run;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    bench::RadioThread radio(true);
    const QString device = radio.device();

    AppEnvironment env;
    env.probePort = [](const QString &, QString *) { return true; };
    env.makeLink = [](const QString &path) -> std::unique_ptr<SerialLink> {
        return std::make_unique<QtSerialLink>(path);
    };
    env.reportError = [](const QString &message) {
        std::fprintf(stderr, "error: %s\n", qPrintable(message));
    };
    AppWindows windows(env);
    windows.main.setPortDevices({device, device, device, device});
    windows.main.choosePort(1);
    windows.main.show();
    QApplication::processEvents();
    const UiTexts &texts = windows.main.texts();
    bench::fillPlan(windows.main.table(), texts);
    windows.main.bandPlan().setList(BandList::Band1Rx, {QStringLiteral("400-470MHz")}, 0);
    windows.main.bandPlan().setList(BandList::Band1Tx, {QStringLiteral("400-470MHz")}, 0);

    ChannelTable cliTable;
    bench::fillPlan(cliTable, texts);
    RadioSettings cliSettings;
    BandPlan cliBands;
    cliBands.setList(BandList::Band1Rx, {QStringLiteral("400-470MHz")}, 0);
    cliBands.setList(BandList::Band1Tx, {QStringLiteral("400-470MHz")}, 0);

    std::printf("%-6s %-6s %12s %12s %7s %12s %12s\n", "round", "op", "vrxctl ms", "GUI ms",
                "ratio", "vrxctl cpu", "GUI cpu");
    std::vector<double> cli[2], gui[2]; // [0] write, [1] read
    bool allOk = true;
    for (int round = 1; round <= rounds; ++round) {
        for (const bool reading : {false, true}) {
            Run c, g;
            // Alternate which path goes first.
            if (round % 2) {
                c = cliTransfer(device, reading, cliTable, cliSettings, cliBands, texts);
                g = guiTransfer(windows, reading);
            } else {
                g = guiTransfer(windows, reading);
                c = cliTransfer(device, reading, cliTable, cliSettings, cliBands, texts);
            }
            allOk = allOk && c.ok && g.ok;
            cli[reading].push_back(c.wallMs);
            gui[reading].push_back(g.wallMs);
            std::printf("%-6d %-6s %12.1f %12.1f %7.3f %12.1f %12.1f%s\n", round,
                        reading ? "read" : "write", c.wallMs, g.wallMs,
                        c.wallMs > 0 ? g.wallMs / c.wallMs : 0.0, c.cpuMs, g.cpuMs,
                        c.ok && g.ok ? "" : "  FAILED");
            std::fflush(stdout);
        }
    }
    bool met = allOk;
    for (const bool reading : {false, true}) {
        const double c = median(cli[reading]);
        const double g = median(gui[reading]);
        const double ratio = c > 0 ? g / c : 0;
        // The ratio within each round, where both paths met the same load of the machine.
        std::vector<double> paired;
        for (size_t i = 0; i < cli[reading].size(); ++i)
            paired.push_back(cli[reading][i] > 0 ? gui[reading][i] / cli[reading][i] : 0);
        const bool ok = ratio > 0 && ratio <= kTarget;
        met = met && ok;
        std::printf("median %-5s vrxctl %.1f ms, GUI %.1f ms: ratio %.3f (target <= %.2f): %s;"
                    " median of the rounds' ratios %.3f\n",
                    reading ? "read" : "write", c, g, ratio, kTarget, ok ? "met" : "MISSED",
                    median(paired));
    }
    // The GUI read the plan back that both wrote.
    bool same = true;
    for (int n = 1; n <= kChannelCount; ++n)
        same = same && windows.main.table().row(n) == cliTable.row(n);
    if (!same) {
        std::printf("the GUI's read-back differs from the plan written\n");
        met = false;
    }
    return met ? 0 : 1;
}

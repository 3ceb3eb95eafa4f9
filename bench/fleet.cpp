// Writes and verifies one plan into 1, 4 and 8 radios at once, each on its own
// pseudo-terminal paced at 9600 baud (`vrxctl sim --count N --baud`, a process of its
// own so that only the tool is measured). Prints the wall time of each fleet, its ratio
// to the time of one radio, and the tool's CPU time per transfer as a share of the wall
// time. Goal: 8 radios in at most 1.05 x the time of one.

#include "bench_radio.h"
#include "radio/fleet_run.h"
#include "radio/qt_serial_link.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <cstdio>

#include <sys/resource.h>

namespace {

using namespace vrx;

double processCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// `vrxctl sim --count N --baud`: its device paths, or empty when it did not start.
class Radios {
public:
    explicit Radios(int count) {
        process_.start(QStringLiteral(VRXCTL_PATH),
                       {QStringLiteral("sim"), QStringLiteral("--baud"), QStringLiteral("--count"),
                        QString::number(count)});
        while (devices_.size() < count) {
            while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
            }
            if (!process_.canReadLine())
                break;
            devices_ << QString::fromUtf8(process_.readLine()).trimmed();
        }
    }
    ~Radios() {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
    }
    QStringList devices() const { return devices_; }

private:
    QProcess process_;
    QStringList devices_;
};

struct Figures {
    double wallMs = 0;
    double cpuMs = 0;
    int succeeded = 0;
};

Figures programFleet(int count, const FleetSettings &settings) {
    Figures f;
    Radios radios(count);
    if (radios.devices().size() != count) {
        std::fprintf(stderr, "the simulator did not start %d radios\n", count);
        return f;
    }
    QList<FleetPort> ports;
    QList<int> rows;
    for (const QString &device : radios.devices()) {
        rows << int(ports.size());
        ports << FleetPort{device, device, QString(), QString()};
    }
    FleetRun run([](const FleetPort &port) -> LinkFactory {
        const QString device = port.device;
        return [device] { return std::make_unique<QtSerialLink>(device); };
    });
    run.setPorts(ports);
    QEventLoop loop;
    QObject::connect(&run, &FleetRun::runFinished, &loop, &QEventLoop::quit);
    const double cpuBefore = processCpuMs();
    QElapsedTimer clock;
    clock.start();
    if (!run.start(rows, settings))
        return f;
    loop.exec();
    f.wallMs = clock.nsecsElapsed() / 1e6;
    f.cpuMs = processCpuMs() - cpuBefore;
    for (const FleetPortResult &result : run.results()) {
        if (result.outcome == FleetOutcome::Verified)
            ++f.succeeded;
        else
            std::fprintf(stderr, "%s: %s\n", qPrintable(result.port.name), qPrintable(result.why));
    }
    return f;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const UiTexts texts;
    ChannelTable table;
    bench::fillPlan(table, texts);
    RadioSettings radioSettings;
    BandPlan bands;
    bands.setList(BandList::Band1Rx, {QStringLiteral("400-470MHz")}, 0);
    bands.setList(BandList::Band1Tx, {QStringLiteral("400-470MHz")}, 0);

    FleetSettings settings;
    settings.plan = TransferPlan::capture(table, radioSettings, bands);
    settings.texts = texts;
    settings.backupFirst = false;
    settings.verifyAfter = true;
    // No report: only the transfers are measured.
    settings.reportPath = QStringLiteral("/dev/null");

    std::printf("%-7s %10s %8s %10s %14s %s\n", "radios", "wall ms", "ratio", "cpu ms",
                "cpu/transfer", "verified");
    double oneMs = 0;
    bool met = true;
    for (const int count : {1, 4, 8}) {
        const Figures f = programFleet(count, settings);
        if (count == 1)
            oneMs = f.wallMs;
        const double ratio = oneMs > 0 ? f.wallMs / oneMs : 0;
        const double cpuShare = f.wallMs > 0 ? f.cpuMs / count / f.wallMs : 0;
        std::printf("%-7d %10.1f %8.3f %10.1f %13.2f%% %d/%d\n", count, f.wallMs, ratio, f.cpuMs,
                    100.0 * cpuShare, f.succeeded, count);
        std::fflush(stdout);
        met = met && f.succeeded == count && ratio <= 1.05 && cpuShare < 0.02;
    }
    std::printf("goal (8 radios <= 1.05 x one, CPU per transfer < 2 %%): %s\n",
                met ? "met" : "NOT met");
    return met ? 0 : 1;
}

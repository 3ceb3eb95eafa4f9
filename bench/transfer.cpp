// Full write and full read of the radio over a pseudo-terminal, as the tool does them:
// QtSerialLink on the slave side, the simulated radio served on the master side by
// PtyRadioServer in a thread of its own. Once answering at once, once with 9600-baud
// wire time. Prints wall time, the tool thread's CPU time, the bytes moved and the
// ratio to the wire-time limit (bytes x 10 bits / 9600 baud).

#include "radio/transfer.h"
#include "bench_radio.h"
#include "channels/channel_table.h"
#include "i18n/ui_texts.h"
#include "radio/qt_serial_link.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

using namespace vrx;
using bench::fillPlan;
using bench::RadioThread;
using bench::threadCpuMs;

struct Figures {
    double wallMs = 0;
    double cpuMs = 0;
    qint64 bytes = 0;
    bool ok = false;
    double wireMs() const { return bytes * 10.0 * 1000.0 / 9600.0; }
    double ratio() const { return wireMs() > 0 ? wallMs / wireMs() : 0; }
    double cpuShare() const { return wallMs > 0 ? cpuMs / wallMs : 0; }
};

template <typename Transfer> Figures measure(RadioThread &radio, Transfer transfer) {
    QtSerialLink link(radio.device());
    Figures f;
    if (!link.open()) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(radio.device()),
                     qPrintable(link.errorString()));
        return f;
    }
    radio.takeBytes();
    const double cpuBefore = threadCpuMs();
    QElapsedTimer clock;
    clock.start();
    const TransferResult result = transfer(link);
    f.wallMs = clock.nsecsElapsed() / 1e6;
    f.cpuMs = threadCpuMs() - cpuBefore;
    link.close();
    f.bytes = radio.takeBytes();
    f.ok = result.ok();
    if (!f.ok)
        std::fprintf(stderr, "transfer failed: %s\n", qPrintable(result.detail));
    return f;
}

void print(const char *mode, const char *op, const Figures &f) {
    std::printf("%-10s %-6s %9.1f %9.1f %6.2f %7lld %9.1f %6.3f %s\n", mode, op, f.wallMs, f.cpuMs,
                100.0 * f.cpuShare(), static_cast<long long>(f.bytes), f.wireMs(), f.ratio(),
                f.ok ? "" : "FAILED");
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const UiTexts texts;
    ChannelTable source;
    fillPlan(source, texts);
    RadioSettings settings;
    BandPlan bands;
    bands.setList(BandList::Band1Rx, {QStringLiteral("400-470MHz")}, 0);
    bands.setList(BandList::Band1Tx, {QStringLiteral("400-470MHz")}, 0);

    std::printf("%-10s %-6s %9s %9s %6s %7s %9s %6s\n", "mode", "op", "wall ms", "cpu ms", "cpu %",
                "bytes", "wire ms", "ratio");
    bool allMet = true;
    for (const bool wireTime : {false, true}) {
        RadioThread radio(wireTime);
        const char *mode = wireTime ? "9600 baud" : "at once";
        const Figures write = measure(radio, [&](SerialLink &link) {
            return writeRadio(link, source, settings, bands, texts);
        });
        ChannelTable target;
        RadioSettings readSettings;
        const Figures read = measure(
            radio, [&](SerialLink &link) { return readRadio(link, target, readSettings, texts); });
        print(mode, "write", write);
        print(mode, "read", read);
        bool same = true;
        for (int n = 1; n <= kChannelCount; ++n)
            same = same && target.row(n) == source.row(n);
        if (!same) {
            std::printf("  read-back differs from what was written\n");
            allMet = false;
        }
        if (wireTime) {
            for (const Figures *f : {&write, &read}) {
                const bool met = f->ok && f->ratio() <= 1.05 && f->cpuShare() < 0.05;
                allMet = allMet && met;
                std::printf("  %s: ratio %.3f (target <= 1.05), cpu %.2f %% (target < 5 %%): %s\n",
                            f == &write ? "write" : "read", f->ratio(), 100.0 * f->cpuShare(),
                            met ? "met" : "MISSED");
            }
        } else {
            const bool met = read.ok && read.wallMs < 300;
            allMet = allMet && met;
            std::printf("  read %.1f ms (target < 300 ms): %s\n", read.wallMs,
                        met ? "met" : "MISSED");
        }
    }
    return allMet ? 0 : 1;
}

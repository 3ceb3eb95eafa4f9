// Parse and write time of a full channel file (199 channels), averaged over many runs.

#include "storage/channel_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

vrx::ChannelPlan fullPlan() {
    vrx::ChannelPlan plan;
    plan.bandText = QStringLiteral("400-470MHz");
    for (int n = 1; n <= vrx::kChannelCount; ++n) {
        const QString freq = QStringLiteral("%1.%2")
                                 .arg(400 + n % 70)
                                 .arg(n * 625 % 100000, 5, 10, QLatin1Char('0'));
        plan.channels[n - 1] = {freq, "67.0", freq, "D023N", "高功率", "宽带", "启用", "禁用"};
    }
    return plan;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QByteArray(argv[1]).toInt() : 2000;
    if (runs <= 0) {
        std::fprintf(stderr, "usage: %s [runs]\n", argv[0]);
        return 2;
    }

    const vrx::ChannelPlan plan = fullPlan();
    const QByteArray bytes = vrx::writeChannelFile(plan);

    // Warm up codecs and allocations before timing.
    for (int i = 0; i < 20; ++i)
        vrx::parseChannelFile(vrx::writeChannelFile(plan));

    QElapsedTimer timer;
    qint64 sizeSum = 0;
    timer.start();
    for (int i = 0; i < runs; ++i)
        sizeSum += vrx::writeChannelFile(plan).size();
    const double writeMs = double(timer.nsecsElapsed()) / 1e6 / runs;

    int parsedOk = 0;
    timer.restart();
    for (int i = 0; i < runs; ++i)
        parsedOk += vrx::parseChannelFile(bytes).ok() ? 1 : 0;
    const double parseMs = double(timer.nsecsElapsed()) / 1e6 / runs;

    if (parsedOk != runs || sizeSum != qint64(bytes.size()) * runs) {
        std::fprintf(stderr, "unexpected result: %d of %d parsed\n", parsedOk, runs);
        return 1;
    }
    std::printf("channel file of %lld bytes, %d runs\n", static_cast<long long>(bytes.size()),
                runs);
    std::printf("write: %.3f ms  parse: %.3f ms  parse+write: %.3f ms (target: well under 10 ms)\n",
                writeMs, parseMs, writeMs + parseMs);
    return 0;
}

#pragma once

// What the transfer benchmarks share: the simulated radio served on a pseudo-terminal in
// a thread of its own, and a plan with all 199 channels filled.

#include "channels/channel_table.h"
#include "i18n/ui_texts.h"
#include "radio/pty_radio_server.h"

#include <QObject>
#include <QThread>

#include <atomic>

#include <sys/resource.h>

namespace vrx::bench {

inline double threadCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The radio in its own thread, so the tool's thread is measured alone.
class RadioThread {
public:
    explicit RadioThread(bool wireTime) {
        thread_.start();
        anchor_.moveToThread(&thread_);
        QMetaObject::invokeMethod(
            &anchor_,
            [this, wireTime] {
                server_ = new PtyRadioServer;
                server_->setWireTime(wireTime);
                QObject::connect(server_, &PtyRadioServer::bytesReceived,
                                 [this](int n) { bytes_ += n; });
                QObject::connect(server_, &PtyRadioServer::replySent,
                                 [this](int n) { bytes_ += n; });
                server_->start();
                device_ = server_->devicePath();
            },
            Qt::BlockingQueuedConnection);
    }
    ~RadioThread() {
        QMetaObject::invokeMethod(
            &anchor_, [this] { delete server_; }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    QString device() const { return device_; }
    // Bytes both ways since the last call.
    qint64 takeBytes() { return bytes_.exchange(0); }

private:
    QThread thread_;
    QObject anchor_;
    PtyRadioServer *server_ = nullptr;
    QString device_;
    std::atomic<qint64> bytes_{0};
};

inline void fillPlan(ChannelTable &table, const UiTexts &texts) {
    for (int n = 1; n <= kChannelCount; ++n) {
        const QString freq = QStringLiteral("%1.%2")
                                 .arg(400 + n % 70)
                                 .arg(n * 625 % 100000, 5, 10, QLatin1Char('0'));
        table.setRow(n, {freq, QStringLiteral("67.0"), freq, QStringLiteral("D023N"),
                         texts.highText, texts.wideText, texts.onText, texts.offText});
    }
}

} // namespace vrx::bench

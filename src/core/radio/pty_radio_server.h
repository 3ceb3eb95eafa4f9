#pragma once

#include "radio/simulated_radio.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

namespace vrx {

// Serves a SimulatedRadio on a pseudo-terminal, so that the real tool (QtSerialLink,
// vrxctl, the GUI) can open the slave side like a serial port and talk to it.
//
// Bytes from the tool are handed to the radio with the time they arrived; each reply
// chunk is written when it falls due. Without wire time the answers come at once (after
// any delay a fault adds). With wire time the server plays a 9600-baud line, 10 bits a
// byte each way: a command counts as arrived once its last byte has crossed the line,
// and each reply byte becomes readable as soon as it has crossed back. The line is timed
// to the microsecond here rather than in the radio model, whose reply times are whole
// milliseconds: rounding every short exchange up would add several per cent.
//
// The server keeps a descriptor of the slave side open itself: without it the master
// would see a hangup whenever a client closes the port, and the next client session
// would find a dead line.
class PtyRadioServer : public QObject {
    Q_OBJECT
public:
    // 10 bits (start, 8 data, stop) at 9600 baud.
    static constexpr qint64 kByteNs = 10'000'000'000LL / 9600;

    explicit PtyRadioServer(QObject *parent = nullptr);
    ~PtyRadioServer() override;

    PtyRadioServer(const PtyRadioServer &) = delete;
    PtyRadioServer &operator=(const PtyRadioServer &) = delete;

    // The hosted radio: set its memory and fault before or between sessions.
    SimulatedRadio &radio() { return radio_; }
    const SimulatedRadio &radio() const { return radio_; }

    // Plays a 9600-baud line. The radio's own wire time is switched off while the
    // server times the line, so that no byte is counted twice.
    void setWireTime(bool enabled);
    bool wireTime() const { return wireTime_; }

    // Creates the pseudo-terminal in raw mode. False (and `error`) when that fails.
    bool start(QString *error = nullptr);
    // Closes the pseudo-terminal and drops what is still on the line.
    void stop();
    bool isRunning() const { return master_ >= 0; }

    // Path of the slave side that a client opens ("/dev/pts/N"); empty when stopped.
    QString devicePath() const { return devicePath_; }

    // Milliseconds since start(): the radio's time base.
    qint64 nowMs() const { return (nowNs() - startNs_) / 1'000'000; }

signals:
    // Bytes from the client were handed to the radio.
    void bytesReceived(int count);
    // A reply chunk was written to the client.
    void replySent(int count);

private:
    // Reply bytes that reach the client at `atNs` (monotonic clock).
    struct LineEvent {
        qint64 atNs = 0;
        QByteArray bytes;
    };

    static qint64 nowNs();
    void readFromClient();
    // Queues a reply; runDueEvents() then writes what is due and arms the alarm.
    void schedule(LineEvent event);
    void runDueEvents();
    void armAlarm();
    void handToRadio(const QByteArray &bytes);
    void writeOut(const QByteArray &bytes);
    void flushOutgoing();

    SimulatedRadio radio_;
    bool wireTime_ = false;
    int master_ = -1;
    int slave_ = -1;
    QString devicePath_;
    QSocketNotifier *readNotifier_ = nullptr;
    QSocketNotifier *writeNotifier_ = nullptr;
    // The alarm for the next line event: a timerfd (nanoseconds) where the system has
    // one, else a QTimer (whole milliseconds).
    int alarmFd_ = -1;
    QSocketNotifier *alarmNotifier_ = nullptr;
    QTimer alarmTimer_;
    qint64 startNs_ = 0;
    // When each direction of the line is free again.
    qint64 toRadioFreeNs_ = 0;
    qint64 toClientFreeNs_ = 0;
    // Replies on their way, in time order.
    QList<LineEvent> events_;
    // Due bytes that the master did not take yet (its buffer was full).
    QByteArray outgoing_;
};

} // namespace vrx

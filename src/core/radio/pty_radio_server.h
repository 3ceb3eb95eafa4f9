#pragma once

#include "radio/simulated_radio.h"

#include <QByteArray>
#include <QElapsedTimer>
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
// chunk is written when it falls due, so with the radio's wire time switched on the
// tool sees 9600-baud timing, and without it the answers come at once.
//
// The server keeps a descriptor of the slave side open itself: without it the
// master would see a hangup whenever a client closes the port, and the next client
// session would find a dead line.
class PtyRadioServer : public QObject {
    Q_OBJECT
public:
    explicit PtyRadioServer(QObject *parent = nullptr);
    ~PtyRadioServer() override;

    PtyRadioServer(const PtyRadioServer &) = delete;
    PtyRadioServer &operator=(const PtyRadioServer &) = delete;

    // The hosted radio: set its memory, fault and wire time before or between sessions.
    SimulatedRadio &radio() { return radio_; }
    const SimulatedRadio &radio() const { return radio_; }

    // Creates the pseudo-terminal in raw mode. False (and `error`) when that fails.
    bool start(QString *error = nullptr);
    // Closes the pseudo-terminal and drops replies not yet delivered.
    void stop();
    bool isRunning() const { return master_ >= 0; }

    // Path of the slave side that a client opens ("/dev/pts/N"); empty when stopped.
    QString devicePath() const { return devicePath_; }

    // Milliseconds since start(): the radio's time base.
    qint64 nowMs() const { return clock_.elapsed(); }

signals:
    // Bytes from the client were handed to the radio.
    void bytesReceived(int count);
    // A reply chunk was written to the client.
    void replySent(int count);

private:
    void readFromClient();
    void deliverDue();
    void scheduleDelivery();
    void writeOut(const QByteArray &bytes);
    void flushOutgoing();

    SimulatedRadio radio_;
    int master_ = -1;
    int slave_ = -1;
    QString devicePath_;
    QSocketNotifier *readNotifier_ = nullptr;
    QSocketNotifier *writeNotifier_ = nullptr;
    QTimer deliveryTimer_;
    QElapsedTimer clock_;
    // Reply chunks not yet due, in due order.
    QList<SimulatedRadio::Chunk> pending_;
    // Due bytes that the master did not take yet (its buffer was full).
    QByteArray outgoing_;
};

} // namespace vrx

#pragma once

#include "radio/serial_link.h"

#include <QSerialPort>
#include <QString>

class QEventLoop;

namespace vrx {

// Opens `device` exclusively and closes it again at once, so that a port that is
// missing or held by another program is reported before any transfer starts.
// On failure `error` (when given) receives the port's error text.
bool probeSerialPort(const QString &device, QString *error = nullptr);

// SerialLink over a real serial device (or a pseudo-terminal) through Qt SerialPort.
//
// Waits run a local event loop, so the caller's windows stay alive and the process
// sleeps until bytes arrive, the time is up or the port fails. A port error (the
// cable pulled, the device gone) ends any wait at once, sets failed() and closes
// the device, so a dead device cannot keep waking the event loop.
class QtSerialLink : public SerialLink {
public:
    // `device` is a device path ("/dev/ttyUSB0") or a name Qt resolves ("ttyUSB0").
    explicit QtSerialLink(const QString &device);
    ~QtSerialLink() override;

    QtSerialLink(const QtSerialLink &) = delete;
    QtSerialLink &operator=(const QtSerialLink &) = delete;

    QString device() const { return device_; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }

    void send(const QByteArray &bytes) override;
    QByteArray waitForBytes(int count, int timeoutMs) override;
    void pause(int ms) override;

    int discardInput() override;
    void discardOutput() override;

    bool failed() const override { return failed_; }
    QString errorString() const override { return errorString_; }

private:
    void onError(QSerialPort::SerialPortError error);
    void onReadyRead();
    // Runs the event loop until `ms` have passed or the loop is quit early.
    void runLoop(int ms);

    QString device_;
    QSerialPort port_;
    QString errorString_;
    bool failed_ = false;
    bool opening_ = false;
    // Set while a wait runs: the byte count that ends it early (0 = none).
    int awaited_ = 0;
    QEventLoop *loop_ = nullptr;
};

} // namespace vrx

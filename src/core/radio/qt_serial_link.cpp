#include "radio/qt_serial_link.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace vrx {

namespace {

void configureLine(QSerialPort &port) {
    port.setBaudRate(QSerialPort::Baud9600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

// Errors that mean the device can no longer be used. A timeout is only the answer
// to a blocking wait (not used here), and an unsupported operation is a modem line
// that the device does not have.
bool isFatal(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::UnsupportedOperationError:
        return false;
    default:
        return true;
    }
}

// What a fatal error during a session means, in words of our own: after a hangup
// the port's text is often a leftover errno of an unrelated earlier call (an ioctl
// that a pseudo-terminal does not support), which would only mislead.
QString sessionErrorText(QSerialPort::SerialPortError error, const QString &device) {
    if (!QFileInfo::exists(device))
        return QStringLiteral("the serial device %1 was disconnected").arg(device);
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("the serial device %1 was disconnected (the line hung up)")
            .arg(device);
    case QSerialPort::ReadError:
        return QStringLiteral("reading from %1 failed; the device may have been disconnected")
            .arg(device);
    case QSerialPort::WriteError:
        return QStringLiteral("writing to %1 failed; the device may have been disconnected")
            .arg(device);
    case QSerialPort::PermissionError:
        return QStringLiteral("access to %1 was lost").arg(device);
    default:
        return QStringLiteral("the port %1 reported error %2").arg(device).arg(int(error));
    }
}

} // namespace

bool probeSerialPort(const QString &device, QString *error) {
    // Qt opens a serial port exclusively on every platform (a lock file plus
    // TIOCEXCL on Unix, no sharing on Windows), which is exactly the probe.
    QSerialPort port;
    port.setPortName(device);
    configureLine(port);
    if (!port.open(QIODevice::ReadWrite)) {
        if (error)
            *error = port.errorString();
        return false;
    }
    port.close();
    return true;
}

QtSerialLink::QtSerialLink(const QString &device) : device_(device) {
    port_.setPortName(device_);
    configureLine(port_);
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { onReadyRead(); });
}

QtSerialLink::~QtSerialLink() {
    close();
}

bool QtSerialLink::open() {
    if (port_.isOpen())
        return true;
    failed_ = false;
    errorString_.clear();
    opening_ = true;
    const bool opened = port_.open(QIODevice::ReadWrite);
    if (opened) {
        // Programming cables often take their power from the modem lines, so raise
        // both. A pseudo-terminal has no modem lines; that is not a failure.
        port_.setDataTerminalReady(true);
        port_.setRequestToSend(true);
        // Whatever a previous session left in the line is not for us.
        port_.clear(QSerialPort::AllDirections);
        port_.clearError();
    } else {
        errorString_ = port_.errorString();
    }
    opening_ = false;
    return opened;
}

void QtSerialLink::close() {
    if (!port_.isOpen())
        return;
    // Hand the last command (the end command) to the driver before letting go.
    if (!failed_)
        port_.flush();
    port_.close();
}

void QtSerialLink::send(const QByteArray &bytes) {
    if (!port_.isOpen() || failed_ || bytes.isEmpty())
        return;
    port_.write(bytes);
    // Qt would write from the event loop; push the bytes out now so the radio's
    // reply time starts with the command, not with the next wait.
    port_.flush();
}

QByteArray QtSerialLink::waitForBytes(int count, int timeoutMs) {
    if (!port_.isOpen())
        return {};
    if (!failed_ && count > 0 && port_.bytesAvailable() < count && timeoutMs > 0) {
        const int previous = awaited_;
        awaited_ = count;
        runLoop(timeoutMs);
        awaited_ = previous;
    }
    // A fatal error may have closed the device inside the loop.
    return port_.isOpen() ? port_.readAll() : QByteArray();
}

void QtSerialLink::pause(int ms) {
    if (!port_.isOpen() || failed_ || ms <= 0)
        return;
    const int previous = awaited_;
    awaited_ = 0;
    runLoop(ms);
    awaited_ = previous;
}

int QtSerialLink::discardInput() {
    if (!port_.isOpen() || failed_)
        return 0;
    // Outside a wait nothing moves the driver's bytes into the port's buffer: fetch
    // them, so that what is dropped can be counted.
    port_.waitForReadyRead(0);
    if (!port_.isOpen())
        return 0;
    const int dropped = int(port_.readAll().size());
    port_.clear(QSerialPort::Input);
    return dropped;
}

void QtSerialLink::discardOutput() {
    if (port_.isOpen())
        port_.clear(QSerialPort::Output);
}

void QtSerialLink::runLoop(int ms) {
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    // A coarse timer may fire 5 % early or late; the protocol's waits are exact.
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QEventLoop *outer = loop_;
    loop_ = &loop;
    timer.start(ms);
    loop.exec();
    loop_ = outer;
}

void QtSerialLink::onReadyRead() {
    if (loop_ && awaited_ > 0 && port_.bytesAvailable() >= awaited_)
        loop_->quit();
}

void QtSerialLink::onError(QSerialPort::SerialPortError error) {
    // Open failures are reported by open() itself.
    if (opening_ || !isFatal(error))
        return;
    if (!failed_) {
        failed_ = true;
        errorString_ = sessionErrorText(error, device_);
    }
    if (loop_)
        loop_->quit();
    // A vanished device keeps signalling; close it, but not from inside the port's
    // own notification.
    QMetaObject::invokeMethod(
        &port_,
        [this] {
            if (port_.isOpen())
                port_.close();
        },
        Qt::QueuedConnection);
}

} // namespace vrx

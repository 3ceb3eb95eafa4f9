#include "radio/pty_radio_server.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace vrx {

namespace {

QString systemError(const char *what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

bool setFlag(int fd, int getCmd, int setCmd, int flag) {
    const int flags = ::fcntl(fd, getCmd);
    return flags >= 0 && ::fcntl(fd, setCmd, flags | flag) == 0;
}

} // namespace

PtyRadioServer::PtyRadioServer(QObject *parent) : QObject(parent) {
    deliveryTimer_.setSingleShot(true);
    // Replies of a 9600-baud line are a few milliseconds apart: a coarse timer would
    // stretch every one of them.
    deliveryTimer_.setTimerType(Qt::PreciseTimer);
    connect(&deliveryTimer_, &QTimer::timeout, this, &PtyRadioServer::deliverDue);
}

PtyRadioServer::~PtyRadioServer() {
    stop();
}

bool PtyRadioServer::start(QString *error) {
    if (isRunning())
        return true;
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        if (error)
            *error = systemError("openpty");
        return false;
    }
    auto fail = [&](const char *what) {
        if (error)
            *error = systemError(what);
        ::close(master);
        ::close(slave);
        return false;
    };

    // Raw bytes both ways: no echo, no line editing, no CR/LF translation.
    termios tio{};
    if (::tcgetattr(slave, &tio) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(slave, TCSANOW, &tio) != 0)
        return fail("tcsetattr");

    char name[256] = {};
    if (::ttyname_r(slave, name, sizeof name) != 0) {
        errno = errno ? errno : ENOTTY;
        return fail("ttyname");
    }
    // Child processes (a tool started by a test) must not inherit the radio's ends.
    if (!setFlag(master, F_GETFD, F_SETFD, FD_CLOEXEC) ||
        !setFlag(slave, F_GETFD, F_SETFD, FD_CLOEXEC) ||
        !setFlag(master, F_GETFL, F_SETFL, O_NONBLOCK))
        return fail("fcntl");

    master_ = master;
    slave_ = slave;
    devicePath_ = QString::fromLocal8Bit(name);
    clock_.start();

    readNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(readNotifier_, &QSocketNotifier::activated, this, &PtyRadioServer::readFromClient);
    writeNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Write, this);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &PtyRadioServer::flushOutgoing);
    return true;
}

void PtyRadioServer::stop() {
    if (!isRunning())
        return;
    deliveryTimer_.stop();
    delete readNotifier_;
    readNotifier_ = nullptr;
    delete writeNotifier_;
    writeNotifier_ = nullptr;
    ::close(master_);
    ::close(slave_);
    master_ = -1;
    slave_ = -1;
    devicePath_.clear();
    pending_.clear();
    outgoing_.clear();
}

void PtyRadioServer::readFromClient() {
    QByteArray bytes;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            // Only possible if the slave side was closed under us: stop listening
            // rather than spin on a line that keeps reporting the hangup.
            readNotifier_->setEnabled(false);
        }
        break;
    }
    if (bytes.isEmpty())
        return;

    const qint64 now = nowMs();
    const QList<SimulatedRadio::Chunk> replies = radio_.receive(bytes, now);
    emit bytesReceived(int(bytes.size()));
    for (const SimulatedRadio::Chunk &chunk : replies) {
        if (chunk.bytes.isEmpty())
            continue;
        // Stable insertion keeps chunks that fall due together in the radio's order.
        auto at = std::upper_bound(
            pending_.begin(), pending_.end(), chunk.dueMs,
            [](qint64 due, const SimulatedRadio::Chunk &c) { return due < c.dueMs; });
        pending_.insert(at, chunk);
    }
    deliverDue();
}

void PtyRadioServer::deliverDue() {
    const qint64 now = nowMs();
    while (!pending_.isEmpty() && pending_.front().dueMs <= now) {
        const QByteArray bytes = pending_.takeFirst().bytes;
        writeOut(bytes);
        emit replySent(int(bytes.size()));
    }
    scheduleDelivery();
}

void PtyRadioServer::scheduleDelivery() {
    if (pending_.isEmpty()) {
        deliveryTimer_.stop();
        return;
    }
    const qint64 wait = std::max<qint64>(0, pending_.front().dueMs - nowMs());
    deliveryTimer_.start(int(std::min<qint64>(wait, 60 * 60 * 1000)));
}

void PtyRadioServer::writeOut(const QByteArray &bytes) {
    outgoing_.append(bytes);
    flushOutgoing();
}

void PtyRadioServer::flushOutgoing() {
    while (!outgoing_.isEmpty() && master_ >= 0) {
        const ssize_t n = ::write(master_, outgoing_.constData(), size_t(outgoing_.size()));
        if (n > 0) {
            outgoing_.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            writeNotifier_->setEnabled(true);
            return;
        }
        // The line is gone; what was due cannot be delivered.
        outgoing_.clear();
        break;
    }
    if (writeNotifier_)
        writeNotifier_->setEnabled(false);
}

} // namespace vrx

#include "radio/pty_radio_server.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/prctl.h>
#include <sys/timerfd.h>
#endif

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
    // A child moves along when the server is moved to another thread.
    alarmTimer_.setParent(this);
    alarmTimer_.setSingleShot(true);
    alarmTimer_.setTimerType(Qt::PreciseTimer);
    connect(&alarmTimer_, &QTimer::timeout, this, &PtyRadioServer::runDueEvents);
}

PtyRadioServer::~PtyRadioServer() {
    stop();
}

qint64 PtyRadioServer::nowNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void PtyRadioServer::setWireTime(bool enabled) {
    wireTime_ = enabled;
    if (enabled)
        radio_.setWireTime(false);
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
    if (const int rc = ::ttyname_r(slave, name, sizeof name); rc != 0) {
        errno = rc;
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
    startNs_ = nowNs();
    toRadioFreeNs_ = startNs_;
    toClientFreeNs_ = startNs_;

    readNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(readNotifier_, &QSocketNotifier::activated, this, &PtyRadioServer::readFromClient);
    writeNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Write, this);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &PtyRadioServer::flushOutgoing);

#ifdef __linux__
    // Wake-ups may otherwise be deferred by 50 us each, which a 9600-baud line of
    // short exchanges notices.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
    alarmFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (alarmFd_ >= 0) {
        alarmNotifier_ = new QSocketNotifier(alarmFd_, QSocketNotifier::Read, this);
        connect(alarmNotifier_, &QSocketNotifier::activated, this, [this] {
            quint64 expirations = 0;
            [[maybe_unused]] const ssize_t n = ::read(alarmFd_, &expirations, sizeof expirations);
            runDueEvents();
        });
    }
#endif
    return true;
}

void PtyRadioServer::stop() {
    if (!isRunning())
        return;
    alarmTimer_.stop();
    delete alarmNotifier_;
    alarmNotifier_ = nullptr;
    if (alarmFd_ >= 0)
        ::close(alarmFd_);
    alarmFd_ = -1;
    delete readNotifier_;
    readNotifier_ = nullptr;
    delete writeNotifier_;
    writeNotifier_ = nullptr;
    ::close(master_);
    ::close(slave_);
    master_ = -1;
    slave_ = -1;
    devicePath_.clear();
    events_.clear();
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
    handToRadio(bytes);
    runDueEvents();
}

void PtyRadioServer::handToRadio(const QByteArray &bytes) {
    // On a timed line the command is complete for the radio once its last byte has
    // crossed. The radio may take it now: nothing it does shows before its reply,
    // and one wake-up less per exchange keeps the emulated line close to the real one.
    qint64 arrived = nowNs();
    if (wireTime_) {
        arrived = std::max(arrived, toRadioFreeNs_) + bytes.size() * kByteNs;
        toRadioFreeNs_ = arrived;
    }
    const qint64 arrivedMs = (arrived - startNs_) / 1'000'000;
    const QList<SimulatedRadio::Chunk> replies = radio_.receive(bytes, arrivedMs);
    emit bytesReceived(int(bytes.size()));
    for (const SimulatedRadio::Chunk &chunk : replies) {
        if (chunk.bytes.isEmpty())
            continue;
        // The radio's own delay (a late or split reply) counts from the arrival.
        const qint64 at = arrived + std::max<qint64>(0, chunk.dueMs - arrivedMs) * 1'000'000;
        if (!wireTime_) {
            schedule({at, chunk.bytes});
            continue;
        }
        // Byte by byte, as a real line delivers them: a tool that takes a reply as
        // soon as it has enough bytes sees exactly what it would see on a cable.
        qint64 byteAt = std::max(at, toClientFreeNs_);
        for (const char byte : chunk.bytes) {
            byteAt += kByteNs;
            schedule({byteAt, QByteArray(1, byte)});
        }
        toClientFreeNs_ = byteAt;
    }
}

void PtyRadioServer::schedule(LineEvent event) {
    // Stable: events due together keep the order they were made in.
    auto at = std::upper_bound(events_.begin(), events_.end(), event.atNs,
                               [](qint64 t, const LineEvent &e) { return t < e.atNs; });
    events_.insert(at, std::move(event));
}

void PtyRadioServer::runDueEvents() {
    while (!events_.isEmpty() && events_.front().atNs <= nowNs()) {
        const LineEvent event = events_.takeFirst();
        writeOut(event.bytes);
        emit replySent(int(event.bytes.size()));
    }
    armAlarm();
}

void PtyRadioServer::armAlarm() {
    alarmTimer_.stop();
#ifdef __linux__
    if (alarmFd_ >= 0 && events_.isEmpty()) {
        const itimerspec disarm{};
        ::timerfd_settime(alarmFd_, 0, &disarm, nullptr);
    }
#endif
    if (events_.isEmpty())
        return;
    const qint64 at = events_.front().atNs;
#ifdef __linux__
    if (alarmFd_ >= 0) {
        itimerspec deadline{};
        deadline.it_value.tv_sec = time_t(at / 1'000'000'000);
        deadline.it_value.tv_nsec = long(at % 1'000'000'000);
        // A deadline already past fires at once; zero would disarm instead.
        if (deadline.it_value.tv_sec == 0 && deadline.it_value.tv_nsec == 0)
            deadline.it_value.tv_nsec = 1;
        if (::timerfd_settime(alarmFd_, TFD_TIMER_ABSTIME, &deadline, nullptr) == 0)
            return;
    }
#endif
    const qint64 waitNs = std::max<qint64>(0, at - nowNs());
    alarmTimer_.start(int(std::min<qint64>((waitNs + 999'999) / 1'000'000, 3'600'000)));
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

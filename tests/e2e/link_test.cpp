// QtSerialLink against a bare pseudo-terminal whose master side the test drives.

#include "radio/port_diagnosis.h"
#include "radio/qt_serial_link.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace vrx {
namespace {

// A pseudo-terminal in raw mode; the test plays the radio on the master side.
class RawPty : public ::testing::Test {
protected:
    void SetUp() override {
        int slave = -1;
        ASSERT_EQ(::openpty(&master_, &slave, nullptr, nullptr, nullptr), 0);
        termios tio{};
        ASSERT_EQ(::tcgetattr(slave, &tio), 0);
        ::cfmakeraw(&tio);
        ASSERT_EQ(::tcsetattr(slave, TCSANOW, &tio), 0);
        char name[256] = {};
        ASSERT_EQ(::ttyname_r(slave, name, sizeof name), 0);
        path_ = QString::fromLocal8Bit(name);
        // Keep a slave descriptor so the master never sees a hangup between opens.
        slave_ = slave;
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    void TearDown() override {
        if (master_ >= 0)
            ::close(master_);
        if (slave_ >= 0)
            ::close(slave_);
    }

    // Writes `bytes` on the radio's side after `ms`, from the event loop.
    void radioSendsLater(int ms, const QByteArray &bytes) {
        QTimer::singleShot(ms, Qt::PreciseTimer, [this, bytes] {
            ASSERT_EQ(::write(master_, bytes.constData(), size_t(bytes.size())),
                      ssize_t(bytes.size()));
        });
    }
    QByteArray radioReads() {
        QByteArray out;
        char buffer[256];
        ssize_t n;
        while ((n = ::read(master_, buffer, sizeof buffer)) > 0)
            out.append(buffer, n);
        return out;
    }
    void pullCable() {
        ::close(master_);
        master_ = -1;
        ::close(slave_);
        slave_ = -1;
    }

    int master_ = -1;
    int slave_ = -1;
    QString path_;
};

qint64 threadCpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

TEST_F(RawPty, OpensExclusivelyAndProbeSeesTheHolder) {
    QString error;
    EXPECT_TRUE(probeSerialPort(path_, &error)) << error.toStdString();

    QtSerialLink first(path_);
    ASSERT_TRUE(first.open()) << first.errorString().toStdString();
    EXPECT_TRUE(first.isOpen());
    EXPECT_FALSE(first.failed());

    QtSerialLink second(path_);
    EXPECT_FALSE(second.open());
    EXPECT_FALSE(second.isOpen());
    EXPECT_FALSE(second.errorString().isEmpty());
    error.clear();
    EXPECT_FALSE(probeSerialPort(path_, &error));
    EXPECT_FALSE(error.isEmpty());

    first.close();
    EXPECT_FALSE(first.isOpen());
    EXPECT_TRUE(probeSerialPort(path_, &error)) << error.toStdString();
    EXPECT_TRUE(second.open()) << second.errorString().toStdString();
}

TEST_F(RawPty, DiagnosisSeesThatThisProgramHoldsThePort) {
    QtSerialLink transfer(path_);
    ASSERT_TRUE(transfer.open());
    QString error;
    ASSERT_FALSE(probeSerialPort(path_, &error));
    EXPECT_EQ(diagnosePort(path_, error).fault, PortFault::HeldByThisProgram);
    transfer.close();
    // Once let go, nothing holds it: what is left is the open's own error text.
    const PortDiagnosis free = diagnosePort(path_, QStringLiteral("some error"));
    EXPECT_EQ(free.fault, PortFault::Other);
    EXPECT_EQ(free.systemError, QStringLiteral("some error"));
}

TEST(PortDiagnosis, AMissingDeviceIsMissing) {
    const PortDiagnosis d = diagnosePort(QStringLiteral("/dev/vrx-no-such-port"), QString());
    EXPECT_EQ(d.fault, PortFault::Missing);
    EXPECT_FALSE(d.presentPorts.contains(QStringLiteral("/dev/vrx-no-such-port")));
}

TEST(SerialProbe, MissingOrNonSerialDeviceFailsWithText) {
    for (const QString &device :
         {QStringLiteral("/dev/vrx-no-such-port"), QStringLiteral("/dev/null")}) {
        QString error;
        EXPECT_FALSE(probeSerialPort(device, &error)) << device.toStdString();
        EXPECT_FALSE(error.isEmpty()) << device.toStdString();
        QtSerialLink link(device);
        EXPECT_FALSE(link.open()) << device.toStdString();
        EXPECT_FALSE(link.errorString().isEmpty());
        // Nothing to do on a link that never opened, and nothing breaks.
        link.send(QByteArray("\x06", 1));
        EXPECT_TRUE(link.waitForBytes(1, 10).isEmpty());
    }
}

TEST_F(RawPty, LinesAreRawAt9600Baud) {
    QtSerialLink link(path_);
    ASSERT_TRUE(link.open());
    termios tio{};
    ASSERT_EQ(::tcgetattr(slave_, &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), speed_t(B9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), tcflag_t(0));
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), tcflag_t(0));

    // Every byte value passes unchanged in both directions (no CR/LF or XON/XOFF
    // handling).
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    link.send(all);
    link.pause(20);
    EXPECT_EQ(radioReads(), all);
    radioSendsLater(0, all);
    EXPECT_EQ(link.waitForBytes(256, 1000), all);
}

struct WaitCase {
    const char *name;
    QList<QPair<int, QByteArray>> bursts; // (ms after the wait starts, bytes)
    int count;
    int timeoutMs;
    QByteArray expected;
    int minMs; // the wait may not end before this
    int maxMs; // ... and must end before this
};
void PrintTo(const WaitCase &c, std::ostream *os) {
    *os << c.name;
}

class LinkWait : public RawPty, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(LinkWait, EndsWhenEnoughBytesAreBufferedOrTimeIsUp) {
    const WaitCase &c = GetParam();
    QtSerialLink link(path_);
    ASSERT_TRUE(link.open());
    for (const auto &burst : c.bursts)
        radioSendsLater(burst.first, burst.second);
    QElapsedTimer clock;
    clock.start();
    const QByteArray got = link.waitForBytes(c.count, c.timeoutMs);
    const qint64 took = clock.elapsed();
    EXPECT_EQ(got.toHex(), c.expected.toHex());
    EXPECT_GE(took, c.minMs);
    EXPECT_LT(took, c.maxMs);
    EXPECT_FALSE(link.failed());
}

const QByteArray kIdentReply = QByteArray::fromHex("06206B6F7276616E");
const QByteArray kReadReply = QByteArray::fromHex("520C900800112233445566FF");

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkWait,
    ::testing::Values(
        WaitCase{"ReplyEndsTheWaitEarly", {{20, kIdentReply}}, 8, 2000, kIdentReply, 15, 500},
        WaitCase{"SplitReplyWaitsForTheRest",
                 {{10, kReadReply.left(4)}, {80, kReadReply.mid(4)}},
                 12,
                 2000,
                 kReadReply,
                 70,
                 600},
        WaitCase{"NothingArrives", {}, 1, 250, {}, 245, 400},
        WaitCase{"ShortReplyIsReturnedAfterTheTimeout",
                 {{10, QByteArray::fromHex("062011")}},
                 8,
                 150,
                 QByteArray::fromHex("062011"),
                 145,
                 400},
        WaitCase{"ExtraBytesInTheSameBurstAreReturnedToo",
                 {{10, kIdentReply + QByteArray(1, '\x00')}},
                 8,
                 2000,
                 kIdentReply + QByteArray(1, '\x00'),
                 5,
                 500},
        WaitCase{"ZeroCountReturnsAtOnce", {}, 0, 2000, {}, 0, 100}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(RawPty, BufferedBytesAreTakenWithoutWaiting) {
    QtSerialLink link(path_);
    ASSERT_TRUE(link.open());
    radioSendsLater(0, kIdentReply);
    link.pause(30); // arrives during the pause and stays buffered
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(link.waitForBytes(8, 2000), kIdentReply);
    EXPECT_LT(clock.elapsed(), 50);
}

TEST_F(RawPty, PauseDoesNotEndEarlyOnInput) {
    QtSerialLink link(path_);
    ASSERT_TRUE(link.open());
    radioSendsLater(5, kIdentReply);
    QElapsedTimer clock;
    clock.start();
    link.pause(120);
    EXPECT_GE(clock.elapsed(), 115);
}

TEST_F(RawPty, SendReachesTheRadioInOrder) {
    QtSerialLink link(path_);
    ASSERT_TRUE(link.open());
    link.send(QByteArray::fromHex("02"));
    link.send(QByteArray::fromHex("5A414E626F72"));
    // Sent without any event loop turn: the bytes are already in the line.
    EXPECT_EQ(radioReads().toHex(), QByteArray("025a414e626f72"));
}

TEST_F(RawPty, DiscardInputDropsBufferedAndPendingBytes) {
    QtSerialLink link(path_);
    ASSERT_TRUE(link.open());
    radioSendsLater(0, kReadReply);
    link.pause(30);
    // Bytes still in the kernel's queue (not yet seen by Qt) go as well.
    ASSERT_EQ(::write(master_, "\x06\x06", 2), 2);
    // Both are counted: stray input is what tells a noisy line.
    EXPECT_EQ(link.discardInput(), kReadReply.size() + 2);
    EXPECT_TRUE(link.waitForBytes(1, 60).isEmpty());
    EXPECT_EQ(link.discardInput(), 0);
    radioSendsLater(0, QByteArray::fromHex("06"));
    EXPECT_EQ(link.waitForBytes(1, 1000).toHex(), QByteArray("06"));
}

TEST_F(RawPty, OpenDropsWhatAnEarlierSessionLeftInTheLine) {
    ASSERT_EQ(::write(master_, "\x06\x20", 2), 2);
    QtSerialLink link(path_);
    ASSERT_TRUE(link.open());
    EXPECT_TRUE(link.waitForBytes(1, 50).isEmpty());
}

TEST_F(RawPty, WaitSleepsInsteadOfSpinning) {
    QtSerialLink link(path_);
    ASSERT_TRUE(link.open());
    const qint64 cpuBefore = threadCpuMs();
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(link.waitForBytes(12, 400).isEmpty());
    link.pause(200);
    const qint64 wall = clock.elapsed();
    const qint64 cpu = threadCpuMs() - cpuBefore;
    EXPECT_GE(wall, 590);
    // A spinning wait burns the whole 600 ms.
    EXPECT_LT(cpu, 30) << "cpu " << cpu << " ms over " << wall << " ms";
}

TEST_F(RawPty, PulledCableEndsTheWaitAndFailsTheLink) {
    QtSerialLink link(path_);
    ASSERT_TRUE(link.open());
    QTimer::singleShot(50, [this] { pullCable(); });
    QElapsedTimer clock;
    clock.start();
    link.waitForBytes(12, 5000);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(link.failed());
    // The detail says what happened, not a leftover system error.
    EXPECT_TRUE(link.errorString().contains(QLatin1String("disconnected")))
        << link.errorString().toStdString();
    EXPECT_TRUE(link.errorString().contains(path_)) << link.errorString().toStdString();
    EXPECT_FALSE(link.errorString().contains(QLatin1String("ioctl")));

    // Later steps of the failed exchange return at once and do not touch the dead line.
    clock.restart();
    link.send(QByteArray::fromHex("06"));
    EXPECT_TRUE(link.waitForBytes(1, 2000).isEmpty());
    link.pause(2000);
    link.discardInput();
    link.discardOutput();
    EXPECT_LT(clock.elapsed(), 100);
    link.close();
    EXPECT_FALSE(link.isOpen());
}

} // namespace
} // namespace vrx

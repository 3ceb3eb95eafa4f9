// PtyRadioServer with a real QtSerialLink as the client, both in this process: the
// link's waits run the event loop that also serves the radio.

#include "radio/pty_radio_server.h"
#include "radio/qt_serial_link.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

namespace vrx {
namespace {

const QByteArray kStart = QByteArray::fromHex("02");
const QByteArray kIdentWord = QByteArray::fromHex("5A414E626F72");
const QByteArray kIdentReply = QByteArray::fromHex("06206B6F7276616E");
const QByteArray kEnd = QByteArrayLiteral("do");

class PtyServer : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(server_.start(&error)) << error.toStdString();
        ASSERT_TRUE(server_.devicePath().startsWith(QLatin1String("/dev/")))
            << server_.devicePath().toStdString();
    }

    // One handshake attempt as the tool makes it; returns the reply.
    static QByteArray handshake(SerialLink &link) {
        link.discardInput();
        link.send(kStart);
        link.pause(5);
        link.send(kIdentWord);
        return link.waitForBytes(8, 250);
    }

    PtyRadioServer server_;
};

TEST_F(PtyServer, AnswersTheHandshakeOverTheDevice) {
    QtSerialLink link(server_.devicePath());
    ASSERT_TRUE(link.open()) << link.errorString().toStdString();
    EXPECT_EQ(handshake(link).toHex(), kIdentReply.toHex());
    EXPECT_EQ(server_.radio().received(), kStart + kIdentWord);
    EXPECT_TRUE(server_.radio().inCloneMode());
}

TEST_F(PtyServer, ServesOneClientSessionAfterAnother) {
    for (int session = 1; session <= 3; ++session) {
        QtSerialLink link(server_.devicePath());
        ASSERT_TRUE(link.open()) << "session " << session;
        EXPECT_EQ(handshake(link).toHex(), kIdentReply.toHex()) << "session " << session;
        link.send(kEnd);
        link.pause(20);
        link.close();
        EXPECT_FALSE(server_.radio().inCloneMode()) << "session " << session;
    }
    EXPECT_EQ(server_.radio().handshakeCount(), 3);
}

struct TimingCase {
    const char *name;
    bool wireTime;
    QByteArray command; // sent after a handshake; empty: time the handshake itself
    int replyLength;
    int lineBytes; // bytes that cross the line before the reply is readable
    int maxMs;
};
void PrintTo(const TimingCase &c, std::ostream *os) {
    *os << c.name;
}

class PtyServerTiming : public PtyServer, public ::testing::WithParamInterface<TimingCase> {};

// With wire time a reply can only be read once the command has crossed the line and the
// reply has come back, 1.04 ms a byte: the ident word and its reply are 14 bytes
// (14.6 ms), a block read and its reply 16 (16.7 ms), an acknowledgement 2 (2.1 ms).
TEST_P(PtyServerTiming, DeliversRepliesWhenTheyFallDue) {
    const TimingCase &c = GetParam();
    server_.setWireTime(c.wireTime);
    QtSerialLink link(server_.devicePath());
    ASSERT_TRUE(link.open());
    QByteArray command = c.command;
    if (command.isEmpty()) {
        link.send(kStart);
        link.pause(5);
        command = kIdentWord;
    } else {
        ASSERT_EQ(handshake(link).toHex(), kIdentReply.toHex());
    }
    QElapsedTimer clock;
    clock.start();
    link.send(command);
    EXPECT_EQ(link.waitForBytes(c.replyLength, 250).size(), c.replyLength);
    const qint64 tookUs = clock.nsecsElapsed() / 1000;
    EXPECT_GE(tookUs, c.lineBytes * PtyRadioServer::kByteNs / 1000);
    EXPECT_LT(tookUs, c.maxMs * 1000);
}

const QByteArray kReadCommand = QByteArray::fromHex("52001008");

INSTANTIATE_TEST_SUITE_P(
    Cases, PtyServerTiming,
    ::testing::Values(TimingCase{"HandshakeAtOnce", false, {}, 8, 0, 12},
                      TimingCase{"HandshakeOnTheLine", true, {}, 8, 6 + 8, 100},
                      TimingCase{"ReadOnTheLine", true, kReadCommand, 12, 4 + 12, 100},
                      TimingCase{"AckOnTheLine", true, QByteArray::fromHex("06"), 1, 1 + 1, 50}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PtyServer, SplitReplyArrivesInTwoBursts) {
    server_.radio().setFault({SimulatedRadio::FaultKind::SplitReply, 1});
    QtSerialLink link(server_.devicePath());
    ASSERT_TRUE(link.open());
    link.send(kStart);
    link.pause(5);
    QElapsedTimer clock;
    clock.start();
    link.send(kIdentWord);
    const QByteArray first = link.waitForBytes(8, 100);
    EXPECT_EQ(first.toHex(), kIdentReply.left(4).toHex());
    const QByteArray rest = link.waitForBytes(4, 1000);
    EXPECT_EQ(rest.toHex(), kIdentReply.mid(4).toHex());
    EXPECT_GE(clock.elapsed(), SimulatedRadio::kSplitGapMs - 5);
}

TEST_F(PtyServer, StoppingTheServerFailsTheClientLikeAPulledCable) {
    QtSerialLink link(server_.devicePath());
    ASSERT_TRUE(link.open());
    QTimer::singleShot(30, &server_, [this] { server_.stop(); });
    QElapsedTimer clock;
    clock.start();
    link.waitForBytes(12, 3000);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(link.failed());
    EXPECT_FALSE(server_.isRunning());
    EXPECT_TRUE(server_.devicePath().isEmpty());
}

TEST(PtyServerLifecycle, RestartsOnANewDevice) {
    PtyRadioServer server;
    EXPECT_FALSE(server.isRunning());
    ASSERT_TRUE(server.start());
    server.stop();
    server.stop(); // twice is harmless
    ASSERT_TRUE(server.start());
    EXPECT_FALSE(server.devicePath().isEmpty());
    QtSerialLink link(server.devicePath());
    ASSERT_TRUE(link.open());
    link.send(kStart);
    link.pause(5);
    link.send(kIdentWord);
    EXPECT_EQ(link.waitForBytes(8, 250).toHex(), kIdentReply.toHex());
}

} // namespace
} // namespace vrx

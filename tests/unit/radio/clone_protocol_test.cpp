#include "radio/clone_protocol.h"
#include "radio/simulated_link.h"

#include "radio_test_support.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using test::hex;
using FaultKind = SimulatedRadio::FaultKind;

const QByteArray kHandshakeFrames = hex("02 5A 41 4E 62 6F 72");

struct ProtocolFixture : ::testing::Test {
    SimulatedRadio radio;
    SimulatedLink link{radio};
    CloneProtocol protocol{link};

    void SetUp() override { ASSERT_TRUE(link.open()); }
};

using CloneProtocolSteps = ProtocolFixture;

TEST_F(CloneProtocolSteps, EveryStepSendsItsFrameByteForByte) {
    ASSERT_TRUE(protocol.handshake());
    EXPECT_EQ(protocol.handshakeAttempts(), 1);
    EXPECT_TRUE(protocol.acknowledge());
    EXPECT_EQ(protocol.readBlock(0x0C90), hex("00 00 F3 38 32 36 33 50"));
    EXPECT_TRUE(protocol.acknowledge());
    EXPECT_TRUE(protocol.writeBlock(0x0050, hex("00 00 85 43 25 06 60 44")));
    EXPECT_TRUE(protocol.writeBlock(0x0C78, hex("70 06 23 80 F0 FF FF FF")));
    protocol.endExchange();

    EXPECT_EQ(radio.received(), hex("02 5A 41 4E 62 6F 72"
                                    "06"
                                    "52 0C 90 08"
                                    "06"
                                    "57 00 50 08 00 00 85 43 25 06 60 44"
                                    "57 0C 78 08 70 06 23 80 F0 FF FF FF"
                                    "64 6F"));
    EXPECT_EQ(radio.memory().mid(0x50, 8), hex("00 00 85 43 25 06 60 44"));
    EXPECT_TRUE(radio.endReceived());
    EXPECT_FALSE(radio.inCloneMode());
    // The 5 ms pause inside the handshake and the 50 ms after the end command.
    EXPECT_EQ(link.nowMs(), 55);
}

TEST_F(CloneProtocolSteps, AgingSendsAgAndNoEndCommand) {
    ASSERT_TRUE(protocol.handshake());
    ASSERT_TRUE(protocol.acknowledge());
    protocol.startAging();
    EXPECT_EQ(radio.received(), kHandshakeFrames + hex("06 61 67"));
    EXPECT_TRUE(radio.agingStarted());
    EXPECT_FALSE(radio.endReceived());
}

TEST_F(CloneProtocolSteps, HandshakeSucceedsOnTheThirdAttempt) {
    radio.setFault({FaultKind::Garbage, 1, 2});
    ASSERT_TRUE(protocol.handshake());
    EXPECT_EQ(protocol.handshakeAttempts(), 3);
    EXPECT_EQ(radio.received(), kHandshakeFrames + kHandshakeFrames + kHandshakeFrames);
    // Two wrong answers that never reach 8 bytes cost their full wait.
    EXPECT_EQ(link.nowMs(), 5 + 250 + 5 + 250 + 5);
    EXPECT_TRUE(protocol.acknowledge());
}

struct HandshakeCase {
    const char *name;
    SimulatedRadio::Fault fault;
    bool succeeds;
    int attempts;
    qint64 virtualMs;
};

class Handshake : public ::testing::TestWithParam<HandshakeCase> {};

TEST_P(Handshake, AcceptsOnlyTheExactIdentReply) {
    const auto &c = GetParam();
    SimulatedRadio radio;
    radio.setFault(c.fault);
    SimulatedLink link(radio);
    ASSERT_TRUE(link.open());
    CloneProtocol protocol(link);

    EXPECT_EQ(protocol.handshake(), c.succeeds);
    EXPECT_EQ(protocol.handshakeAttempts(), c.attempts);
    EXPECT_EQ(link.nowMs(), c.virtualMs);
    QByteArray frames;
    for (int i = 0; i < c.attempts; ++i)
        frames += kHandshakeFrames;
    EXPECT_EQ(radio.received(), frames);
}

INSTANTIATE_TEST_SUITE_P(
    Radios, Handshake,
    ::testing::Values(
        HandshakeCase{"Answers", {}, true, 1, 5},
        // Six attempts of 5 + 250 ms: about 1.5 s.
        HandshakeCase{"Silent", {FaultKind::SilentFrom, 1}, false, 6, 6 * 255},
        HandshakeCase{"WrongIdent", {FaultKind::WrongIdent}, false, 6, 6 * 5},
        // One byte more in the same burst: the text differs, every attempt fails.
        HandshakeCase{"ExtraIdentByte", {FaultKind::ExtraIdentByte}, false, 6, 6 * 5},
        // Half a reply by the end of the wait fails the attempt; the retry gets a whole one.
        HandshakeCase{"SplitReply", {FaultKind::SplitReply, 1}, true, 2, 255 + 5},
        HandshakeCase{"LateReply", {FaultKind::LateReply, 1}, true, 2, 255 + 5}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CloneProtocolSteps, ALateReplyNeverPassesForTheNextStepsAnswer) {
    radio.setFault({FaultKind::LateReply, 2});
    ASSERT_TRUE(protocol.handshake());
    EXPECT_FALSE(protocol.acknowledge()); // its 06 comes at 405 ms
    link.pause(200);
    // A frame the radio refuses (outside memory): nothing comes for it, and the stale 06
    // that arrived in between is dropped, not taken as its acknowledgement.
    EXPECT_FALSE(protocol.writeBlock(0x0D00, hex("01 02 03 04 05 06 07 08")));
    EXPECT_EQ(link.discardedBytes(), 1);
}

TEST_F(CloneProtocolSteps, AStepWithoutReplyFailsAfterAnAcknowledgedOne) {
    ASSERT_TRUE(protocol.handshake());
    ASSERT_TRUE(protocol.acknowledge());
    const qint64 before = link.nowMs();
    EXPECT_FALSE(protocol.writeBlock(0x0D00, hex("01 02 03 04 05 06 07 08")));
    EXPECT_EQ(link.nowMs() - before, CloneProtocol::kReplyTimeoutMs);
}

TEST_F(CloneProtocolSteps, AReadReplyShorterThanTwelveBytesGivesNothing) {
    radio.setFault({FaultKind::SplitReply, 2});
    ASSERT_TRUE(protocol.handshake());
    EXPECT_EQ(protocol.readBlock(0x0C90), std::nullopt);
}

TEST_F(CloneProtocolSteps, AReadReplyWithAStaleByteInFrontGivesNothing) {
    // At 9600 baud a late 06 holds up the radio's next answer; it lands in the read's
    // wait just before the 12 bytes.
    radio.setWireTime(true);
    radio.setFault({FaultKind::LateReply, 2});
    ASSERT_TRUE(protocol.handshake());
    EXPECT_FALSE(protocol.acknowledge());
    EXPECT_EQ(protocol.readBlock(0x0C90), std::nullopt);
    // Once the line is clear the steps work again.
    EXPECT_TRUE(protocol.acknowledge());
    EXPECT_EQ(protocol.readBlock(0x0C90), hex("00 00 F3 38 32 36 33 50"));
}

TEST_F(CloneProtocolSteps, APulledCableStopsTheHandshakeAtOnce) {
    link.setFailAtStep(1);
    EXPECT_FALSE(protocol.handshake());
    EXPECT_EQ(protocol.handshakeAttempts(), 1);
    EXPECT_TRUE(protocol.linkFailed());
    EXPECT_EQ(link.nowMs(), 5);
    EXPECT_FALSE(protocol.acknowledge());
    EXPECT_EQ(protocol.readBlock(0x0010), std::nullopt);
    EXPECT_EQ(radio.received(), kHandshakeFrames);
}

} // namespace
} // namespace vrx

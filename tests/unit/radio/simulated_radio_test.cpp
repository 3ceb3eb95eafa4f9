#include "radio/simulated_link.h"
#include "radio/simulated_radio.h"

#include "radio_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace vrx {
namespace {

using test::hex;
using Fault = SimulatedRadio::Fault;
using FaultKind = SimulatedRadio::FaultKind;

const char *const kHandshake = "02 5A 41 4E 62 6F 72";
const char *const kIdentReply = "06 20 6B 6F 72 76 61 6E";

// Feeds bursts at time 0 and returns every reply byte in order.
QByteArray feed(SimulatedRadio &radio, const std::vector<const char *> &bursts) {
    QByteArray replies;
    for (const char *burst : bursts)
        for (const auto &chunk : radio.receive(hex(burst), 0))
            replies += chunk.bytes;
    return replies;
}

struct FrameCase {
    const char *name;
    std::vector<const char *> bursts;
    const char *reply;
    bool cloneModeAfter;
};

class RadioFrames : public ::testing::TestWithParam<FrameCase> {};

TEST_P(RadioFrames, AnswersOnlyWellFormedFramesInOrder) {
    SimulatedRadio radio;
    EXPECT_EQ(feed(radio, GetParam().bursts), hex(GetParam().reply));
    EXPECT_EQ(radio.inCloneMode(), GetParam().cloneModeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Strict, RadioFrames,
    ::testing::Values(
        FrameCase{"Handshake", {"02", "5A 41 4E 62 6F 72"}, kIdentReply, true},
        FrameCase{"HandshakeInOneBurst", {kHandshake}, kIdentReply, true},
        FrameCase{"NoiseBeforeHandshake", {"00 13 02 5A 41", "4E 62 6F 72"}, kIdentReply, true},
        FrameCase{"WrongIdentWord", {"02", "5A 41 4E 62 6F 73"}, "", false},
        FrameCase{"AckBeforeHandshake", {"06"}, "", false},
        FrameCase{"ReadBeforeHandshake", {"52 00 10 08"}, "", false},
        FrameCase{"Ack", {kHandshake, "06"}, "06 20 6B 6F 72 76 61 6E 06", true},
        FrameCase{"ReadIdentBlock",
                  {kHandshake, "52 0C 90 08"},
                  "06 20 6B 6F 72 76 61 6E 57 0C 90 08 00 00 F3 38 32 36 33 50",
                  true},
        FrameCase{"ReadSplitOverBursts",
                  {kHandshake, "52 0C", "88 08"},
                  "06 20 6B 6F 72 76 61 6E 57 0C 88 08 4F 2D 2D FF FF FF FF FF",
                  true},
        FrameCase{"LastBlockOfMemory",
                  {kHandshake, "52 0C F8 08"},
                  "06 20 6B 6F 72 76 61 6E 57 0C F8 08 FF FF FF FF FF FF FF FF",
                  true},
        FrameCase{"ReadLengthNot08", {kHandshake, "52 0C 90 07"}, kIdentReply, true},
        FrameCase{"ReadMisaligned", {kHandshake, "52 0C 94 08"}, kIdentReply, true},
        FrameCase{"ReadOutsideMemory", {kHandshake, "52 0D 00 08"}, kIdentReply, true},
        FrameCase{"ReadNotAcknowledged",
                  {kHandshake, "52 0C 90 08", "52 0C 90 08", "64 6F"},
                  "06 20 6B 6F 72 76 61 6E 57 0C 90 08 00 00 F3 38 32 36 33 50",
                  true},
        FrameCase{"WriteLengthNot08",
                  {kHandshake, "57 00 10 07 01 02 03 04 05 06 07", "06"},
                  "06 20 6B 6F 72 76 61 6E 06",
                  true},
        FrameCase{"EndLeavesCloneMode", {kHandshake, "64 6F", "06"}, kIdentReply, false},
        FrameCase{"AgingNeedsNoAnswer", {kHandshake, "61 67"}, kIdentReply, false},
        FrameCase{"HandshakeAgainInCloneMode",
                  {kHandshake, "52 0C 90 08", kHandshake},
                  "06 20 6B 6F 72 76 61 6E 57 0C 90 08 00 00 F3 38 32 36 33 50 06 20 6B 6F 72 "
                  "76 61 6E",
                  true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SimulatedRadio, WriteStoresTheBlockAndCountsSteps) {
    SimulatedRadio radio;
    const QByteArray before = radio.memory();
    EXPECT_EQ(feed(radio, {kHandshake, "57 00 50 08 00 00 85 43 25 06 60 44"}),
              hex("06 20 6B 6F 72 76 61 6E 06"));
    EXPECT_EQ(radio.memory().mid(0x50, 8), hex("00 00 85 43 25 06 60 44"));
    EXPECT_EQ(radio.memory().left(0x50), before.left(0x50));
    EXPECT_EQ(radio.memory().mid(0x58), before.mid(0x58));
    EXPECT_EQ(radio.stepCount(), 2);

    feed(radio, {"64 6F"});
    EXPECT_TRUE(radio.endReceived());
    EXPECT_FALSE(radio.agingStarted());
    EXPECT_EQ(radio.received().right(2), hex("64 6F"));
}

TEST(SimulatedRadio, SilentFromStepNeitherAnswersNorCarriesOut) {
    SimulatedRadio radio;
    radio.setFault({FaultKind::SilentFrom, 3});
    const QByteArray before = radio.memory();
    EXPECT_EQ(feed(radio, {kHandshake, "06", "57 00 10 08 01 02 03 04 05 06 07 08", "06", "64 6F"}),
              hex("06 20 6B 6F 72 76 61 6E 06"));
    EXPECT_EQ(radio.memory(), before);
    // It still counts what it hears, so a test can tell how far the tool went.
    EXPECT_EQ(radio.stepCount(), 4);
    EXPECT_FALSE(radio.endReceived());
}

struct TimingCase {
    const char *name;
    Fault fault;
    bool wireTime;
    std::vector<std::pair<qint64, const char *>> chunks; // due time, bytes
};

class RadioTiming : public ::testing::TestWithParam<TimingCase> {};

// Handshake at 0 (02, then the ident word at 5 ms), then a read of 0C90 at 100 ms.
TEST_P(RadioTiming, RepliesFallDueAsTheFaultAndWireTimeSay) {
    SimulatedRadio radio;
    radio.setFault(GetParam().fault);
    radio.setWireTime(GetParam().wireTime);
    QList<SimulatedRadio::Chunk> chunks = radio.receive(hex("02"), 0);
    chunks += radio.receive(hex("5A 41 4E 62 6F 72"), 5);
    chunks += radio.receive(hex("52 0C 90 08"), 100);

    std::vector<std::pair<qint64, QByteArray>> got, want;
    for (const auto &c : chunks)
        got.emplace_back(c.dueMs, c.bytes);
    for (const auto &[due, bytes] : GetParam().chunks)
        want.emplace_back(due, hex(bytes));
    EXPECT_EQ(got, want);
}

const char *const kIdentRead = "57 0C 90 08 00 00 F3 38 32 36 33 50";

INSTANTIATE_TEST_SUITE_P(
    Faults, RadioTiming,
    ::testing::Values(
        TimingCase{"Instant", {}, false, {{5, kIdentReply}, {100, kIdentRead}}},
        // 6 bytes in (6.24 ms) + 8 out (8.32 ms); 4 in (4.16 ms) + 12 out (12.48 ms).
        TimingCase{"WireTime", {}, true, {{20, kIdentReply}, {117, kIdentRead}}},
        TimingCase{"Late", {FaultKind::LateReply, 2}, false, {{5, kIdentReply}, {500, kIdentRead}}},
        TimingCase{"Split",
                   {FaultKind::SplitReply, 2},
                   false,
                   {{5, kIdentReply}, {100, "57 0C 90 08 00 00"}, {400, "F3 38 32 36 33 50"}}},
        TimingCase{"GarbageTwice",
                   {FaultKind::Garbage, 1, 2},
                   false,
                   {{5, "15 A5 5A"}, {100, "15 A5 5A"}}},
        TimingCase{"WrongIdent", {FaultKind::WrongIdent}, false, {{5, "06 20 6B 6F 72 76 61 58"}}},
        TimingCase{"ExtraIdentByte",
                   {FaultKind::ExtraIdentByte},
                   false,
                   {{5, "06 20 6B 6F 72 76 61 6E 06"}, {100, kIdentRead}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SimulatedLink, WaitsAdvanceTheVirtualClock) {
    SimulatedRadio radio;
    radio.setFault({FaultKind::LateReply, 2});
    SimulatedLink link(radio);
    ASSERT_TRUE(link.open());

    link.send(hex(kHandshake));
    EXPECT_EQ(link.waitForBytes(8, 250), hex(kIdentReply));
    EXPECT_EQ(link.nowMs(), 0);

    // The ACK's reply is 400 ms late: the wait runs out at 250 ms with nothing...
    link.send(hex("06"));
    EXPECT_EQ(link.waitForBytes(1, 250), QByteArray());
    EXPECT_EQ(link.nowMs(), 250);
    // ...and a later wait takes it when it arrives, not before.
    EXPECT_EQ(link.waitForBytes(1, 250), hex("06"));
    EXPECT_EQ(link.nowMs(), 400);

    link.pause(5);
    EXPECT_EQ(link.nowMs(), 405);
}

TEST(SimulatedLink, DiscardInputDropsWhatHasArrived) {
    SimulatedRadio radio;
    SimulatedLink link(radio);
    ASSERT_TRUE(link.open());
    link.send(hex(kHandshake));
    link.discardInput();
    EXPECT_EQ(link.discardedBytes(), 8);
    EXPECT_EQ(link.waitForBytes(1, 250), QByteArray());
}

TEST(SimulatedLink, PulledCableFailsAtTheStepAndEndsWaitsAtOnce) {
    SimulatedRadio radio;
    SimulatedLink link(radio);
    link.setFailAtStep(2);
    ASSERT_TRUE(link.open());
    link.send(hex(kHandshake));
    EXPECT_EQ(link.waitForBytes(8, 250), hex(kIdentReply));
    link.send(hex("06"));
    EXPECT_TRUE(link.failed());
    EXPECT_FALSE(link.errorString().isEmpty());
    EXPECT_EQ(link.waitForBytes(1, 250), QByteArray());
    EXPECT_EQ(link.nowMs(), 0);
    link.send(hex("06"));
    EXPECT_EQ(radio.stepCount(), 2);
}

TEST(SimulatedLink, OpenCanFailAndCloseDropsInFlightReplies) {
    SimulatedRadio radio;
    SimulatedLink link(radio);
    link.setOpenFails(true);
    EXPECT_FALSE(link.open());
    EXPECT_FALSE(link.isOpen());
    link.send(hex(kHandshake));
    EXPECT_TRUE(radio.received().isEmpty());

    link.setOpenFails(false);
    ASSERT_TRUE(link.open());
    link.send(hex(kHandshake));
    link.close();
    ASSERT_TRUE(link.open());
    EXPECT_EQ(link.waitForBytes(8, 250), QByteArray());
    EXPECT_EQ(link.openCount(), 2);
    EXPECT_EQ(link.closeCount(), 1);
}

} // namespace
} // namespace vrx

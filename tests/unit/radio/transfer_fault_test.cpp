#include "radio/simulated_link.h"
#include "radio/transfer.h"

#include "radio_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace vrx {
namespace {

using test::englishTexts;
using test::hex;
using FaultKind = SimulatedRadio::FaultKind;

// The steps of a transfer in the radio's count (commands that await an answer):
//   1 handshake, 2 acknowledgement, 3 read of 0C90, 4 acknowledgement,
//   read:  channel n at 5 + 4(n-1): read first half, ack, read second half, ack;
//          801 read of the settings block, 802 acknowledgement before "do".
//   write: channel n at 5 + 2(n-1): first half, second half;
//          403 settings, 404 band 1, 405 band 2, 406 ident block.
constexpr int kFirstChannelStep = 5;
constexpr int kReadSteps = 802;
constexpr int kWriteSteps = 406;

const SimulatedRadio &radioWithPlan(const UiTexts &texts) {
    // Written once through a clean write; every case starts from a copy of its memory.
    static SimulatedRadio radio = [&] {
        SimulatedRadio r;
        SimulatedLink link(r);
        link.open();
        ChannelTable plan;
        test::fillVariedPlan(plan, texts);
        RadioSettings settings;
        settings.setIndex(Option::Squelch, 9);
        settings.setIndex(Option::FreqStep, 0);
        settings.setIndex(Option::APO, 0);
        BandPlan bands;
        writeRadio(link, plan, settings, bands, texts);
        r.resetSession();
        return r;
    }();
    return radio;
}

// What a case ends with.
struct Outcome {
    TransferStatus status = TransferStatus::Ok;
    int channel = 0;  // failing channel
    int rowsRead = 0; // read: channels 1..rowsRead as in the radio
    int emptyRow = 0; // read: the channel left empty, 0 for none
    bool settingsRead = false;
    bool endSent = true;
    int timeouts = 0; // waits that ran out (the silent steps the tool tried)
};

Outcome expectedRead(int k) {
    if (k == 1)
        return {TransferStatus::NoResponse, 0, 0, 0, false, false, 6};
    if (k == 2) // the lenient acknowledgement skips the 0C90 read; the next one fails
        return {TransferStatus::NoResponse, 1, 0, 0, false, false, 2};
    if (k == 3)
        return {TransferStatus::NoResponse, 0, 0, 0, false, false, 1};
    if (k == 4)
        return {TransferStatus::NoResponse, 1, 0, 0, false, false, 1};
    if (k <= 800) {
        const int n = (k - kFirstChannelStep) / 4 + 1;
        const int within = (k - kFirstChannelStep) % 4;
        if (within < 3) // inside channel n's blocks: the row was being replaced
            return {TransferStatus::NoResponse, n, n - 1, n, false, false, 1};
        if (n < kChannelCount) // the acknowledgement before channel n + 1
            return {TransferStatus::NoResponse, n + 1, n, 0, false, false, 1};
        // Before the settings block: a lenient point; the final acknowledgement then
        // fails too, and the end command is left out.
        return {TransferStatus::Ok, 0, kChannelCount, 0, false, false, 2};
    }
    if (k == 801)
        return {TransferStatus::NoResponse, 0, kChannelCount, 0, false, false, 1};
    if (k == 802)
        return {TransferStatus::Ok, 0, kChannelCount, 0, true, false, 1};
    return {TransferStatus::Ok, 0, kChannelCount, 0, true, true, 0};
}

TEST(TransferFaultMatrix, ReadWithTheRadioFallingSilentAtEveryStep) {
    const UiTexts texts = englishTexts();
    ChannelTable plan, other;
    test::fillVariedPlan(plan, texts);
    test::fillOtherPlan(other, texts);
    const SimulatedRadio &source = radioWithPlan(texts);
    OptionIndexes before = defaultOptionIndexes();
    before[indexOf(Option::Squelch)] = 5;
    before[indexOf(Option::APO)] = 0;

    for (int k = 1; k <= kReadSteps + 1; ++k) {
        SCOPED_TRACE(::testing::Message() << "silent from step " << k);
        SimulatedRadio radio = source;
        radio.setFault({FaultKind::SilentFrom, k});
        SimulatedLink link(radio);
        ASSERT_TRUE(link.open());
        ChannelTable table;
        test::fillOtherPlan(table, texts);
        RadioSettings settings;
        settings.setIndexes(before);

        const TransferResult result = readRadio(link, table, settings, texts);
        const Outcome want = expectedRead(k);

        ASSERT_EQ(result.status, want.status) << result.detail.toStdString();
        EXPECT_EQ(result.channel, want.channel);
        for (int n = 1; n <= kChannelCount; ++n) {
            const ChannelRow expected = n <= want.rowsRead   ? plan.row(n)
                                        : n == want.emptyRow ? ChannelRow{}
                                                             : other.row(n);
            ASSERT_EQ(table.row(n), expected) << "channel " << n;
        }
        EXPECT_EQ(settings.index(Option::Squelch), want.settingsRead ? 9 : 5);
        EXPECT_EQ(settings.index(Option::FreqStep), want.settingsRead ? 0 : 5);
        EXPECT_EQ(radio.endReceived(), want.endSent);
        // Nothing is sent after the step that failed, and no wait outlasts its 250 ms.
        if (k <= kReadSteps) {
            EXPECT_EQ(radio.stepCount(), k + want.timeouts - 1);
        }
        EXPECT_EQ(link.nowMs(),
                  k == 1 ? 6 * 255 : 5 + 250 * want.timeouts + (want.endSent ? 50 : 0));
    }
}

Outcome expectedWrite(int k) {
    if (k == 1)
        return {TransferStatus::NoResponse, 0, 0, 0, false, false, 6};
    if (k == 2)
        return {TransferStatus::NoResponse, 1, 0, 0, false, false, 2};
    if (k == 3)
        return {TransferStatus::NoResponse, 0, 0, 0, false, false, 1};
    if (k == 4)
        return {TransferStatus::NoResponse, 1, 0, 0, false, false, 1};
    if (k <= 402)
        return {TransferStatus::NoResponse, (k - kFirstChannelStep) / 2 + 1, 0, 0, false, false, 1};
    // Settings, band and ident blocks are lenient: the rest is skipped, no end command.
    if (k <= kWriteSteps)
        return {TransferStatus::Ok, 0, 0, 0, false, false, 1};
    return {TransferStatus::Ok, 0, 0, 0, false, true, 0};
}

TEST(TransferFaultMatrix, WriteWithTheRadioFallingSilentAtEveryStep) {
    const UiTexts texts = englishTexts();
    ChannelTable plan;
    test::fillVariedPlan(plan, texts);
    RadioSettings settings;
    settings.setIndex(Option::VoxControl, 3);
    BandPlan bands;
    bands.setList(BandList::Band1Rx, {QStringLiteral("136-174MHz")}, 0);
    bands.setList(BandList::Band1Tx, {QStringLiteral("136-174MHz")}, 0);
    bands.setList(BandList::Band2Rx, {QStringLiteral("400-470MHz")}, 0);
    bands.setList(BandList::Band2Tx, {QStringLiteral("420-450MHz")}, 0);

    // The blocks in the order they go out, from a write that completes.
    SimulatedRadio blank;
    blank.memory().fill(char(0x11));
    std::vector<int> addresses;
    for (int n = 1; n <= kChannelCount; ++n)
        addresses.insert(addresses.end(), {n * 16, n * 16 + 8});
    addresses.insert(addresses.end(), {0x0C80, 0x0CA0, 0x0CA8, 0x0C90});
    SimulatedRadio full = blank;
    {
        SimulatedLink link(full);
        link.open();
        ASSERT_TRUE(writeRadio(link, plan, settings, bands, texts).ok());
    }

    for (int k = 1; k <= kWriteSteps + 1; ++k) {
        SCOPED_TRACE(::testing::Message() << "silent from step " << k);
        SimulatedRadio radio = blank;
        radio.setFault({FaultKind::SilentFrom, k});
        SimulatedLink link(radio);
        ASSERT_TRUE(link.open());

        const TransferResult result = writeRadio(link, plan, settings, bands, texts);
        const Outcome want = expectedWrite(k);

        ASSERT_EQ(result.status, want.status) << result.detail.toStdString();
        EXPECT_EQ(result.channel, want.channel);
        // The radio holds exactly the blocks it acknowledged.
        QByteArray memory = blank.memory();
        for (size_t i = 0; i < addresses.size(); ++i)
            if (kFirstChannelStep + int(i) < k)
                memory.replace(addresses[i], 8, full.memory().mid(addresses[i], 8));
        ASSERT_EQ(radio.memory(), memory);
        EXPECT_EQ(radio.endReceived(), want.endSent);
        if (k <= kWriteSteps) {
            EXPECT_EQ(radio.stepCount(), k + want.timeouts - 1);
        }
        EXPECT_EQ(link.nowMs(),
                  k == 1 ? 6 * 255 : 5 + 250 * want.timeouts + (want.endSent ? 50 : 0));
        if (k > 402 && k <= kWriteSteps) {
            EXPECT_EQ(result.skipped.size(), kWriteSteps - k + 1)
                << result.skipped.join('|').toStdString();
        }
    }
}

enum class Direction { Read, Write };

struct ReplyFaultCase {
    const char *name;
    Direction direction;
    SimulatedRadio::Fault fault;
    bool wireTime;
    TransferStatus status;
    int channel;
    int skipped;
};

class ReplyFaults : public ::testing::TestWithParam<ReplyFaultCase> {};

// Late, split and garbage replies: a step fails on what arrived for it, never on (or
// thanks to) what arrived for another step, and the data that gets through is right.
TEST_P(ReplyFaults, EndAsTheStepTheyHitAllows) {
    const auto &c = GetParam();
    const UiTexts texts = englishTexts();
    ChannelTable plan;
    test::fillVariedPlan(plan, texts);
    SimulatedRadio radio = radioWithPlan(texts);
    radio.setWireTime(c.wireTime);
    radio.setFault(c.fault);
    SimulatedLink link(radio);
    ASSERT_TRUE(link.open());
    ChannelTable table;
    test::fillOtherPlan(table, texts);
    RadioSettings settings;
    BandPlan bands;

    const TransferResult result = c.direction == Direction::Read
                                      ? readRadio(link, table, settings, texts)
                                      : writeRadio(link, plan, settings, bands, texts);
    EXPECT_EQ(result.status, c.status) << result.detail.toStdString();
    EXPECT_EQ(result.channel, c.channel);
    EXPECT_EQ(result.skipped.size(), c.skipped) << result.skipped.join('|').toStdString();
    // What was read is right: every channel of a good read, the channels before the
    // failing one otherwise.
    if (c.direction == Direction::Read) {
        const int last = result.ok() ? kChannelCount : c.channel - 1;
        for (int n = 1; n <= last; ++n)
            ASSERT_EQ(table.row(n), plan.row(n)) << "channel " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyFaults,
    ::testing::Values(
        // The handshake retries past a late, split or garbage ident reply.
        ReplyFaultCase{"ReadLateIdent",
                       Direction::Read,
                       {FaultKind::LateReply, 1},
                       false,
                       TransferStatus::Ok,
                       0,
                       0},
        ReplyFaultCase{"ReadSplitIdentWithWireTime",
                       Direction::Read,
                       {FaultKind::SplitReply, 1},
                       true,
                       TransferStatus::Ok,
                       0,
                       0},
        ReplyFaultCase{"ReadGarbageIdentTwice",
                       Direction::Read,
                       {FaultKind::Garbage, 1, 2},
                       false,
                       TransferStatus::Ok,
                       0,
                       0},
        // A late acknowledgement after the handshake only skips the 0C90 read.
        ReplyFaultCase{"ReadLateOpeningAck",
                       Direction::Read,
                       {FaultKind::LateReply, 2},
                       false,
                       TransferStatus::Ok,
                       0,
                       1},
        // With wire time the late 06 holds up the radio's next answers: it arrives in
        // the next acknowledgement's wait and that one's own 06 lands in front of the
        // first block's reply. Shifted data is refused, not decoded.
        ReplyFaultCase{"ReadLateOpeningAckWithWireTime",
                       Direction::Read,
                       {FaultKind::LateReply, 2},
                       true,
                       TransferStatus::NoResponse,
                       1,
                       1},
        // A channel block that comes late, in pieces or as garbage is not decoded.
        ReplyFaultCase{"ReadLateBlock",
                       Direction::Read,
                       {FaultKind::LateReply, 5 + 4 * 9},
                       false,
                       TransferStatus::NoResponse,
                       10,
                       0},
        ReplyFaultCase{"ReadSplitBlock",
                       Direction::Read,
                       {FaultKind::SplitReply, 7 + 4 * 9},
                       true,
                       TransferStatus::NoResponse,
                       10,
                       0},
        ReplyFaultCase{"ReadGarbageBlock",
                       Direction::Read,
                       {FaultKind::Garbage, 7},
                       false,
                       TransferStatus::NoResponse,
                       1,
                       0},
        // An acknowledgement that comes late fails its own step, not the next one.
        ReplyFaultCase{"ReadLateAck",
                       Direction::Read,
                       {FaultKind::LateReply, 8 + 4 * 9},
                       false,
                       TransferStatus::NoResponse,
                       11,
                       0},
        ReplyFaultCase{"ReadGarbageSettings",
                       Direction::Read,
                       {FaultKind::Garbage, 801},
                       false,
                       TransferStatus::NoResponse,
                       0,
                       0},
        ReplyFaultCase{"WriteGarbageAck",
                       Direction::Write,
                       {FaultKind::Garbage, 6},
                       false,
                       TransferStatus::NoResponse,
                       1,
                       0},
        ReplyFaultCase{"WriteLateChannel",
                       Direction::Write,
                       {FaultKind::LateReply, 100},
                       true,
                       TransferStatus::NoResponse,
                       48,
                       0},
        // From the settings block on a missing acknowledgement skips what follows.
        ReplyFaultCase{"WriteGarbageSettings",
                       Direction::Write,
                       {FaultKind::Garbage, 403},
                       false,
                       TransferStatus::Ok,
                       0,
                       4},
        ReplyFaultCase{"WriteLateBand2",
                       Direction::Write,
                       {FaultKind::LateReply, 405},
                       true,
                       TransferStatus::Ok,
                       0,
                       2}),
    [](const auto &info) { return std::string(info.param.name); });

struct NoisyLineCase {
    const char *name;
    SimulatedRadio::Fault fault;
    int channel;  // failing channel, 0 for a good read or a failure outside the channels
    int emptyRow; // the channel emptied, 0 for none
    bool ok;
};
void PrintTo(const NoisyLineCase &c, std::ostream *os) {
    *os << c.name;
}

class NoisyLine : public ::testing::TestWithParam<NoisyLineCase> {};

// A stray byte plus a lost one gives a reply of the right length but shifted; stray
// bytes around an acknowledgement make the reply before it doubtful. Neither is ever
// decoded: the channel is emptied and the read fails there, the later channels and the
// settings keep what they had.
TEST_P(NoisyLine, NeverTakesAShiftedOrDoubtfulReplyAsData) {
    const auto &c = GetParam();
    const UiTexts texts = englishTexts();
    ChannelTable plan, other;
    test::fillVariedPlan(plan, texts);
    test::fillOtherPlan(other, texts);
    SimulatedRadio radio = radioWithPlan(texts);
    radio.setFault(c.fault);
    SimulatedLink link(radio);
    ASSERT_TRUE(link.open());
    ChannelTable table;
    test::fillOtherPlan(table, texts);
    RadioSettings settings;
    settings.setIndex(Option::Squelch, 5);

    const TransferResult result = readRadio(link, table, settings, texts);
    ASSERT_EQ(result.ok(), c.ok) << result.detail.toStdString();
    if (!c.ok) {
        EXPECT_EQ(result.status, TransferStatus::NoResponse);
    }
    EXPECT_EQ(result.channel, c.channel) << result.detail.toStdString();
    const int lastRead = c.ok ? kChannelCount : c.emptyRow ? c.emptyRow - 1 : kChannelCount;
    for (int n = 1; n <= kChannelCount; ++n) {
        const ChannelRow expected = n <= lastRead     ? plan.row(n)
                                    : n == c.emptyRow ? ChannelRow{}
                                                      : other.row(n);
        ASSERT_EQ(table.row(n), expected) << "channel " << n;
    }
    EXPECT_EQ(settings.index(Option::Squelch), c.ok ? 9 : 5);
}

constexpr int channelStep(int n) {
    return kFirstChannelStep + 4 * (n - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, NoisyLine,
    ::testing::Values(
        NoisyLineCase{"StrayZeroAndLostByteInChannel4",
                      {FaultKind::StrayAndLost, channelStep(4), 1, 0x00},
                      4,
                      4,
                      false},
        NoisyLineCase{"Stray06InTheSecondHalf",
                      {FaultKind::StrayAndLost, channelStep(4) + 2, 1, 0x06},
                      4,
                      4,
                      false},
        NoisyLineCase{"Stray57InChannel199",
                      {FaultKind::StrayAndLost, channelStep(199), 1, 0x57},
                      199,
                      199,
                      false},
        NoisyLineCase{
            "StrayInTheSettingsBlock", {FaultKind::StrayAndLost, 801, 1, 0x00}, 0, 0, false},
        NoisyLineCase{"ByteAfterTheFirstHalfsAck",
                      {FaultKind::TrailingByte, channelStep(7) + 1, 1, 0x06},
                      7,
                      7,
                      false},
        NoisyLineCase{"ByteAfterTheSecondHalfsAck",
                      {FaultKind::TrailingByte, channelStep(7) + 3, 1, 0x57},
                      7,
                      7,
                      false},
        NoisyLineCase{"ByteAfterTheLastChannelsAck",
                      {FaultKind::TrailingByte, channelStep(199) + 3, 1, 0x00},
                      199,
                      199,
                      false},
        NoisyLineCase{
            "ByteAfterTheSettingsAck", {FaultKind::TrailingByte, 802, 1, 0x00}, 0, 0, false},
        NoisyLineCase{"GarbageForAnAck", {FaultKind::Garbage, channelStep(12) + 3}, 12, 12, false},
        // A radio that does not echo read headers is read as before.
        NoisyLineCase{"RadioWithoutEcho", {FaultKind::NoEcho}, 0, 0, true}),
    [](const auto &info) { return std::string(info.param.name); });

// The notice after a successful run names what the radio let it skip; a band list with
// nothing selected is skipped too, but that is no news to the user.
TEST(TransferNotice, NamesWhatTheRadioLetTheRunSkip) {
    const UiTexts texts = englishTexts();
    ChannelTable plan;
    test::fillVariedPlan(plan, texts);
    BandPlan selected;
    for (const BandList list :
         {BandList::Band1Rx, BandList::Band1Tx, BandList::Band2Rx, BandList::Band2Tx})
        selected.selectOrAppend(list, QStringLiteral("400-470MHz"));
    struct Case {
        const char *name;
        Direction direction;
        SimulatedRadio::Fault fault;
        bool bandsSelected;
        QString notice;
        int skipped;
    };
    const Case cases[] = {
        {"CleanRead", Direction::Read, {}, true, QString(), 0},
        {"ReadWithoutSettings",
         Direction::Read,
         {FaultKind::SilentFrom, 800},
         true,
         texts.msgSettingsNotRead,
         2},
        {"CleanWrite", Direction::Write, {}, true, QString(), 0},
        {"WriteWithoutTail",
         Direction::Write,
         {FaultKind::Garbage, 403},
         true,
         texts.msgTailNotWritten,
         4},
        {"WriteWithoutBandSelection", Direction::Write, {}, false, QString(), 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedRadio radio = radioWithPlan(texts);
        radio.setFault(c.fault);
        SimulatedLink link(radio);
        ASSERT_TRUE(link.open());
        ChannelTable table;
        RadioSettings settings;
        const BandPlan none;
        const TransferResult result =
            c.direction == Direction::Read
                ? readRadio(link, table, settings, texts)
                : writeRadio(link, plan, settings, c.bandsSelected ? selected : none, texts);
        ASSERT_TRUE(result.ok()) << result.detail.toStdString();
        EXPECT_EQ(result.notice(texts), c.notice);
        EXPECT_EQ(result.skipped.size(), c.skipped) << result.skipped.join('|').toStdString();
        EXPECT_EQ(result.skippedSteps.size(), result.skipped.size());
    }
}

struct LinkFailureCase {
    const char *name;
    Direction direction;
    int step;
};

class PulledCable : public ::testing::TestWithParam<LinkFailureCase> {};

TEST_P(PulledCable, EndsTheTransferAtOnceWithTheLinksError) {
    const auto &c = GetParam();
    const UiTexts texts = englishTexts();
    ChannelTable plan;
    test::fillVariedPlan(plan, texts);
    SimulatedRadio radio = radioWithPlan(texts);
    SimulatedLink link(radio);
    link.setFailAtStep(c.step);
    ASSERT_TRUE(link.open());
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;
    bands.setList(BandList::Band1Rx, {QStringLiteral("400-470MHz")}, 0);
    bands.setList(BandList::Band1Tx, {QStringLiteral("400-470MHz")}, 0);

    const TransferResult result = c.direction == Direction::Read
                                      ? readRadio(link, table, settings, texts)
                                      : writeRadio(link, plan, settings, bands, texts);
    EXPECT_EQ(result.status, TransferStatus::LinkFailed);
    EXPECT_TRUE(result.detail.endsWith(link.errorString())) << result.detail.toStdString();
    EXPECT_EQ(result.message(texts), texts.msgNoResponse);
    EXPECT_EQ(radio.stepCount(), c.step);
    EXPECT_FALSE(radio.endReceived());
    // No wait ran after the cable went: only the handshake's 5 ms pause passed.
    EXPECT_EQ(link.nowMs(), 5);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PulledCable,
    ::testing::Values(LinkFailureCase{"ReadHandshake", Direction::Read, 1},
                      LinkFailureCase{"ReadOpeningAck", Direction::Read, 2},
                      LinkFailureCase{"ReadMidChannels", Direction::Read, 300},
                      LinkFailureCase{"ReadBeforeSettings", Direction::Read, 800},
                      LinkFailureCase{"ReadFinalAck", Direction::Read, 802},
                      LinkFailureCase{"WriteMidChannels", Direction::Write, 200},
                      LinkFailureCase{"WriteSettings", Direction::Write, 403},
                      LinkFailureCase{"WriteBand1", Direction::Write, 404},
                      // Band 2 has no selection here: the ident block follows band 1.
                      LinkFailureCase{"WriteIdentAfterSkippedBand", Direction::Write, 405}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vrx

#include "radio/clone_protocol.h"
#include "radio/line_observation.h"
#include "radio/service.h"
#include "radio/simulated_link.h"
#include "radio/transfer.h"

#include "radio_test_support.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using test::englishTexts;
using FaultKind = SimulatedRadio::FaultKind;
using Kind = LineObservation::Kind;
using StopPoint = LineObservation::StopPoint;

// Radio steps (commands that await an answer): 1 handshake, 2 acknowledgement, 3 read
// of 0C90, 4 acknowledgement; a read's channel n starts at 5 + 4(n-1), a write's at
// 5 + 2(n-1); 801 is a read's settings block.
constexpr int readStepOf(int channel) {
    return 5 + 4 * (channel - 1);
}
constexpr int writeStepOf(int channel) {
    return 5 + 2 * (channel - 1);
}

struct LineCase {
    const char *name;
    bool reading;
    SimulatedRadio::Fault fault;
    LineObservation expected;
};

LineObservation seen(Kind kind, const QByteArray &bytes = {}) {
    LineObservation o;
    o.kind = kind;
    o.bytes = bytes;
    return o;
}
LineObservation stopped(StopPoint stop, int channel = 0) {
    LineObservation o;
    o.kind = Kind::Stopped;
    o.stop = stop;
    o.channel = channel;
    return o;
}

const LineCase kLineCases[] = {
    {"silent", true, {FaultKind::SilentFrom, 1}, seen(Kind::Silent)},
    {"cable_only", true, {FaultKind::CableOnly}, seen(Kind::Echo)},
    {"garbage", true, {FaultKind::Garbage, 1, 6}, seen(Kind::Garbage, test::hex("15 A5 5A"))},
    {"extra_ident_byte",
     false,
     {FaultKind::ExtraIdentByte},
     seen(Kind::Garbage, test::hex("06 20 6B 6F 72 76 61 6E"))},
    {"other_radio", true, {FaultKind::WrongIdent}, seen(Kind::OtherRadio, "\x06 korvaX")},
    {"read_stops_at_channel",
     true,
     {FaultKind::SilentFrom, readStepOf(50) + 2},
     stopped(StopPoint::Channel, 50)},
    {"read_stops_before_channel_1", true, {FaultKind::SilentFrom, 3}, stopped(StopPoint::Start)},
    {"read_stops_at_settings", true, {FaultKind::SilentFrom, 801}, stopped(StopPoint::Settings)},
    {"write_stops_at_channel",
     false,
     {FaultKind::SilentFrom, writeStepOf(120)},
     stopped(StopPoint::Channel, 120)},
};

class LineObservationCase : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineObservationCase, TransferSaysWhatTheLineDid) {
    const LineCase &c = GetParam();
    const UiTexts texts = englishTexts();
    SimulatedRadio radio;
    radio.setFault(c.fault);
    SimulatedLink link(radio);
    ASSERT_TRUE(link.open());
    ChannelTable table;
    RadioSettings settings;
    const TransferResult result = c.reading ? readRadio(link, table, settings, texts)
                                            : writeRadio(link, table, settings, BandPlan{}, texts);
    ASSERT_EQ(result.status, TransferStatus::NoResponse) << result.detail.toStdString();
    EXPECT_EQ(result.line, c.expected) << "got kind " << int(result.line.kind) << " bytes "
                                       << test::spacedHex(result.line.bytes).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Faults, LineObservationCase, ::testing::ValuesIn(kLineCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(LineObservation, NoiseIsShownAsTheBytesThatCame) {
    SimulatedRadio radio;
    radio.setFault({FaultKind::Noise});
    SimulatedLink link(radio);
    ASSERT_TRUE(link.open());
    CloneProtocol protocol(link);
    ASSERT_FALSE(protocol.handshake());
    const LineObservation line = observeHandshake(protocol.handshakeReplies());
    EXPECT_EQ(line.kind, Kind::Garbage);
    EXPECT_EQ(line.bytes, protocol.handshakeReplies().first());
    EXPECT_EQ(line.bytes.size(), SimulatedRadio::kNoiseBytes);
}

TEST(LineObservation, TheMostTellingAttemptDecides) {
    const QByteArray other = "\x06 XR-100";
    EXPECT_EQ(observeHandshake({{}, "ZANbor", other, {}}).kind, Kind::OtherRadio);
    EXPECT_EQ(observeHandshake({{}, "ZANbor", "\x15", {}}).kind, Kind::Garbage);
    EXPECT_EQ(observeHandshake({{}, "\x02ZANbor", {}}).kind, Kind::Echo);
    EXPECT_EQ(observeHandshake({{}, {}}).kind, Kind::Silent);
    // An echo in front of another radio's reply does not hide the reply.
    const LineObservation behindEcho = observeHandshake({"ZANbor" + other});
    EXPECT_EQ(behindEcho.kind, Kind::OtherRadio);
    EXPECT_EQ(behindEcho.bytes, other);
    // More than 8 bytes of noise: the first 8 are shown.
    EXPECT_EQ(observeHandshake({test::hex("01 02 03 04 05 06 07 08 09 0A")}).bytes,
              test::hex("01 02 03 04 05 06 07 08"));
}

TEST(LineObservation, MessageKeepsTheSpecifiedTextFirst) {
    UiTexts texts = englishTexts();
    texts.msgNoResponse = QStringLiteral("No response.");
    texts.line.otherRadio = QStringLiteral("Other radio: %1 (\"%2\").");
    texts.line.otherRadioRemedy = QStringLiteral("Not of this family.");
    SimulatedRadio radio;
    radio.setFault({FaultKind::WrongIdent});
    SimulatedLink link(radio);
    ASSERT_TRUE(link.open());
    ChannelTable table;
    RadioSettings settings;
    const QString expected = QStringLiteral("No response.\n"
                                            "Other radio: 06 20 6B 6F 72 76 61 58 (\". korvaX\").\n"
                                            "Not of this family.");
    EXPECT_EQ(readRadio(link, table, settings, texts).message(texts), expected);
    link.close();
    // The service exchanges say the same.
    radio.resetSession();
    radio.setFault({FaultKind::WrongIdent});
    EXPECT_EQ(startAging(link).message(texts), expected);
}

TEST(LineObservation, APortThatFailsSaysNothingAboutTheRadio) {
    SimulatedRadio radio;
    radio.setFault({FaultKind::SilentFrom, 1});
    SimulatedLink link(radio);
    ASSERT_TRUE(link.open());
    link.fail();
    ChannelTable table;
    RadioSettings settings;
    const UiTexts texts = englishTexts();
    const TransferResult result = readRadio(link, table, settings, texts);
    EXPECT_EQ(result.status, TransferStatus::LinkFailed);
    EXPECT_EQ(result.line.kind, Kind::None);
    EXPECT_EQ(result.message(texts), texts.msgNoResponse);
}

} // namespace
} // namespace vrx

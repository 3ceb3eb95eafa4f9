// Reads over a pseudo-terminal from a radio that answers byte by byte at 9600 baud, with
// line noise injected: the in-memory link delivers whole replies and would hide what a
// tool that takes a reply as soon as it has 12 bytes sees on a real cable.

#include "radio/pty_radio_server.h"
#include "radio/qt_serial_link.h"
#include "radio/transfer.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using FaultKind = SimulatedRadio::FaultKind;

// The radio's steps: 1 handshake, 2 ack, 3 read of 0C90, 4 ack, then four per channel.
constexpr int channelStep(int n) {
    return 5 + 4 * (n - 1);
}

// Channel 4 as the radio holds it: the data of the read reply
// 57 00 40 08 75 43 80 43 75 18 86 43, and an erased second half.
const QByteArray kChannel4First = QByteArray::fromHex("7543804375188643");
const QByteArray kChannel4Second = QByteArray::fromHex("FFFFFFFFFFFFFFFF");

struct NoiseCase {
    const char *name;
    SimulatedRadio::Fault fault;
    int channel; // the channel emptied, where the read fails
    // Where a late stray byte lands depends on how fast the tool sends its next command:
    // before it, it refutes `channel`; after it, it shifts the next reply. Either way a
    // channel is emptied and the read fails there.
    bool orNext = false;
};
void PrintTo(const NoiseCase &c, std::ostream *os) {
    *os << c.name;
}

class NoisyPtyLine : public ::testing::TestWithParam<NoiseCase> {};

TEST_P(NoisyPtyLine, ChannelIsEmptiedAndTheReadFailsThere) {
    PtyRadioServer server;
    ASSERT_TRUE(server.start());
    server.setWireTime(true);
    server.radio().memory().replace(0x40, 8, kChannel4First);
    server.radio().memory().replace(0x48, 8, kChannel4Second);
    server.radio().setFault(GetParam().fault);
    QtSerialLink link(server.devicePath());
    ASSERT_TRUE(link.open());

    const UiTexts texts;
    ChannelTable table;
    const ChannelRow before = {QStringLiteral("446.00625"),
                               texts.offText,
                               QStringLiteral("446.00625"),
                               texts.offText,
                               texts.highText,
                               texts.wideText,
                               texts.onText,
                               texts.offText};
    for (int n = 1; n <= kChannelCount; ++n)
        table.setRow(n, before);
    RadioSettings settings;
    const OptionIndexes options = settings.indexes();

    const TransferResult result = readRadio(link, table, settings, texts);
    EXPECT_EQ(result.status, TransferStatus::NoResponse) << result.detail.toStdString();
    const int failed = result.channel;
    if (GetParam().orNext) {
        EXPECT_TRUE(failed == GetParam().channel || failed == GetParam().channel + 1)
            << result.detail.toStdString();
    } else {
        EXPECT_EQ(failed, GetParam().channel) << result.detail.toStdString();
    }
    ASSERT_GE(failed, 4);
    EXPECT_EQ(result.line.kind, LineObservation::Kind::Stopped);
    EXPECT_EQ(result.line.channel, failed);
    EXPECT_EQ(result.message(texts).section(u'\n', 0, 0), texts.msgNoResponse);
    EXPECT_EQ(table.row(3), ChannelRow{}); // erased in the radio, read as such
    if (failed > 4) {
        EXPECT_EQ(table.row(4)[0], QStringLiteral("438.04375"));
    }
    EXPECT_EQ(table.row(failed), ChannelRow{}) << table.row(failed)[0].toStdString();
    for (int n = failed + 1; n <= kChannelCount; ++n)
        ASSERT_EQ(table.row(n), before) << "channel " << n;
    EXPECT_EQ(settings.indexes(), options);
}

INSTANTIATE_TEST_SUITE_P(
    Noise, NoisyPtyLine,
    ::testing::Values(
        // 00 57 00 40 08 75 43 80 43 75 18 86: twelve bytes, shifted by one.
        NoiseCase{"StrayZeroAndLostByte", {FaultKind::StrayAndLost, channelStep(4), 1, 0x00}, 4},
        NoiseCase{"Stray06AndLostByte", {FaultKind::StrayAndLost, channelStep(4), 1, 0x06}, 4},
        NoiseCase{"Stray57AndLostByte", {FaultKind::StrayAndLost, channelStep(4), 1, 0x57}, 4},
        // The 13th byte arrives after the tool took its 12.
        NoiseCase{"ByteAfterTheReply", {FaultKind::TrailingByte, channelStep(4), 1, 0x43}, 4},
        NoiseCase{"ByteAfterTheAck", {FaultKind::TrailingByte, channelStep(4) + 1, 1, 0x06}, 4},
        // A byte after the last acknowledgement of channel 4.
        NoiseCase{"ByteAfterTheSecondAck",
                  {FaultKind::TrailingByte, channelStep(4) + 3, 1, 0x06},
                  4,
                  true}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vrx

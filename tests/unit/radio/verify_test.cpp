#include "radio/simulated_link.h"
#include "radio/transfer.h"
#include "radio/verify.h"

#include "radio_test_support.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using test::englishTexts;
using FaultKind = SimulatedRadio::FaultKind;

// Steps of a write before channel 1: the handshake, the acknowledgement, the ident
// read and the acknowledgement before the first block.
constexpr int kStepsBeforeFirstBlock = 4;

struct VerifyFixture : ::testing::Test {
    UiTexts texts = englishTexts();
    SimulatedRadio radio;
    SimulatedLink link{radio};
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;

    void SetUp() override {
        ASSERT_TRUE(link.open());
        bands.setList(BandList::Band1Rx, {QStringLiteral("400-470MHz")}, 0);
        bands.setList(BandList::Band1Tx, {QStringLiteral("400-470MHz")}, 0);
        test::fillVariedPlan(table, texts);
        settings.setIndex(Option::Squelch, 7);
    }

    VerifyResult writeThenVerify() {
        const TransferResult write = writeRadio(link, table, settings, bands, texts);
        EXPECT_TRUE(write.ok()) << write.detail.toStdString();
        const std::optional<WrittenImage> image = writtenImage(table, settings, texts);
        EXPECT_TRUE(image.has_value());
        return verifyWrite(link, *image, texts);
    }
};

TEST_F(VerifyFixture, AnHonestRadioHoldsWhatWasWritten) {
    const VerifyResult result = writeThenVerify();
    ASSERT_TRUE(result.readOk()) << result.readBack.detail.toStdString();
    EXPECT_TRUE(result.differences.isEmpty()) << result.differences.value(0).line().toStdString();
    EXPECT_TRUE(result.ok());
    // The verification is an exchange of its own: a second handshake, ended properly.
    EXPECT_EQ(radio.handshakeCount(), 2);
    EXPECT_TRUE(radio.endReceived());
    EXPECT_FALSE(radio.inCloneMode());
}

TEST_F(VerifyFixture, ValueWordsOfAnotherLanguageMakeNoDifference) {
    ASSERT_TRUE(writeRadio(link, table, settings, bands, texts).ok());
    const std::optional<WrittenImage> image = writtenImage(table, settings, texts);
    ASSERT_TRUE(image);
    UiTexts chinese; // the built-in texts
    const VerifyResult result = verifyWrite(link, *image, chinese);
    EXPECT_TRUE(result.ok());
}

TEST_F(VerifyFixture, ARadioThatStoresOneByteWronglyIsNamedByChannelAndField) {
    table.setRow(7, test::makeRow("145.52500", "67.0", "145.52500", "OFF", "High", "Wide",
                                  texts.onText, texts.offText));
    // Channel n's first block is written at step 4 + 2n - 1.
    radio.setFault({FaultKind::CorruptStore, kStepsBeforeFirstBlock + 2 * 7 - 1});
    const VerifyResult result = writeThenVerify();
    ASSERT_TRUE(result.readOk());
    ASSERT_EQ(result.differences.size(), 1);
    EXPECT_EQ(result.differences[0].line(),
              QStringLiteral("CH007 RxFreq: wrote 145.52500, radio holds 145.52510"));
    EXPECT_FALSE(result.ok());
}

TEST_F(VerifyFixture, SettingsAndFlagsAreComparedByField) {
    ASSERT_TRUE(writeRadio(link, table, settings, bands, texts).ok());
    const std::optional<WrittenImage> image = writtenImage(table, settings, texts);
    ASSERT_TRUE(image);
    // Squelch 7 becomes 5; channel 1 loses its high power bit (flags byte, bit 3).
    radio.memory()[0x0C81] = char(0x05);
    radio.memory()[16 + 12] = char(quint8(radio.memory().at(16 + 12)) ^ 0x08);
    const QString power = table.text(PowerCol, 1);
    ASSERT_FALSE(power.isEmpty());
    const VerifyResult result = verifyWrite(link, *image, texts);
    ASSERT_TRUE(result.readOk());
    ASSERT_EQ(result.differences.size(), 2);
    EXPECT_EQ(result.differences[0].channel, 1);
    EXPECT_EQ(result.differences[0].field, QStringLiteral("Power"));
    EXPECT_EQ(result.differences[0].wrote, power);
    EXPECT_EQ(result.differences[1].line(), QStringLiteral("Squelch: wrote 7, radio holds 5"));
}

TEST_F(VerifyFixture, AReadBackThatFailsIsAFailureOfItsOwn) {
    ASSERT_TRUE(writeRadio(link, table, settings, bands, texts).ok());
    const std::optional<WrittenImage> image = writtenImage(table, settings, texts);
    ASSERT_TRUE(image);
    // The radio stops answering in the middle of the read back.
    radio.resetSession();
    radio.setFault({FaultKind::SilentFrom, 30});
    const VerifyResult result = verifyWrite(link, *image, texts);
    EXPECT_FALSE(result.readOk());
    EXPECT_EQ(result.readBack.status, TransferStatus::NoResponse);
    EXPECT_TRUE(result.differences.isEmpty());
    EXPECT_FALSE(result.ok());
}

// The read back may skip the settings block when the acknowledgement before it gets no
// valid reply (step 800 of a read). The radio then holds exactly what was written, but it
// could not be read back: a failure of the read back, never a difference.
class VerifyUnread : public VerifyFixture, public ::testing::WithParamInterface<FaultKind> {};

TEST_P(VerifyUnread, ASkippedBlockCouldNotBeReadBackAndIsNoDifference) {
    ASSERT_TRUE(writeRadio(link, table, settings, bands, texts).ok());
    const std::optional<WrittenImage> image = writtenImage(table, settings, texts);
    ASSERT_TRUE(image);
    radio.resetSession();
    radio.setFault({GetParam(), 800});
    const VerifyResult result = verifyWrite(link, *image, texts);
    EXPECT_FALSE(result.readOk());
    EXPECT_EQ(result.readBack.status, TransferStatus::NoResponse);
    EXPECT_TRUE(result.readBack.detail.contains(QStringLiteral("SettingsBlock")))
        << result.readBack.detail.toStdString();
    EXPECT_TRUE(result.differences.isEmpty()) << result.differences.value(0).line().toStdString();
    EXPECT_FALSE(result.ok());
}

INSTANTIATE_TEST_SUITE_P(Faults, VerifyUnread,
                         ::testing::Values(FaultKind::LateReply, FaultKind::SilentFrom),
                         [](const auto &info) {
                             return info.param == FaultKind::LateReply ? "Late" : "Silent";
                         });

TEST(VerifyLines, AtMostTheLimitThenACount) {
    QList<VerifyDifference> differences;
    for (int n = 1; n <= 23; ++n)
        differences.append(
            {n, QStringLiteral("RxTone"), QStringLiteral("67.0"), QStringLiteral("OFF")});
    const QStringList lines = differenceLines(differences);
    ASSERT_EQ(lines.size(), 21);
    EXPECT_EQ(lines[0], QStringLiteral("CH001 RxTone: wrote 67.0, radio holds OFF"));
    EXPECT_EQ(lines[19].left(5), QStringLiteral("CH020"));
    EXPECT_EQ(lines[20], QStringLiteral("... and 3 more differences"));
    EXPECT_EQ(differenceLines(differences.mid(0, 20)).size(), 20);
}

// A stop request is honoured at the next block boundary: the end command goes out, the
// radio leaves its clone mode, and the result says how far the transfer got.
struct StopCase {
    const char *name;
    bool write;
    int stopAfterProgress; // the stop is asked once the gauge reached this value
    int completed;         // channels done when it stopped
};
void PrintTo(const StopCase &c, std::ostream *os) {
    *os << c.name;
}

class StopTransfer : public VerifyFixture, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopTransfer, StopsAtAStepBoundaryAndEndsTheExchange) {
    const StopCase &c = GetParam();
    if (!c.write) {
        ASSERT_TRUE(writeRadio(link, table, settings, bands, texts).ok());
        radio.resetSession();
    }
    int progress = 0;
    const TransferProgress onProgress = [&](int value, int) { progress = value; };
    const StopRequest stop = [&] { return progress >= c.stopAfterProgress; };
    ChannelTable target;
    const TransferResult result =
        c.write ? writeRadio(link, table, settings, bands, texts, onProgress, stop)
                : readRadio(link, target, settings, texts, onProgress, stop);
    EXPECT_EQ(result.status, TransferStatus::Interrupted);
    EXPECT_EQ(result.completedChannels, c.completed);
    EXPECT_TRUE(radio.endReceived());
    EXPECT_FALSE(radio.inCloneMode());
    // The end command follows a whole block: the radio took every frame before it.
    EXPECT_TRUE(radio.received().endsWith(QByteArrayLiteral("do")));
    EXPECT_EQ(radio.received().count(QByteArrayLiteral("do")), 1);
    if (c.write && c.completed < kChannelCount) {
        // Channels after the stop are not touched: still erased.
        EXPECT_EQ(radio.memory().mid((c.completed + 1) * 16, 16), QByteArray(16, char(0xFF)));
        EXPECT_NE(radio.memory().mid(c.completed * 16, 16), QByteArray(16, char(0xFF)));
    } else if (c.write) {
        // Nor is the settings block (Squelch would be 7).
        EXPECT_EQ(radio.memory().at(0x0C81), char(0x02));
    } else {
        // The channels read are there; the next one was never read.
        for (int n = 1; n <= c.completed; ++n)
            EXPECT_EQ(target.row(n), table.row(n)) << n;
        EXPECT_FALSE(table.isEmptyChannel(c.completed + 1));
        EXPECT_TRUE(target.isEmptyChannel(c.completed + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StopTransfer,
                         ::testing::Values(StopCase{"ReadBeforeTheFirstChannel", false, 0, 0},
                                           StopCase{"ReadAfterChannel50", false, 50, 50},
                                           StopCase{"WriteAfterChannel50", true, 50, 50},
                                           StopCase{"WriteBeforeTheTailBlocks", true, 199, 199}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vrx

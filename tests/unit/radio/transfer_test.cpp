#include "radio/channel_codec.h"
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

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

const QByteArray kHandshakeFrames = hex("02 5A 41 4E 62 6F 72");
// What every transfer sends after the handshake before its first block.
const QByteArray kOpening = hex("06 52 0C 90 08 06");

struct TransferFixture : ::testing::Test {
    UiTexts texts = englishTexts();
    SimulatedRadio radio;
    SimulatedLink link{radio};
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;
    std::vector<std::pair<int, int>> progress;

    TransferProgress recorder() {
        return [this](int value, int maximum) { progress.emplace_back(value, maximum); };
    }

    void SetUp() override {
        ASSERT_TRUE(link.open());
        bands.setList(BandList::Band1Rx, {QStringLiteral("400-470MHz")}, 0);
        bands.setList(BandList::Band1Tx, {QStringLiteral("400-470MHz")}, 0);
        bands.setList(BandList::Band2Rx,
                      {QStringLiteral("400-470MHz"), QStringLiteral("136-174MHz")}, 1);
        bands.setList(BandList::Band2Tx, {QStringLiteral("136-174MHz")}, 0);
    }

    void putRecord(int channel, const char *record) {
        radio.memory().replace(channel * 16, 16, hex(record));
    }
};

using ReadTransfer = TransferFixture;
using WriteTransfer = TransferFixture;

TEST_F(ReadTransfer, DecodesEveryKindOfFieldAndReadsInTheRadiosOrder) {
    // Records written byte by byte, independent of the encoder.
    putRecord(5, "00 00 85 43 25 06 60 44 70 06 23 80 F0 FF FF FF");
    putRecord(6, "00 25 61 13 00 25 61 13 00 10 54 C7 FF FF FF FF");
    putRecord(7, "25 F6 FF FF 25 F6 FF FF FF FF 41 25 F9 00 00 00");
    // Erased receive frequency: an empty channel whatever the rest holds.
    putRecord(8, "FF FF FF FF 25 06 60 44 70 06 23 80 F0 FF FF FF");
    putRecord(9, "00 00 00 40 00 00 00 40 23 31 FF F1 06 FF FF FF");
    radio.memory().replace(0x0C80, 8, hex("90 09 04 07 F8 01 0F 0F"));
    test::fillOtherPlan(table, texts);

    const TransferResult result = readRadio(link, table, settings, texts, recorder());
    ASSERT_TRUE(result.ok()) << result.detail.toStdString();
    EXPECT_TRUE(result.skipped.isEmpty());

    const QString O = texts.offText, N = texts.onText;
    EXPECT_EQ(table.row(5),
              test::makeRow("438.50000", "67.0", "446.00625", "D023N", "Low", "Narrow", O, N));
    EXPECT_EQ(table.row(6),
              test::makeRow("136.12500", "100.0", "136.12500", "D754I", "High", "Wide", N, O));
    EXPECT_EQ(table.row(7),
              test::makeRow("FFF.FF625", O, "FFF.FF625", "254.1", "High", "Narrow", O, O));
    EXPECT_EQ(table.row(9),
              test::makeRow("400.00000", "12.3", "400.00000", O, "Low", "Wide", N, N));
    // Erased records, and the one with an erased receive frequency, empty their rows.
    for (int n : {1, 4, 8, 10, 199})
        EXPECT_EQ(table.row(n), ChannelRow{}) << "channel " << n;

    OptionIndexes want = defaultOptionIndexes();
    for (Option o : {Option::APO, Option::BEEP, Option::BatSave, Option::ScanKind, Option::Scramble,
                     Option::VfoMr, Option::KeySwitch, Option::SwitchUp, Option::DownFreq})
        want[indexOf(o)] = 0;
    want[indexOf(Option::SpreadFreq)] = 1;
    want[indexOf(Option::Band)] = 1;
    want[indexOf(Option::Squelch)] = 9;
    want[indexOf(Option::VoxControl)] = 4;
    want[indexOf(Option::TxTimeout)] = 7;
    want[indexOf(Option::FreqStep)] = 0;
    want[indexOf(Option::TxLight)] = 2; // F: the radio's unset colour
    want[indexOf(Option::RxLight)] = 4;
    EXPECT_EQ(settings.indexes(), want);

    QByteArray expected = kHandshakeFrames + kOpening;
    for (int n = 1; n <= 199; ++n)
        expected +=
            bytes({0x52, n >> 4, (n << 4) & 0xF0, 8, 6, 0x52, n >> 4, ((n << 4) & 0xF0) | 8, 8, 6});
    expected += hex("52 0C 80 08 06 64 6F");
    EXPECT_EQ(radio.received(), expected);
    EXPECT_TRUE(radio.endReceived());

    ASSERT_EQ(progress.size(), 201u);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(progress[i], std::make_pair(i + 1, kReadProgressMax));
    EXPECT_EQ(progress.back(), std::make_pair(kReadProgressEnd, kReadProgressMax));
    EXPECT_EQ(result.progress, kReadProgressEnd);
}

TEST_F(ReadTransfer, ASecondReadStartsAgainFromChannelOne) {
    ASSERT_TRUE(readRadio(link, table, settings, texts).ok());
    const int firstLength = int(radio.received().size());
    putRecord(1, "00 00 85 43 25 06 60 44 70 06 23 80 F0 FF FF FF");
    const TransferResult again = readRadio(link, table, settings, texts, recorder());
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(table.text(RxFreqCol, 1), QStringLiteral("438.50000"));
    EXPECT_EQ(radio.received().size(), 2 * firstLength);
    EXPECT_EQ(progress.front(), std::make_pair(1, kReadProgressMax));
}

TEST_F(WriteTransfer, SendsEveryBlockInOrderByteForByte) {
    table.setRow(5, test::makeRow("438.50000", "67.0", "446.00625", "D023N", texts.lowText,
                                  texts.narrowText, texts.offText, texts.onText));
    table.setRow(6, test::makeRow("FFF.FF625", texts.offText, "136.12500", "D754I", texts.highText,
                                  texts.wideText, texts.onText, texts.offText));
    settings.setIndex(Option::Squelch, 9);
    settings.setIndex(Option::SpreadFreq, 1);
    settings.setIndex(Option::Band, 1);

    const TransferResult result = writeRadio(link, table, settings, bands, texts, recorder());
    ASSERT_TRUE(result.ok()) << result.detail.toStdString();
    EXPECT_TRUE(result.skipped.isEmpty());

    const QByteArray erased(8, char(0xFF));
    QByteArray expected = kHandshakeFrames + kOpening;
    for (int n = 1; n <= 199; ++n) {
        QByteArray first = erased, second = erased;
        if (n == 5) {
            first = hex("00 00 85 43 25 06 60 44");
            second = hex("70 06 23 80 F0 FF FF FF");
        } else if (n == 6) {
            first = hex("25 F6 FF FF 00 25 61 13");
            second = hex("FF FF 54 C7 FF FF FF FF");
        }
        expected += bytes({0x57, n >> 4, (n << 4) & 0xF0, 8}) + first;
        expected += bytes({0x57, n >> 4, ((n << 4) & 0xF0) | 8, 8}) + second;
    }
    expected += hex("57 0C 80 08 FF 09 00 04 FF 06 02 04");
    expected += hex("57 0C A0 08 00 40 00 47 00 40 00 47");
    expected += hex("57 0C A8 08 60 13 40 17 60 13 40 17");
    expected += hex("57 0C 90 08 00 00 F3 38 32 36 33 50");
    expected += hex("64 6F");
    EXPECT_EQ(radio.received(), expected);

    ASSERT_EQ(progress.size(), 204u);
    for (int i = 0; i < 203; ++i)
        EXPECT_EQ(progress[i], std::make_pair(i + 1, kWriteProgressMax));
    EXPECT_EQ(progress.back(), std::make_pair(kWriteProgressEnd, kWriteProgressMax));
}

class RoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(RoundTrip, WhatIsWrittenReadsBackUnchanged) {
    const UiTexts texts = GetParam() ? englishTexts() : UiTexts{};
    SimulatedRadio radio;
    SimulatedLink link(radio);
    ASSERT_TRUE(link.open());
    ChannelTable written;
    test::fillVariedPlan(written, texts);
    RadioSettings writtenSettings;
    for (int i = 0; i < kOptionCount; ++i)
        writtenSettings.setIndex(optionAt(i), int(builtInEntries(optionAt(i)).size()) - 1);
    BandPlan bands;
    ASSERT_TRUE(writeRadio(link, written, writtenSettings, bands, texts).ok());

    ChannelTable read;
    test::fillOtherPlan(read, texts);
    RadioSettings readSettings;
    ASSERT_TRUE(readRadio(link, read, readSettings, texts).ok());
    for (int n = 1; n <= kChannelCount; ++n)
        ASSERT_EQ(read.row(n), written.row(n)) << "channel " << n;
    EXPECT_EQ(readSettings.indexes(), writtenSettings.indexes());
    // Channel 3 is erased in the plan: reading emptied the row the table had there.
    EXPECT_EQ(read.row(3), ChannelRow{});
}

INSTANTIATE_TEST_SUITE_P(Languages, RoundTrip, ::testing::Values(false, true),
                         [](const auto &info) {
                             return std::string(info.param ? "English" : "Chinese");
                         });

TEST_F(TransferFixture, AFailingHandshakeChangesNothingAndTakesAboutOneAndAHalfSeconds) {
    radio.setFault({FaultKind::SilentFrom, 1});
    test::fillVariedPlan(table, texts);
    settings.setIndex(Option::Squelch, 7);
    const ChannelTable before;
    const QByteArray memory = radio.memory();

    const TransferResult read = readRadio(link, table, settings, texts, recorder());
    EXPECT_EQ(read.status, TransferStatus::NoResponse);
    // The no-response message first, then what the line did and what helps.
    EXPECT_EQ(read.message(texts),
              texts.msgNoResponse + u'\n' + texts.line.silent + u'\n' + texts.line.silentRemedy);
    EXPECT_EQ(read.handshakeAttempts, 6);
    EXPECT_EQ(link.nowMs(), 6 * 255);
    EXPECT_EQ(radio.received(), kHandshakeFrames.repeated(6));
    ChannelTable varied;
    test::fillVariedPlan(varied, texts);
    for (int n = 1; n <= kChannelCount; ++n)
        ASSERT_EQ(table.row(n), varied.row(n));
    EXPECT_EQ(settings.index(Option::Squelch), 7);
    EXPECT_TRUE(progress.empty());

    const TransferResult write = writeRadio(link, table, settings, bands, texts, recorder());
    EXPECT_EQ(write.status, TransferStatus::NoResponse);
    EXPECT_EQ(radio.memory(), memory);
}

TEST_F(WriteTransfer, ACellThatCannotBeEncodedRefusesTheWriteBeforeAnythingIsSent) {
    test::fillVariedPlan(table, texts);
    table.setText(TxToneCol, 43, QStringLiteral("67,0"));
    table.setText(PowerCol, 150, QStringLiteral("高功率")); // only the first is named

    const TransferResult result = writeRadio(link, table, settings, bands, texts, recorder());
    EXPECT_EQ(result.status, TransferStatus::InvalidChannel);
    EXPECT_EQ(result.channel, 43);
    EXPECT_EQ(result.column, TxToneCol);
    EXPECT_TRUE(result.detail.contains(QStringLiteral("043")));
    EXPECT_TRUE(result.detail.contains(QStringLiteral("TxTone")));
    EXPECT_TRUE(result.detail.contains(QStringLiteral("67,0")));
    // The field is named by the table's own header, the built-in one here.
    EXPECT_EQ(result.message(texts),
              QStringLiteral("Channel 043: QT/DQT编码 \"67,0\" cannot be written to the radio. "
                             "Nothing was sent."));
    EXPECT_TRUE(radio.received().isEmpty());
    EXPECT_EQ(link.nowMs(), 0);
    EXPECT_TRUE(progress.empty());
}

struct CellMessageCase {
    const char *name;
    bool english;   // the English pack's texts and header, else the built-in Chinese ones
    QString header; // of the bad cell's column; empty: the table's built-in header
    int column;
    QString cellText;
    QString expected;
};

void PrintTo(const CellMessageCase &c, std::ostream *os) {
    *os << c.name;
}

class UnwritableCellMessage : public ::testing::TestWithParam<CellMessageCase> {};

TEST_P(UnwritableCellMessage, NamesChannelFieldAndTextInTheCurrentLanguage) {
    const CellMessageCase &c = GetParam();
    const UiTexts texts = c.english ? englishTexts() : UiTexts{};
    ChannelTable table;
    test::fillVariedPlan(table, texts);
    if (!c.header.isEmpty())
        table.setHeader(c.column, c.header);
    table.setText(c.column, 43, c.cellText);

    const TransferResult result = validateForWrite(table, texts);
    ASSERT_EQ(result.status, TransferStatus::InvalidChannel);
    EXPECT_EQ(result.message(texts), c.expected);
    // The detail stays English for logs and the command line, whatever the language.
    EXPECT_TRUE(result.detail.startsWith(QStringLiteral("channel 043, ")))
        << result.detail.toStdString();
    EXPECT_TRUE(result.detail.endsWith(QStringLiteral("cannot be written to the radio")))
        << result.detail.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Languages, UnwritableCellMessage,
    ::testing::Values(
        CellMessageCase{
            "Chinese",
            false,
            {},
            TxToneCol,
            "67,0",
            QStringLiteral("信道 043 的 QT/DQT编码 “67,0” 无法写入电台，未发送任何数据。")},
        CellMessageCase{"English", true, "TX Power", PowerCol, QStringLiteral("高功率"),
                        QStringLiteral("Channel 043: TX Power \"高功率\" cannot be written to the "
                                       "radio. Nothing was sent.")},
        // Placeholders in a pack's header or a file's cell text are shown as they stand.
        CellMessageCase{"PlaceholdersInHeaderAndText", true, "Enc %3", TxToneCol, "%1",
                        "Channel 043: Enc %3 \"%1\" cannot be written to the radio. Nothing was "
                        "sent."}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(TransferFixture, AClosedLinkIsReportedAndNothingIsSent) {
    link.close();
    EXPECT_EQ(readRadio(link, table, settings, texts).status, TransferStatus::PortNotOpen);
    const TransferResult write = writeRadio(link, table, settings, bands, texts);
    EXPECT_EQ(write.status, TransferStatus::PortNotOpen);
    EXPECT_EQ(write.message(texts), texts.msgPortOpenFailed);
    EXPECT_TRUE(radio.received().isEmpty());
}

struct BandCase {
    const char *name;
    BandList list;
    QStringList entries;
    int selected;
    bool band1Written;
    bool band2Written;
};

class BandSelection : public TransferFixture, public ::testing::WithParamInterface<BandCase> {};

TEST_P(BandSelection, ABandWithoutAUsableSelectionIsSkippedAndTheRadioKeepsItsLimits) {
    const auto &c = GetParam();
    bands.setList(c.list, c.entries, c.selected);
    const QByteArray factory = radio.memory().mid(0x0CA0, 16);

    const TransferResult result = writeRadio(link, table, settings, bands, texts, recorder());
    ASSERT_TRUE(result.ok()) << result.detail.toStdString();
    EXPECT_EQ(result.skipped.size(), 1);
    EXPECT_EQ(radio.memory().mid(0x0CA0, 8),
              c.band1Written ? hex("00 40 00 47 00 40 00 47") : factory.left(8));
    EXPECT_EQ(radio.memory().mid(0x0CA8, 8),
              c.band2Written ? hex("60 13 40 17 60 13 40 17") : factory.mid(8));
    // The blocks after it go on as usual: the ident block and the end command.
    EXPECT_EQ(radio.memory().mid(0x0C90, 8), hex("00 00 F3 38 32 36 33 50"));
    EXPECT_TRUE(radio.endReceived());
    EXPECT_EQ(progress.back(), std::make_pair(kWriteProgressEnd, kWriteProgressMax));
    EXPECT_EQ(progress.size(), 204u);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, BandSelection,
    ::testing::Values(
        BandCase{"Band1RxNoSelection", BandList::Band1Rx, {}, -1, false, true},
        BandCase{
            "Band1TxNotDigits", BandList::Band1Tx, {QStringLiteral("4OO-47OMHz")}, 0, false, true},
        BandCase{"Band2RxEntriesButNoSelection",
                 BandList::Band2Rx,
                 {QStringLiteral("136-174MHz")},
                 -1,
                 true,
                 false},
        BandCase{
            "Band2TxShortText", BandList::Band2Tx, {QStringLiteral("136-17")}, 0, true, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vrx

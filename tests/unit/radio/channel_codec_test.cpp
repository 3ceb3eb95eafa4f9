#include "radio/channel_codec.h"

#include "radio_test_support.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using test::englishTexts;
using test::hex;
using test::makeRow;

struct FrequencyCase {
    const char *text;
    const char *bytes;
};

class FrequencyCodec : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(FrequencyCodec, EncodesAndDecodesBothWays) {
    const auto &c = GetParam();
    const QString text = QString::fromLatin1(c.text);
    EXPECT_EQ(encodeFrequency(text), hex(c.bytes));
    EXPECT_EQ(decodeFrequency(hex(c.bytes)), text);
}

INSTANTIATE_TEST_SUITE_P(Examples, FrequencyCodec,
                         ::testing::Values(FrequencyCase{"438.50000", "00 00 85 43"},
                                           FrequencyCase{"446.00625", "25 06 60 44"},
                                           FrequencyCase{"136.12500", "00 25 61 13"},
                                           FrequencyCase{"", "FF FF FF FF"},
                                           // Partly erased: every nibble shows as a hex digit.
                                           FrequencyCase{"FFF.FF625", "25 F6 FF FF"},
                                           FrequencyCase{"4FF.F0000", "00 00 FF 4F"}));

TEST(FrequencyCodec, AcceptsLowerCaseHexDigits) {
    EXPECT_EQ(encodeFrequency(QStringLiteral("fff.ff625")), hex("25 F6 FF FF"));
}

class MalformedFrequency : public ::testing::TestWithParam<const char *> {};

TEST_P(MalformedFrequency, IsNotEncodable) {
    EXPECT_EQ(encodeFrequency(QString::fromUtf8(GetParam())), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Texts, MalformedFrequency,
                         ::testing::Values("438.5", "438,50000", "4385.0000", "438.500000",
                                           " 438.5000", "438.5000G", "43.850000", "438.5000.",
                                           "４38.50000"));

struct ToneCase {
    const char *text;
    const char *bytes;
};

class ToneCodec : public ::testing::TestWithParam<ToneCase> {};

TEST_P(ToneCodec, EncodesAndDecodesBothWays) {
    const auto &c = GetParam();
    const UiTexts texts = englishTexts();
    const QString text = QString::fromLatin1(c.text);
    EXPECT_EQ(encodeTone(text, texts), hex(c.bytes));
    EXPECT_EQ(decodeTone(hex(c.bytes), texts), text);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ToneCodec,
                         ::testing::Values(ToneCase{"OFF", "FF FF"}, ToneCase{"67.0", "70 06"},
                                           ToneCase{"97.4", "74 09"}, ToneCase{"100.0", "00 10"},
                                           ToneCase{"254.1", "41 25"}, ToneCase{"D023N", "23 80"},
                                           ToneCase{"D754I", "54 C7"}));

struct ToneDecodeCase {
    const char *bytes;
    const char *text;
};

class ToneDecode : public ::testing::TestWithParam<ToneDecodeCase> {};

TEST_P(ToneDecode, ReadsTheWordByItsFirstDigit) {
    EXPECT_EQ(decodeTone(hex(GetParam().bytes), englishTexts()),
              QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Words, ToneDecode,
    ::testing::Values(ToneDecodeCase{"00 F1", "OFF"}, ToneDecodeCase{"34 FE", "OFF"},
                      // Kinds 3-7, 9, A, B, D, E count as 0.
                      ToneDecodeCase{"23 31", "12.3"}, ToneDecodeCase{"50 97", "75.0"},
                      ToneDecodeCase{"2B EA", "A2.B"}, ToneDecodeCase{"00 D1", "10.0"}));

TEST(ToneCodec, TrimsSpacesAndWritesEmptyAsNoTone) {
    const UiTexts texts = englishTexts();
    EXPECT_EQ(encodeTone(QStringLiteral(" 67.0 "), texts), hex("70 06"));
    EXPECT_EQ(encodeTone(QString(), texts), hex("FF FF"));
    // The Chinese word is only "no tone" while it is the current OffText.
    EXPECT_EQ(encodeTone(QStringLiteral("禁用"), UiTexts{}), hex("FF FF"));
    EXPECT_EQ(encodeTone(QStringLiteral("禁用"), texts), std::nullopt);
}

class MalformedTone : public ::testing::TestWithParam<const char *> {};

TEST_P(MalformedTone, IsNotEncodable) {
    EXPECT_EQ(encodeTone(QString::fromUtf8(GetParam()), englishTexts()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Texts, MalformedTone,
                         ::testing::Values("67", "67.05", "6.70", "67,0", "1000.0", "D023X",
                                           "D089N", "D23N", "d023N", "D0234N", "ON",
                                           // From 300 Hz the word would read back as
                                           // another tone, or as a DCS code (8xx.x).
                                           "354.0", "823.0"));

struct FlagsCase {
    const char *power;
    const char *bandwidth;
    const char *scan;
    const char *busyLock;
    int byte;
};

class FlagsCodec : public ::testing::TestWithParam<FlagsCase> {};

TEST_P(FlagsCodec, EncodesAndDecodesBothWays) {
    const auto &c = GetParam();
    const UiTexts texts = englishTexts();
    ChannelRow row =
        makeRow({}, {}, {}, {}, QString::fromLatin1(c.power), QString::fromLatin1(c.bandwidth),
                QString::fromLatin1(c.scan), QString::fromLatin1(c.busyLock));
    EXPECT_EQ(encodeFlags(row, texts), std::optional<quint8>(quint8(c.byte)));

    ChannelRow decoded;
    decodeFlags(quint8(c.byte), texts, decoded);
    EXPECT_EQ(decoded, row);
}

INSTANTIATE_TEST_SUITE_P(
    Bits, FlagsCodec,
    ::testing::Values(FlagsCase{"High", "Wide", "ON", "OFF", 0xFF},  // the defaults
                      FlagsCase{"Low", "Narrow", "OFF", "ON", 0xF0}, // every bit 0
                      FlagsCase{"High", "Narrow", "OFF", "ON", 0xF8},
                      FlagsCase{"Low", "Wide", "OFF", "ON", 0xF4},
                      FlagsCase{"Low", "Narrow", "ON", "ON", 0xF2},
                      // Busy lock has the opposite sense: OFF is bit 1.
                      FlagsCase{"Low", "Narrow", "OFF", "OFF", 0xF1}));

TEST(FlagsCodec, FourEmptyCellsGiveFFAndTheHighNibbleIsNotRead) {
    const UiTexts texts = englishTexts();
    EXPECT_EQ(encodeFlags(ChannelRow{}, texts), std::optional<quint8>(0xFF));
    ChannelRow a, b;
    decodeFlags(0x05, texts, a);
    decodeFlags(0xA5, texts, b);
    EXPECT_EQ(a, b);
}

TEST(FlagsCodec, RefusesACellWithNeitherText) {
    const UiTexts texts = englishTexts();
    // A stale word from the other language, and one empty cell among filled ones.
    EXPECT_EQ(encodeFlags(makeRow({}, {}, {}, {}, QStringLiteral("高功率"), QStringLiteral("Wide"),
                                  QStringLiteral("ON"), QStringLiteral("OFF")),
                          texts),
              std::nullopt);
    EXPECT_EQ(encodeFlags(makeRow({}, {}, {}, {}, QStringLiteral("High"), QString(),
                                  QStringLiteral("ON"), QStringLiteral("OFF")),
                          texts),
              std::nullopt);
}

TEST(ChannelRecord, ChannelFiveOfTheExampleGivesItsTwoFramesAndReadsBack) {
    const UiTexts texts = englishTexts();
    const ChannelRow row = makeRow(QStringLiteral("438.50000"), QStringLiteral("67.0"),
                                   QStringLiteral("446.00625"), QStringLiteral("D023N"),
                                   texts.lowText, texts.narrowText, texts.offText, texts.onText);
    const auto record = encodeChannel(row, texts);
    ASSERT_TRUE(record);
    EXPECT_EQ(*record, hex("00 00 85 43 25 06 60 44 70 06 23 80 F0 FF FF FF"));
    EXPECT_EQ(decodeChannel(*record, texts), row);

    ChannelRow defaults = row;
    defaults[PowerCol - 1] = texts.highText;
    defaults[BandwidthCol - 1] = texts.wideText;
    defaults[ScanCol - 1] = texts.onText;
    defaults[BusyLockCol - 1] = texts.offText;
    EXPECT_EQ(quint8(encodeChannel(defaults, texts)->at(12)), 0xFF);
}

TEST(ChannelRecord, EmptyRowIsAnErasedRecordAndErasedRxFrequencyReadsEmpty) {
    const UiTexts texts = englishTexts();
    const QByteArray erased(16, char(0xFF));
    EXPECT_EQ(encodeChannel(ChannelRow{}, texts), erased);
    // RxFreq decides: leftovers in the other cells are not written.
    EXPECT_EQ(encodeChannel(makeRow({}, QStringLiteral("junk"), QStringLiteral("446.00625"), {},
                                    QStringLiteral("x"), {}, {}, {}),
                            texts),
              erased);
    EXPECT_EQ(decodeChannel(erased, texts), ChannelRow{});
    // Tones and flags set, but no receive frequency: an empty channel.
    EXPECT_EQ(decodeChannel(hex("FF FF FF FF 25 06 60 44 70 06 23 80 F0 FF FF FF"), texts),
              ChannelRow{});
}

struct BadCellCase {
    int column;
    const char *text;
};

class UnencodableCell : public ::testing::TestWithParam<BadCellCase> {};

TEST_P(UnencodableCell, IsNamedByItsColumn) {
    const UiTexts texts = englishTexts();
    ChannelRow row = makeRow(QStringLiteral("438.50000"), QStringLiteral("67.0"),
                             QStringLiteral("446.00625"), QStringLiteral("D023N"), texts.lowText,
                             texts.narrowText, texts.offText, texts.onText);
    ASSERT_EQ(findUnencodableColumn(row, texts), 0);
    row[GetParam().column - 1] = QString::fromUtf8(GetParam().text);
    EXPECT_EQ(findUnencodableColumn(row, texts), GetParam().column);
    EXPECT_EQ(encodeChannel(row, texts), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, UnencodableCell,
    ::testing::Values(BadCellCase{RxFreqCol, "438.5"}, BadCellCase{RxToneCol, "67"},
                      BadCellCase{TxFreqCol, "446.0062X"}, BadCellCase{TxToneCol, "D999N"},
                      BadCellCase{PowerCol, "低功率"}, BadCellCase{BandwidthCol, ""},
                      BadCellCase{ScanCol, "Yes"}, BadCellCase{BusyLockCol, "on"}));

TEST(ChannelRecord, SeveralBadCellsNameTheFirstInGridOrder) {
    const UiTexts texts = englishTexts();
    const ChannelRow row =
        makeRow(QStringLiteral("438.50000"), QStringLiteral("67"), QStringLiteral("446.0"),
                texts.offText, QStringLiteral("x"), texts.wideText, texts.onText, texts.offText);
    EXPECT_EQ(findUnencodableColumn(row, texts), RxToneCol);
}

TEST(ChannelRecord, EmptyTransmitFrequencyIsWrittenAsErasedAndReadBackEmpty) {
    const UiTexts texts = englishTexts();
    const ChannelRow row =
        makeRow(QStringLiteral("438.50000"), texts.offText, QString(), texts.offText,
                texts.highText, texts.wideText, texts.onText, texts.offText);
    const auto record = encodeChannel(row, texts);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->mid(4, 4), hex("FF FF FF FF"));
    EXPECT_EQ(decodeChannel(*record, texts), row);
}

} // namespace
} // namespace vrx

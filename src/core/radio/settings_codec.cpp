#include "radio/settings_codec.h"

#include "radio/radio_image.h"
#include "settings/band_plan.h"

namespace vrx {

namespace {

// One-bit options of byte 0 and byte 4, bit 0 first.
constexpr Option kByte0Options[] = {Option::APO,      Option::BEEP,     Option::BatSave,
                                    Option::ScanKind, Option::Ring,     Option::Scramble,
                                    Option::VfoMr,    Option::MrDisplay};
constexpr Option kByte4Options[] = {Option::KeySwitch, Option::SwitchUp,   Option::DownFreq,
                                    Option::BroadBand, Option::SpreadFreq, Option::Band};
constexpr quint8 kByte4FixedBits = 0xC0;

// Nibble-valued options: the byte that holds each, and what the nibble stores.
struct NibbleOption {
    Option option;
    int byte;
    int offset;    // nibble = index + offset
    int whenUnset; // index that an F nibble selects, -1 when F names nothing
};
constexpr NibbleOption kNibbleOptions[] = {
    {Option::Squelch, 1, 0, -1},  {Option::VoxControl, 2, 0, -1}, {Option::TxTimeout, 3, 0, -1},
    {Option::FreqStep, 5, 1, -1}, {Option::TxLight, 6, 1, 2},     {Option::RxLight, 7, 1, 4},
};

int entryCount(Option option) {
    return int(builtInEntries(option).size());
}

int at(const OptionIndexes &indexes, Option option) {
    return indexes[indexOf(option)];
}

quint8 packBits(const OptionIndexes &indexes, const Option *options, int count) {
    quint8 value = 0;
    for (int bit = 0; bit < count; ++bit)
        value |= quint8((at(indexes, options[bit]) & 1) << bit);
    return value;
}

// An edge of whole MHz as MHz x 10 in BCD, least significant byte first.
void appendEdge(QByteArray &block, int mhz) {
    const int hundreds = mhz / 100 % 10;
    const int tens = mhz / 10 % 10;
    const int units = mhz % 10;
    block.append(char(units << 4));
    block.append(char((hundreds << 4) | tens));
}

} // namespace

QByteArray encodeSettingsBlock(const OptionIndexes &indexes) {
    QByteArray block(RadioImage::kBlockSize, '\0');
    block[0] = char(packBits(indexes, kByte0Options, int(std::size(kByte0Options))));
    block[4] =
        char(kByte4FixedBits | packBits(indexes, kByte4Options, int(std::size(kByte4Options))));
    for (const NibbleOption &n : kNibbleOptions)
        block[n.byte] = char((at(indexes, n.option) + n.offset) & 0x0F);
    return block;
}

OptionIndexes decodeSettingsBlock(const QByteArray &block, const OptionIndexes &current) {
    OptionIndexes indexes = current;
    if (block.size() < RadioImage::kBlockSize)
        return indexes;
    for (const NibbleOption &n : kNibbleOptions) {
        const int nibble = quint8(block.at(n.byte)) & 0x0F;
        int index = -1;
        if (nibble == 0xF && n.whenUnset >= 0)
            index = n.whenUnset;
        else if (nibble <= 9)
            index = nibble - n.offset;
        if (index >= 0 && index < entryCount(n.option))
            indexes[indexOf(n.option)] = index;
    }
    const quint8 byte0 = quint8(block.at(0));
    for (int bit = 0; bit < int(std::size(kByte0Options)); ++bit)
        indexes[indexOf(kByte0Options[bit])] = (byte0 >> bit) & 1;
    const quint8 byte4 = quint8(block.at(4));
    for (int bit = 0; bit < int(std::size(kByte4Options)); ++bit)
        indexes[indexOf(kByte4Options[bit])] = (byte4 >> bit) & 1;
    return indexes;
}

std::optional<QByteArray> encodeBandLimits(const QString &rxBandText, const QString &txBandText) {
    const auto rx = parseBandText(rxBandText);
    const auto tx = parseBandText(txBandText);
    if (!rx || !tx)
        return std::nullopt;
    QByteArray block;
    for (int mhz : {rx->lowerMHz, rx->upperMHz, tx->lowerMHz, tx->upperMHz})
        appendEdge(block, mhz);
    return block;
}

QByteArray identBlock() {
    return QByteArray::fromHex("0000F33832363350");
}

QByteArray encodePowerDrive(const DriveValues &values) {
    QByteArray block(RadioImage::kBlockSize, char(0xFF));
    for (int i = 0; i < kDriveCount; ++i)
        block[i] = char(quint8(values[i]));
    return block;
}

std::optional<DriveValues> decodePowerDrive(const QByteArray &block) {
    if (block.size() < kDriveCount)
        return std::nullopt;
    return DriveValues{quint8(block.at(0)), quint8(block.at(1)), quint8(block.at(2))};
}

} // namespace vrx

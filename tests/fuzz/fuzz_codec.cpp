// The record codec. A decoded channel record encodes to a record that decodes the same,
// with the frequencies, the flags and every tone word in the codec's own form byte for
// byte; a record that cannot be written back is refused for a tone word outside the tone
// domain (hex digits where decimal ones belong), never for its frequencies or flags, and
// the write names that cell. Settings and drive blocks round-trip too.

#include "fuzz_check.h"

#include "radio/channel_codec.h"
#include "radio/settings_codec.h"
#include "test_texts.h"

namespace {

using namespace vrx;

// Tone words as the codec writes them: FFFF, 0NNN (below 100 Hz), 1NNN and 2NNN (from
// 100 Hz), 8OOO and COOO (DCS normal and inverted, octal).
bool isCanonicalToneWord(const QByteArray &bytes) {
    const int word = (quint8(bytes.at(1)) << 8) | quint8(bytes.at(0));
    if (word == 0xFFFF)
        return true;
    const int kind = word >> 12;
    const int limit = kind == 0x8 || kind == 0xC ? 8 : 10;
    if (kind > 2 && kind != 0x8 && kind != 0xC)
        return false;
    for (int shift = 0; shift < 12; shift += 4) {
        if (((word >> shift) & 0xF) >= limit)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace vrx;
    if (size < 16 + 8 + 3 + 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const UiTexts texts = (data[size - 1] & 1) ? test::englishTexts() : UiTexts{};

    const QByteArray record = bytes.left(16);
    const ChannelRow row = decodeChannel(record, texts);
    const bool canonicalTones =
        isCanonicalToneWord(record.mid(8, 2)) && isCanonicalToneWord(record.mid(10, 2));
    const std::optional<QByteArray> encoded = encodeChannel(row, texts);
    if (!encoded) {
        const int column = findUnencodableColumn(row, texts);
        FUZZ_CHECK(column == RxToneCol || column == TxToneCol);
        FUZZ_CHECK(!canonicalTones);
    } else {
        FUZZ_CHECK(encoded->size() == 16);
        FUZZ_CHECK(decodeChannel(*encoded, texts) == row);
        if (!row[0].isEmpty()) {
            FUZZ_CHECK(encoded->left(8) == record.left(8));
            FUZZ_CHECK((quint8(encoded->at(12)) & 0x0F) == (quint8(record.at(12)) & 0x0F));
            if (canonicalTones)
                FUZZ_CHECK(encoded->mid(8, 4) == record.mid(8, 4));
        } else {
            FUZZ_CHECK(*encoded == QByteArray(16, char(0xFF)));
        }
    }

    const QByteArray block = bytes.mid(16, 8);
    const OptionIndexes options = decodeSettingsBlock(block, defaultOptionIndexes());
    FUZZ_CHECK(decodeSettingsBlock(encodeSettingsBlock(options), defaultOptionIndexes()) ==
               options);

    const std::optional<DriveValues> drives = decodePowerDrive(bytes.mid(24, 3));
    FUZZ_CHECK(drives.has_value());
    FUZZ_CHECK(encodePowerDrive(*drives).left(3) == bytes.mid(24, 3));
    return 0;
}

// The record codec: a decoded channel record encodes to a record that decodes the same,
// with the frequencies and flags byte for byte; settings and drive blocks likewise.

#include "fuzz_check.h"

#include "radio/channel_codec.h"
#include "radio/settings_codec.h"
#include "test_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace vrx;
    if (size < 16 + 8 + 3 + 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const UiTexts texts = (data[size - 1] & 1) ? test::englishTexts() : UiTexts{};

    const QByteArray record = bytes.left(16);
    const ChannelRow row = decodeChannel(record, texts);
    const std::optional<QByteArray> encoded = encodeChannel(row, texts);
    FUZZ_CHECK(encoded.has_value());
    FUZZ_CHECK(encoded->size() == 16);
    FUZZ_CHECK(decodeChannel(*encoded, texts) == row);
    if (!row[0].isEmpty()) {
        FUZZ_CHECK(encoded->left(8) == record.left(8));
        FUZZ_CHECK((quint8(encoded->at(12)) & 0x0F) == (quint8(record.at(12)) & 0x0F));
    } else {
        FUZZ_CHECK(*encoded == QByteArray(16, char(0xFF)));
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

// The clipboard parser: every row it takes encodes for the radio, and copying the rows
// and pasting them again gives the same rows.

#include "fuzz_check.h"
#include "test_texts.h"

#include "channels/channel_clipboard.h"
#include "radio/channel_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace vrx;
    const UiTexts texts = test::englishTexts();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto parsed = parseChannelRows(text, texts);
    if (const auto *refusal = std::get_if<PasteRefusal>(&parsed)) {
        FUZZ_CHECK(refusal->line >= 1);
        FUZZ_CHECK(refusal->col >= 1 && refusal->col <= kFieldCount + 1);
        return 0;
    }
    const QList<ChannelRow> &rows = std::get<QList<ChannelRow>>(parsed);
    for (const ChannelRow &row : rows)
        FUZZ_CHECK(encodeChannel(row, texts).has_value());
    const auto again = parseChannelRows(formatChannelRows(rows), texts);
    FUZZ_CHECK(std::holds_alternative<QList<ChannelRow>>(again));
    FUZZ_CHECK(std::get<QList<ChannelRow>>(again) == rows);
    return 0;
}

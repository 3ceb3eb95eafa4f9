// The CSV reader: every row it takes encodes for the radio, and a plan made from an import
// exports and imports again as the same plan.

#include "fuzz_check.h"
#include "test_texts.h"

#include "radio/channel_codec.h"
#include "storage/csv_channels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace vrx;
    const UiTexts texts = test::englishTexts();
    const CsvTexts csvTexts;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const CsvImport import = parseCsvBytes(bytes, texts, csvTexts);
    if (!import.ok()) {
        FUZZ_CHECK(import.channels.isEmpty());
        return 0;
    }
    FUZZ_CHECK(import.notes.size() <= kMaxCsvNotes);
    for (const CsvChannel &channel : import.channels) {
        FUZZ_CHECK(channel.number >= 1 && channel.number <= kChannelCount);
        FUZZ_CHECK(encodeChannel(channel.row, texts).has_value());
    }
    const ChannelPlan plan = planWithImport(ChannelPlan{}, import);
    const CsvExport exported = writeCsvChannels(plan, texts, csvTexts);
    FUZZ_CHECK(exported.notes.isEmpty());
    const CsvImport again = parseCsvBytes(exported.bytes, texts, csvTexts);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.notes.isEmpty());
    FUZZ_CHECK(channelsByLocation(again) == plan.channels);
    return 0;
}

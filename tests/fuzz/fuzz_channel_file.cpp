// The channel file reader: whatever it accepts, it writes back in a form that reads as
// the same plan and writes as the same bytes.

#include "fuzz_check.h"

#include "storage/channel_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace vrx;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ChannelFileParse parsed = parseChannelFile(bytes);
    if (!parsed.ok()) {
        FUZZ_CHECK(parsed.error.line >= 0);
        FUZZ_CHECK(!parsed.error.reason.isEmpty());
        return 0;
    }
    const QByteArray written = writeChannelFile(*parsed.plan);
    FUZZ_CHECK(written.count('\n') == kChannelFileLineCount);
    const ChannelFileParse again = parseChannelFile(written);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.plan->bandText == parsed.plan->bandText);
    FUZZ_CHECK(again.plan->options == parsed.plan->options);
    FUZZ_CHECK(again.plan->drives == parsed.plan->drives);
    FUZZ_CHECK(again.plan->channels == parsed.plan->channels);
    FUZZ_CHECK(writeChannelFile(*again.plan) == written);
    return 0;
}

// The language pack parser: every text it yields is 1 to 253 characters long.

#include "fuzz_check.h"

#include "i18n/language_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace vrx;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const LanguagePack pack = LanguagePack::fromUtf8(bytes);
    int held = 0;
    for (int id = kFirstPackId - 1; id <= kLastPackId + 1; ++id) {
        const QString text = pack.text(id);
        FUZZ_CHECK(pack.has(id) == !text.isEmpty());
        if (!pack.has(id))
            continue;
        FUZZ_CHECK(LanguagePack::isValidId(id));
        FUZZ_CHECK(text.size() >= 1 && text.size() <= kMaxPackTextLength);
        ++held;
    }
    FUZZ_CHECK(held == pack.size());
    return 0;
}

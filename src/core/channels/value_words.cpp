#include "channels/value_words.h"

#include <array>

namespace vrx {

namespace {

struct ValueWord {
    const char16_t *chinese;
    const char16_t *english;
    QString UiTexts::*slot;
};

const ValueWord kOff{u"禁用", u"OFF", &UiTexts::offText};
const ValueWord kOn{u"启用", u"ON", &UiTexts::onText};
const ValueWord kHigh{u"高功率", u"High", &UiTexts::highText};
const ValueWord kLow{u"低功率", u"Low", &UiTexts::lowText};
const ValueWord kWide{u"宽带", u"Wide", &UiTexts::wideText};
const ValueWord kNarrow{u"窄带", u"Narrow", &UiTexts::narrowText};

bool matches(const QString &text, const ValueWord &word) {
    return text == QStringView(word.chinese) || text == QStringView(word.english);
}

// At most two words per column, in the order they are tried.
std::array<const ValueWord *, 2> wordsOf(int col) {
    switch (col) {
    case RxToneCol:
    case TxToneCol:
        return {&kOff, nullptr};
    case PowerCol:
        return {&kHigh, &kLow};
    case BandwidthCol:
        return {&kWide, &kNarrow};
    case ScanCol:
    case BusyLockCol:
        return {&kOff, &kOn};
    default:
        return {};
    }
}

} // namespace

QString translatedValue(int col, const QString &text, const UiTexts &texts) {
    for (const ValueWord *word : wordsOf(col)) {
        if (word && matches(text, *word))
            return texts.*(word->slot);
    }
    return text;
}

std::optional<QString> recognisedValue(int col, const QString &text, const UiTexts &texts) {
    for (const ValueWord *word : wordsOf(col)) {
        if (word && (matches(text, *word) || text == texts.*(word->slot)))
            return texts.*(word->slot);
    }
    return std::nullopt;
}

ChannelRow translatedRow(const ChannelRow &row, const UiTexts &texts) {
    ChannelRow fields = row;
    for (int col : {RxToneCol, TxToneCol, PowerCol, BandwidthCol, ScanCol, BusyLockCol})
        fields[col - 1] = translatedValue(col, fields[col - 1], texts);
    return fields;
}

} // namespace vrx

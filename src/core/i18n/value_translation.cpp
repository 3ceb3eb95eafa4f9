#include "i18n/value_translation.h"

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

} // namespace

QString translatedValue(int col, const QString &text, const UiTexts &texts) {
    // At most two words per column, in the order they are tried.
    std::array<const ValueWord *, 2> words{};
    switch (col) {
    case RxToneCol:
    case TxToneCol:
        words = {&kOff, nullptr};
        break;
    case PowerCol:
        words = {&kHigh, &kLow};
        break;
    case BandwidthCol:
        words = {&kWide, &kNarrow};
        break;
    case ScanCol:
    case BusyLockCol:
        words = {&kOff, &kOn};
        break;
    default:
        return text;
    }
    for (const ValueWord *word : words) {
        if (word && matches(text, *word))
            return texts.*(word->slot);
    }
    return text;
}

void translateValueCells(ChannelTable &table, const UiTexts &texts) {
    for (int row = 1; row <= kChannelCount; ++row) {
        ChannelRow fields = table.row(row);
        for (int col : {RxToneCol, TxToneCol, PowerCol, BandwidthCol, ScanCol, BusyLockCol})
            fields[col - 1] = translatedValue(col, fields[col - 1], texts);
        // One write per row, and none for rows without a change.
        table.setRow(row, fields);
    }
}

} // namespace vrx

#include "document/channel_list_texts.h"

#include "i18n/language_pack.h"
#include "i18n/pack_ids.h"

namespace vrx {

ChannelListTexts::ChannelListTexts() {
    for (int col = 0; col < kColumnCount; ++col)
        headers[col] = ChannelTable::builtInHeader(col);
    for (int i = 0; i < kOptionCount; ++i) {
        const QString caption = optionCaption(optionAt(i));
        optionLabels[i] = caption.isEmpty() ? optionKey(optionAt(i)) : caption;
    }
    for (int i = 0; i < kDriveCount; ++i)
        driveLabels[i] = driveKey(static_cast<Drive>(i));
}

QString ChannelListTexts::optionValue(int i, int index, const QString &planText) const {
    const QString shown = shownEntries[i].value(index);
    if (!shown.isEmpty())
        return shown;
    return planText.isEmpty() ? QString::number(index) : planText;
}

ChannelListTexts channelListTexts(const LanguagePack &pack) {
    ChannelListTexts texts;
    assignPackText(pack, toInt(PackId::ChannelListTitle), texts.title);
    assignPackText(pack, toInt(PackId::ChannelListOptionsTitle), texts.optionsTitle);
    for (int col = 0; col < kColumnCount; ++col)
        assignPackText(pack, headerId(col), texts.headers[col]);
    for (int i = 0; i < kOptionCount; ++i)
        assignPackText(pack, optionLabelId(optionAt(i)), texts.optionLabels[i]);
    assignPackText(pack, toInt(PackId::LabelRing), texts.optionLabels[indexOf(Option::Ring)]);
    // In the order of their lists: Ring OFF, ON; BroadBand narrow, wide.
    const std::pair<Option, std::array<PackId, 2>> hidden[] = {
        {Option::Ring, {PackId::OffText, PackId::OnText}},
        {Option::BroadBand, {PackId::NarrowText, PackId::WideText}},
    };
    for (const auto &[option, words] : hidden) {
        if (pack.has(toInt(words[0])) && pack.has(toInt(words[1])))
            texts.shownEntries[indexOf(option)] = {pack.text(words[0]), pack.text(words[1])};
    }
    const PackId drives[] = {PackId::LabelHighDrive, PackId::LabelLowDrive1,
                             PackId::LabelLowDrive2};
    for (int i = 0; i < kDriveCount; ++i)
        assignPackText(pack, toInt(drives[i]), texts.driveLabels[i]);
    return texts;
}

} // namespace vrx

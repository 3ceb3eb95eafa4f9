#include "document/channel_list_texts.h"

#include "i18n/language_pack.h"
#include "i18n/pack_ids.h"

namespace vrx {

namespace {

void assign(const LanguagePack &pack, int id, QString &text) {
    if (id != 0 && pack.has(id))
        text = pack.text(id);
}

} // namespace

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

ChannelListTexts channelListTexts(const LanguagePack &pack) {
    ChannelListTexts texts;
    assign(pack, toInt(PackId::ChannelListTitle), texts.title);
    assign(pack, toInt(PackId::ChannelListOptionsTitle), texts.optionsTitle);
    for (int col = 0; col < kColumnCount; ++col)
        assign(pack, headerId(col), texts.headers[col]);
    for (int i = 0; i < kOptionCount; ++i)
        assign(pack, optionLabelId(optionAt(i)), texts.optionLabels[i]);
    const PackId drives[] = {PackId::LabelHighDrive, PackId::LabelLowDrive1,
                             PackId::LabelLowDrive2};
    for (int i = 0; i < kDriveCount; ++i)
        assign(pack, toInt(drives[i]), texts.driveLabels[i]);
    return texts;
}

} // namespace vrx

#include "radio/demo_radio.h"

#include "i18n/ui_texts.h"
#include "radio/channel_codec.h"
#include "radio/radio_image.h"

namespace vrx {

QList<ChannelRow> DemoRadio::sampleChannels() {
    const UiTexts t;
    return {
        {"438.50000", "67.0", "438.50000", "67.0", t.highText, t.wideText, t.onText, t.offText},
        {"439.12500", "D023N", "434.12500", "D023N", t.lowText, t.wideText, t.onText, t.offText},
        {"446.00625", t.offText, "446.00625", "88.5", t.lowText, t.narrowText, t.onText, t.onText},
        {"462.56250", "D754I", "467.56250", "D754I", t.highText, t.narrowText, t.offText,
         t.offText},
        {"409.75000", "151.4", "409.75000", "151.4", t.highText, t.wideText, t.onText, t.offText},
    };
}

DemoRadio::DemoRadio() {
    const UiTexts texts;
    const QList<ChannelRow> rows = sampleChannels();
    for (int i = 0; i < rows.size(); ++i) {
        const auto record = encodeChannel(rows[i], texts);
        if (record)
            server_.radio().memory().replace(RadioImage::channelAddress(i + 1),
                                             RadioImage::kRecordSize, *record);
    }
}

bool DemoRadio::start(bool wireTime, QString *error) {
    server_.radio().setWireTime(wireTime);
    return server_.start(error);
}

} // namespace vrx

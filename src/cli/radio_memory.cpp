#include "radio_memory.h"

#include "i18n/ui_texts.h"
#include "i18n/value_translation.h"
#include "radio/channel_codec.h"
#include "radio/radio_image.h"
#include "radio/settings_codec.h"

namespace vrx {

std::optional<QByteArray> radioMemoryFromPlan(const ChannelPlan &plan, const QByteArray &base,
                                              QString *error) {
    QByteArray memory = base;
    const UiTexts texts;
    for (int n = 1; n <= kChannelCount; ++n) {
        ChannelRow row = plan.channels[n - 1];
        for (int col = RxToneCol; col <= BusyLockCol; ++col)
            row[col - 1] = translatedValue(col, row[col - 1], texts);
        const std::optional<QByteArray> record = encodeChannel(row, texts);
        if (!record) {
            const int col = findUnencodableColumn(row, texts);
            *error = QStringLiteral("channel %1, %2: \"%3\" cannot be held by the radio")
                         .arg(n)
                         .arg(fieldName(col), row[col - 1]);
            return std::nullopt;
        }
        memory.replace(RadioImage::channelAddress(n), RadioImage::kRecordSize, *record);
    }
    memory.replace(RadioImage::kSettingsAddress, RadioImage::kBlockSize,
                   encodeSettingsBlock(plan.options));
    memory.replace(RadioImage::kPowerDriveAddress, RadioImage::kBlockSize,
                   encodePowerDrive(plan.drives));
    // The plan names only the band-1 receive range; the radio would use it both ways.
    if (const auto limits = encodeBandLimits(plan.bandText, plan.bandText))
        memory.replace(RadioImage::kBand1Address, RadioImage::kBlockSize, *limits);
    return memory;
}

} // namespace vrx

#pragma once

#include "channels/channel_table.h"
#include "settings/radio_settings.h"

#include <QString>

#include <array>

namespace vrx {

class LanguagePack;

// The words of a printed channel list in one language.
struct ChannelListTexts {
    // %1 the band text, %2 the date.
    QString title = QStringLiteral("Channel list   Band %1   %2");
    QString optionsTitle = QStringLiteral("Options and power drive");
    // Columns 0..8 of the grid: number and the eight fields.
    std::array<QString, kColumnCount> headers;
    std::array<QString, kOptionCount> optionLabels;
    std::array<QString, kDriveCount> driveLabels;

    ChannelListTexts();
};

// The texts of `pack` (headers 46-54, option labels, drive labels 88-90, 249, 250); an id
// the pack lacks keeps the built-in text (the grid's Chinese headers and option captions,
// the keyword of an option without a label).
ChannelListTexts channelListTexts(const LanguagePack &pack);

} // namespace vrx

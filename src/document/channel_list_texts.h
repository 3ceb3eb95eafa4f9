#pragma once

#include "channels/channel_table.h"
#include "settings/radio_settings.h"

#include <QString>
#include <QStringList>

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
    // Entry words shown for the hidden options Ring and BroadBand, whose lists keep the
    // file's texts in every language; empty: the plan's own text is shown.
    std::array<QStringList, kOptionCount> shownEntries;

    ChannelListTexts();
    // What the options block shows for option i at `index`.
    QString optionValue(int i, int index, const QString &planText) const;
};

// The texts of `pack` (headers 46-54, option labels with 349 for Ring, drive labels 88-90,
// 249, 250, the value words 55, 56, 59 and 60 for Ring's and BroadBand's entries); an id
// the pack lacks keeps the built-in text (the grid's Chinese headers and option captions,
// the keyword of an option without a label).
ChannelListTexts channelListTexts(const LanguagePack &pack);

} // namespace vrx

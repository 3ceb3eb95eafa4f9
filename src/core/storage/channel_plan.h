#pragma once

#include "channels/channel_table.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"

#include <QString>

#include <array>

namespace vrx {

// One complete channel plan as a channel file holds it, apart from any widget or model:
// the band-1 receive text, the option indexes, the drive values and the 199 channels.
struct ChannelPlan {
    QString bandText;
    OptionIndexes options = defaultOptionIndexes();
    // Entry text of each selected option, in the language active when captured. Saved
    // beside the index for the reader's eye only; applying a plan never uses it.
    std::array<QString, kOptionCount> optionTexts = builtInOptionTexts(defaultOptionIndexes());
    DriveValues drives = defaultDriveValues();
    // channels[n - 1] is channel n.
    std::array<ChannelRow, kChannelCount> channels;

    bool operator==(const ChannelPlan &) const = default;

    // The built-in entry text of each option at the given indexes (empty where an index
    // has no entry).
    static std::array<QString, kOptionCount> builtInOptionTexts(const OptionIndexes &indexes);
};

// The plan the program holds now: Band1Rx's displayed text, the options with their
// current entry texts, the drives and every channel row.
ChannelPlan capturePlan(const ChannelTable &table, const RadioSettings &settings,
                        const BandPlan &bands);

// Replaces the current plan with `plan`, in the order opening a file uses: select (or
// append) the band text in Band1Rx, set the options in file order (SpreadFreq before band,
// so a stored band survives the band-extension rule), the drives, then all 199 channels.
void applyPlan(const ChannelPlan &plan, ChannelTable &table, RadioSettings &settings,
               BandPlan &bands);

} // namespace vrx

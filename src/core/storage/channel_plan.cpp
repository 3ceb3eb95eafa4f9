#include "storage/channel_plan.h"

namespace vrx {

std::array<QString, kOptionCount> ChannelPlan::builtInOptionTexts(const OptionIndexes &indexes) {
    std::array<QString, kOptionCount> texts;
    for (int i = 0; i < kOptionCount; ++i)
        texts[i] = builtInEntries(optionAt(i)).value(indexes[i]);
    return texts;
}

ChannelPlan capturePlan(const ChannelTable &table, const RadioSettings &settings,
                        const BandPlan &bands) {
    ChannelPlan plan;
    plan.bandText = bands.displayedText(BandList::Band1Rx);
    plan.options = settings.indexes();
    for (int i = 0; i < kOptionCount; ++i)
        plan.optionTexts[i] = settings.selectedText(optionAt(i));
    plan.drives = settings.drives();
    for (int n = 1; n <= kChannelCount; ++n)
        plan.channels[n - 1] = table.row(n);
    return plan;
}

void applyPlan(const ChannelPlan &plan, ChannelTable &table, RadioSettings &settings,
               BandPlan &bands) {
    bands.selectOrAppend(BandList::Band1Rx, plan.bandText);
    settings.setIndexes(plan.options);
    settings.setDrives(plan.drives);
    for (int n = 1; n <= kChannelCount; ++n)
        table.setRow(n, plan.channels[n - 1]);
}

} // namespace vrx

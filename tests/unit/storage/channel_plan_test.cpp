#include "storage/channel_plan.h"

#include "storage_test_util.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

struct Program {
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;
};

TEST(ChannelPlanTest, DefaultPlanIsWhatAFreshProgramCaptures) {
    const Program program;
    EXPECT_EQ(capturePlan(program.table, program.settings, program.bands), ChannelPlan{});
}

TEST(ChannelPlanTest, CaptureTakesTheCurrentEntryTexts) {
    Program program;
    test::useEnglishEntries(program.settings);
    program.settings.setIndex(Option::TxTimeout, 2);
    program.bands.setList(BandList::Band1Rx, {"136-174MHz", "400-470MHz"}, 1);
    program.table.setText(RxFreqCol, 199, QStringLiteral("438.50000"));

    const ChannelPlan plan = capturePlan(program.table, program.settings, program.bands);
    EXPECT_EQ(plan.bandText, QStringLiteral("400-470MHz"));
    EXPECT_EQ(plan.options[indexOf(Option::TxTimeout)], 2);
    EXPECT_EQ(plan.optionTexts[indexOf(Option::TxTimeout)], QStringLiteral("2min"));
    EXPECT_EQ(plan.optionTexts[indexOf(Option::Ring)], QStringLiteral("启用"));
    EXPECT_EQ(plan.channels[198][0], QStringLiteral("438.50000"));
}

TEST(ChannelPlanTest, ApplyReplacesEveryChannelAndSetting) {
    Program program;
    program.table.setRow(3, {"401.00000", "OFF", "401.00000", "OFF", "Low", "Wide", "ON", "OFF"});
    ChannelPlan plan = test::numberedPlan();
    plan.channels[2] = ChannelRow{}; // channel 3 is empty in the plan
    plan.options[indexOf(Option::Squelch)] = 8;
    plan.drives = {1, 2, 3};
    // Texts are for the reader of the file only.
    plan.optionTexts[indexOf(Option::Squelch)] = QStringLiteral("nonsense");

    applyPlan(plan, program.table, program.settings, program.bands);

    EXPECT_TRUE(program.table.isEmptyChannel(3));
    EXPECT_EQ(program.table.row(199), plan.channels[198]);
    EXPECT_EQ(program.settings.index(Option::Squelch), 8);
    EXPECT_EQ(program.settings.selectedText(Option::Squelch), QStringLiteral("8"));
    EXPECT_EQ(program.settings.drives(), (DriveValues{1, 2, 3}));
}

TEST(ChannelPlanTest, ApplySelectsAKnownBandAndAppendsANewOne) {
    Program program;
    program.bands.setList(BandList::Band1Rx, {"400-470MHz", "136-174MHz"}, 0);
    ChannelPlan plan;

    plan.bandText = QStringLiteral("136-174MHz");
    applyPlan(plan, program.table, program.settings, program.bands);
    EXPECT_EQ(program.bands.entries(BandList::Band1Rx).size(), 2);
    EXPECT_EQ(program.bands.selected(BandList::Band1Rx), 1);

    plan.bandText = QStringLiteral("350-390MHz");
    applyPlan(plan, program.table, program.settings, program.bands);
    EXPECT_EQ(program.bands.entries(BandList::Band1Rx),
              (QStringList{"400-470MHz", "136-174MHz", "350-390MHz"}));
    EXPECT_EQ(program.bands.displayedText(BandList::Band1Rx), QStringLiteral("350-390MHz"));
    // Only the band-1 receive list takes the file's band.
    EXPECT_TRUE(program.bands.entries(BandList::Band1Tx).isEmpty());
}

TEST(ChannelPlanTest, ApplyKeepsAStoredBandAgainstTheBandExtensionRule) {
    ChannelPlan plan;
    plan.options[indexOf(Option::SpreadFreq)] = 0;
    plan.options[indexOf(Option::Band)] = 1;

    for (int spreadBefore : {0, 1}) {
        Program program;
        program.settings.setIndex(Option::SpreadFreq, spreadBefore);
        applyPlan(plan, program.table, program.settings, program.bands);
        EXPECT_EQ(program.settings.index(Option::Band), 1) << spreadBefore;
        EXPECT_FALSE(program.settings.bandEditable()) << spreadBefore;
    }
}

} // namespace
} // namespace vrx

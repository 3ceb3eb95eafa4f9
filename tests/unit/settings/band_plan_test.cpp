#include "settings/band_plan.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace vrx {
namespace {

// Records which lists notified, per signal.
struct BandLog {
    std::vector<BandList> displayed;
    std::vector<BandList> changed;

    explicit BandLog(BandPlan &plan) {
        QObject::connect(&plan, &BandPlan::displayedTextChanged,
                         [this](BandList l) { displayed.push_back(l); });
        QObject::connect(&plan, &BandPlan::listChanged,
                         [this](BandList l) { changed.push_back(l); });
    }
};

const QStringList kTwo{QStringLiteral("400-470MHz"), QStringLiteral("136-174MHz")};

TEST(BandPlanTest, StartsEmptyWithNothingSelected) {
    BandPlan plan;
    for (BandList l :
         {BandList::Band1Rx, BandList::Band1Tx, BandList::Band2Rx, BandList::Band2Tx}) {
        EXPECT_TRUE(plan.entries(l).isEmpty());
        EXPECT_EQ(plan.selected(l), -1);
        EXPECT_EQ(plan.displayedText(l), QString());
    }
}

class SetListSelectionTest : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(SetListSelectionTest, IndexWithoutEntrySelectsNothing) {
    const auto [given, expected] = GetParam();
    BandPlan plan;
    plan.setList(BandList::Band2Tx, kTwo, given);
    EXPECT_EQ(plan.selected(BandList::Band2Tx), expected);
    EXPECT_EQ(plan.displayedText(BandList::Band2Tx), kTwo.value(expected));
    // The other lists are untouched.
    EXPECT_TRUE(plan.entries(BandList::Band1Rx).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Indexes, SetListSelectionTest,
                         ::testing::Values(std::pair{0, 0}, std::pair{1, 1}, std::pair{2, -1},
                                           std::pair{5, -1}, std::pair{-1, -1}));

TEST(BandPlanTest, SelectionChangeNotifiesOnlyItsList) {
    BandPlan plan;
    plan.setList(BandList::Band1Tx, kTwo, 0);
    BandLog log(plan);
    plan.select(BandList::Band1Tx, 1);
    EXPECT_EQ(log.displayed, std::vector<BandList>{BandList::Band1Tx});
    EXPECT_EQ(log.changed, std::vector<BandList>{BandList::Band1Tx});
    EXPECT_EQ(plan.displayedText(BandList::Band1Tx), kTwo[1]);
}

TEST(BandPlanTest, SelectingTheSelectedEntryEmitsNothing) {
    BandPlan plan;
    plan.setList(BandList::Band1Rx, kTwo, 1);
    BandLog log(plan);
    plan.select(BandList::Band1Rx, 1);
    plan.selectOrAppend(BandList::Band1Rx, kTwo[1]);
    plan.setList(BandList::Band1Rx, kTwo, 1);
    EXPECT_TRUE(log.displayed.empty());
    EXPECT_TRUE(log.changed.empty());
}

TEST(BandPlanTest, SelectOrAppendSelectsTheFirstEqualEntry) {
    BandPlan plan;
    plan.setList(BandList::Band1Rx, {"400-470MHz", "136-174MHz", "400-470MHz"}, 1);
    BandLog log(plan);
    plan.selectOrAppend(BandList::Band1Rx, QStringLiteral("400-470MHz"));
    EXPECT_EQ(plan.selected(BandList::Band1Rx), 0);
    EXPECT_EQ(plan.entries(BandList::Band1Rx).size(), 3);
    EXPECT_EQ(log.displayed, std::vector<BandList>{BandList::Band1Rx});
}

TEST(BandPlanTest, SelectOrAppendAppendsAnUnknownTextAndSelectsIt) {
    BandPlan plan;
    plan.setList(BandList::Band1Rx, kTwo, 0);
    BandLog log(plan);
    plan.selectOrAppend(BandList::Band1Rx, QStringLiteral("350-390MHz"));
    EXPECT_EQ(plan.entries(BandList::Band1Rx), kTwo + QStringList{"350-390MHz"});
    EXPECT_EQ(plan.selected(BandList::Band1Rx), 2);
    EXPECT_EQ(plan.displayedText(BandList::Band1Rx), QStringLiteral("350-390MHz"));
    EXPECT_EQ(log.displayed, std::vector<BandList>{BandList::Band1Rx});
    EXPECT_EQ(log.changed, std::vector<BandList>{BandList::Band1Rx});
}

TEST(BandPlanTest, EmptyBandTextBecomesAnEmptyEntry) {
    // A file saved with no Band1Rx entry carries "BAND " alone; opening it adds "".
    BandPlan plan;
    BandLog log(plan);
    plan.selectOrAppend(BandList::Band1Rx, QString());
    EXPECT_EQ(plan.entries(BandList::Band1Rx), QStringList{QString()});
    EXPECT_EQ(plan.selected(BandList::Band1Rx), 0);
    // The displayed text was empty and still is: no caption change, but the list grew.
    EXPECT_TRUE(log.displayed.empty());
    EXPECT_EQ(log.changed, std::vector<BandList>{BandList::Band1Rx});
}

TEST(BandPlanTest, SameTextUnderAnotherIndexIsNoDisplayedChange) {
    BandPlan plan;
    plan.setList(BandList::Band2Rx, {"400-470MHz", "400-470MHz"}, 0);
    BandLog log(plan);
    plan.select(BandList::Band2Rx, 1);
    EXPECT_TRUE(log.displayed.empty());
    EXPECT_EQ(log.changed, std::vector<BandList>{BandList::Band2Rx});
}

struct BandTextCase {
    const char *text;
    std::optional<BandEdges> edges;
};
class ParseBandTextTest : public ::testing::TestWithParam<BandTextCase> {};

TEST_P(ParseBandTextTest, EdgesFromDigitPositions) {
    const auto result = parseBandText(QString::fromUtf8(GetParam().text));
    ASSERT_EQ(result.has_value(), GetParam().edges.has_value());
    if (result) {
        EXPECT_EQ(result->lowerMHz, GetParam().edges->lowerMHz);
        EXPECT_EQ(result->upperMHz, GetParam().edges->upperMHz);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseBandTextTest,
                         ::testing::Values(BandTextCase{"400-470MHz", BandEdges{400, 470}},
                                           BandTextCase{"136-174MHz", BandEdges{136, 174}},
                                           // Only characters 1-3 and 5-7 are interpreted.
                                           BandTextCase{"400x470", BandEdges{400, 470}},
                                           BandTextCase{"", std::nullopt},
                                           BandTextCase{"400-47", std::nullopt},
                                           BandTextCase{"4O0-470MHz", std::nullopt},
                                           BandTextCase{"400-4 0MHz", std::nullopt}));

} // namespace
} // namespace vrx

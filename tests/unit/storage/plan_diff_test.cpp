#include "storage/channel_file.h"
#include "storage/plan_diff.h"

#include "storage_test_util.h"
#include "test_texts.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

QStringList lines(const QList<PlanDifference> &differences) {
    QStringList result;
    for (const PlanDifference &d : differences)
        result << d.line();
    return result;
}

TEST(PlanDiff, EqualPlansHaveNoDifferences) {
    EXPECT_TRUE(
        comparePlans(test::numberedPlan(), test::numberedPlan(), test::englishTexts()).isEmpty());
}

TEST(PlanDiff, ThePlanInTheOtherLanguageIsTheSamePlan) {
    ChannelPlan chinese = test::numberedPlan();
    ChannelPlan english = chinese;
    for (ChannelRow &row : english.channels)
        row = {row[0], row[1], row[2], row[3], "High", "Wide", "ON", "OFF"};
    // Entry texts follow the language and are not compared; nor is a trailing blank.
    english.optionTexts.fill(QStringLiteral("english words"));
    english.channels[4][1] = QStringLiteral("67.0 ");
    EXPECT_TRUE(comparePlans(chinese, english, test::englishTexts()).isEmpty());
}

TEST(PlanDiff, EveryKindOfDifferenceInFileOrder) {
    const ChannelPlan a = test::numberedPlan();
    ChannelPlan b = a;
    b.bandText = QStringLiteral("136-174MHz");
    b.options[indexOf(Option::Squelch)] = 5;
    b.drives[0] = 80;
    b.channels[4][RxToneCol - 1] = QStringLiteral("D023N");
    b.channels[6][PowerCol - 1] = QStringLiteral("Low");
    b.channels[9] = {};
    EXPECT_EQ(lines(comparePlans(a, b, test::englishTexts())),
              (QStringList{
                  "BAND: 400-470MHz -> 136-174MHz",
                  "Squelch: 2 -> 5",
                  "high: 79 -> 80",
                  "CH005 RxTone: 67.0 -> D023N",
                  "CH007 Power: High -> Low",
                  "CH010 RxFreq: 310.00000 -> (empty)",
                  "CH010 RxTone: 67.0 -> (empty)",
                  "CH010 TxFreq: 310.00000 -> (empty)",
                  "CH010 TxTone: D023N -> (empty)",
                  "CH010 Power: High -> (empty)",
                  "CH010 Bandwidth: Wide -> (empty)",
                  "CH010 Scan: ON -> (empty)",
                  "CH010 BusyLock: OFF -> (empty)",
              }));
}

TEST(PlanDiff, AChannelWithoutReceiveFrequencyIsEmptyWhateverElseItHolds) {
    ChannelPlan a;
    ChannelPlan b;
    b.channels[2] = {"", "67.0", "", "", "High", "", "", ""};
    EXPECT_TRUE(comparePlans(a, b, test::englishTexts()).isEmpty());
}

TEST(PlanDiff, FilesSavedInBothLanguagesCompareEqual) {
    const ChannelFileLoad chinese = loadChannelFile(test::fixturePath("example_chinese.vrx"));
    ASSERT_TRUE(chinese.ok()) << chinese.error.toStdString();
    // The same plan with the English value words, through the writer and the reader.
    ChannelPlan english = *chinese.plan;
    for (ChannelRow &row : english.channels) {
        for (QString &cell : row) {
            if (cell == QStringLiteral("高功率"))
                cell = QStringLiteral("High");
            else if (cell == QStringLiteral("宽带"))
                cell = QStringLiteral("Wide");
            else if (cell == QStringLiteral("禁用"))
                cell = QStringLiteral("OFF");
            else if (cell == QStringLiteral("启用"))
                cell = QStringLiteral("ON");
        }
    }
    const ChannelFileParse reread = parseChannelFile(writeChannelFile(english));
    ASSERT_TRUE(reread.ok());
    EXPECT_TRUE(comparePlans(*chinese.plan, *reread.plan, UiTexts{}).isEmpty());
    // And the value words are shown in the language of the comparison.
    ChannelPlan changed = *reread.plan;
    changed.channels[0][ScanCol - 1] = QStringLiteral("ON");
    changed.channels[0][BusyLockCol - 1] = QStringLiteral("ON");
    const QList<PlanDifference> d = comparePlans(*chinese.plan, changed, UiTexts{});
    ASSERT_EQ(d.size(), 1);
    EXPECT_EQ(d[0].line(), QStringLiteral("CH001 BusyLock: 禁用 -> 启用"));
}

} // namespace
} // namespace vrx

#include "channels/band_check.h"

#include "channels/channel_table.h"
#include "test_texts.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

TEST(BandCheck, EachFrequencyColumnTakesItsOwnSelectedBands) {
    BandPlan bands;
    bands.setList(BandList::Band1Rx, {"400-470MHz"}, 0);
    bands.setList(BandList::Band2Rx, {"136-174MHz", "400-470MHz"}, 0);
    bands.setList(BandList::Band1Tx, {"400-470MHz"}, 0);
    bands.setList(BandList::Band2Tx, {"400-470MHz", "bad-textMHz"}, 1);
    EXPECT_EQ(bandTextsFor(bands, RxFreqCol), (QStringList{"400-470MHz", "136-174MHz"}));
    EXPECT_EQ(bandTextsFor(bands, TxFreqCol), QStringList{"400-470MHz"})
        << "unreadable and repeated texts are left out";
    EXPECT_TRUE(bandTextsFor(bands, PowerCol).isEmpty());
    EXPECT_TRUE(bandTextsFor(BandPlan{}, RxFreqCol).isEmpty());
}

struct OutsideCase {
    const char *text;
    bool outside;
};

class OutsideBands : public ::testing::TestWithParam<OutsideCase> {};

TEST_P(OutsideBands, MarksOnlyReadableFrequenciesBeyondEveryBand) {
    const QStringList bands{"136-174MHz", "400-470MHz"};
    EXPECT_EQ(isOutsideBands(QString::fromLatin1(GetParam().text), bands), GetParam().outside);
    EXPECT_FALSE(isOutsideBands(QString::fromLatin1(GetParam().text), {}))
        << "nothing to check against marks nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OutsideBands,
    ::testing::Values(OutsideCase{"438.50000", false}, OutsideCase{"400.00000", false},
                      OutsideCase{"470.00000", false}, OutsideCase{"470.00500", true},
                      OutsideCase{"399.99500", true}, OutsideCase{"150.00000", false},
                      OutsideCase{"200.00000", true}, OutsideCase{"", false},
                      OutsideCase{"abc", false}));

} // namespace
} // namespace vrx

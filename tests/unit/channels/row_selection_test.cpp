#include "channels/row_selection.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using Click = RowSelection::Click;

TEST(RowSelection, ClickExtendAndToggleLikeAFileList) {
    RowSelection s;
    EXPECT_EQ(s.rowsOr(7), QList<int>{7}) << "nothing selected: the current channel";
    s.click(5, Click::Plain);
    s.click(8, Click::Extend);
    EXPECT_EQ(s.rows(), (QList<int>{5, 6, 7, 8}));
    s.click(3, Click::Extend); // from the same anchor, the other way
    EXPECT_EQ(s.rows(), (QList<int>{3, 4, 5}));
    s.click(4, Click::Toggle);
    s.click(10, Click::Toggle);
    EXPECT_EQ(s.rowsOr(1), (QList<int>{3, 5, 10}));
    s.click(12, Click::Extend); // from the last toggled one
    EXPECT_EQ(s.rows(), (QList<int>{10, 11, 12}));
    s.click(0, Click::Plain);
    s.click(200, Click::Toggle);
    EXPECT_EQ(s.size(), 3) << "no channel 0 or 200";
    s.selectAll();
    EXPECT_EQ(s.size(), 199);
    s.clear();
    EXPECT_TRUE(s.isEmpty());
}

} // namespace
} // namespace vrx

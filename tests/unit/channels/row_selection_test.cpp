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

TEST(RowSelection, KeysExtendFromTheCurrentChannel) {
    RowSelection s;
    s.extend(5, 6); // Shift+Down on channel 5
    s.extend(6, 8);
    EXPECT_EQ(s.rows(), (QList<int>{5, 6, 7, 8}));
    s.extend(8, 3); // back past the anchor
    EXPECT_EQ(s.rows(), (QList<int>{3, 4, 5}));
    s.extend(40, 41); // the current channel left the selection: a new one starts there
    EXPECT_EQ(s.rows(), (QList<int>{40, 41}));
    s.extend(198, 250);
    EXPECT_EQ(s.rows(), (QList<int>{198, 199})) << "clamped to the last channel";
    s.selectAll();
    s.extend(10, 9); // after select all, from the current channel
    EXPECT_EQ(s.rows(), (QList<int>{9, 10}));
}

} // namespace
} // namespace vrx

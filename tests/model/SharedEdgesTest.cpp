// Windows side by side, a gap apart, following the edge the user moved: halves, a column split in two on
// either side, rows, a resize from the left, the minimum a follower keeps, and windows that only look
// close.
#include "model/SharedEdges.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr SharedEdgeRules kRules{.gap = 10, .tolerance = 2, .minimum = 100};

TEST(SharedEdgesTest, TheWindowsAcrossAMovedEdgeFollowItAndCarryTheEdgesInLineWithThem) {
    // Halves: the right one's left edge follows, its right edge stays.
    const QList<QRectF> halves{{0, 0, 500, 1000}, {510, 0, 490, 1000}};
    EXPECT_EQ(followSharedEdges(halves, 0, {0, 0, 700, 1000}, kRules),
              (QList<QRectF>{{0, 0, 700, 1000}, {710, 0, 290, 1000}}));

    // The left half grows; the right column is split in two: both follow.
    const QList<QRectF> rightSplit{{0, 0, 500, 1000}, {510, 0, 490, 495}, {510, 505, 490, 495}};
    EXPECT_EQ(followSharedEdges(rightSplit, 0, {0, 0, 400, 1000}, kRules),
              (QList<QRectF>{{0, 0, 400, 1000}, {410, 0, 590, 495}, {410, 505, 590, 495}}));

    // The top of a split left column grows: the right window follows it, and the bottom of the left
    // column, sharing the right window's left edge, follows that. Its top edge, untouched, stays.
    const QList<QRectF> leftSplit{{0, 0, 500, 495}, {0, 505, 500, 495}, {510, 0, 490, 1000}};
    EXPECT_EQ(followSharedEdges(leftSplit, 0, {0, 0, 600, 495}, kRules),
              (QList<QRectF>{{0, 0, 600, 495}, {0, 505, 600, 495}, {610, 0, 390, 1000}}));

    // Rows: the bottom edge moves the next row's top, and a resize from the left moves the window
    // on the left. Thirds: only the neighbour across the moved edge follows.
    const QList<QRectF> rows{{0, 0, 1000, 500}, {0, 510, 1000, 490}};
    EXPECT_EQ(followSharedEdges(rows, 0, {0, 0, 1000, 300}, kRules),
              (QList<QRectF>{{0, 0, 1000, 300}, {0, 310, 1000, 690}}));
    const QList<QRectF> thirds{{0, 0, 330, 1000}, {340, 0, 320, 1000}, {670, 0, 330, 1000}};
    EXPECT_EQ(followSharedEdges(thirds, 1, {300, 0, 360, 1000}, kRules),
              (QList<QRectF>{{0, 0, 290, 1000}, {300, 0, 360, 1000}, {670, 0, 330, 1000}}));
}

TEST(SharedEdgesTest, AFollowerStopsAtItsMinimumAndWindowsNotSharingTheEdgeStay) {
    const QList<QRectF> halves{{0, 0, 500, 1000}, {510, 0, 490, 1000}};
    EXPECT_EQ(followSharedEdges(halves, 0, {0, 0, 950, 1000}, kRules)[1], QRectF(900, 0, 100, 1000))
        << "no narrower than the minimum";

    // A window further off than the gap, one touching only at a corner, and one on another row.
    const QList<QRectF> apart{
        {0, 0, 500, 500}, {530, 0, 470, 500}, {510, 500, 490, 500}, {0, 600, 1000, 400}};
    EXPECT_EQ(followSharedEdges(apart, 0, {0, 0, 600, 500}, kRules).mid(1), apart.mid(1));

    // An edge within the tolerance of the gap still counts: rounding puts windows a pixel off.
    const QList<QRectF> rounded{{0, 0, 500, 1000}, {511, 0, 489, 1000}};
    EXPECT_EQ(followSharedEdges(rounded, 0, {0, 0, 600, 1000}, kRules)[1], QRectF(611, 0, 389, 1000));

    // A move that changes nothing, and an index that names no window, move nothing.
    EXPECT_EQ(followSharedEdges(halves, 0, halves[0], kRules), halves);
    EXPECT_EQ(followSharedEdges(halves, 2, {0, 0, 10, 10}, kRules), halves);
}

} // namespace
} // namespace corvane

// The built-in layouts and the conversion of zones to screen rectangles: the numbers users see.
// Rectangles are compared field by field with ==, since QRectF's own comparison is fuzzy.
#include "model/BuiltInLayouts.h"
#include "model/ScreenGeometry.h"

#include <QSet>
#include <array>
#include <gtest/gtest.h>

namespace corvane {
namespace {

using Edges = std::array<double, 4>;

Edges edges(const QRectF& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

TEST(LayoutGeometryTest, EveryBuiltInLayoutAndZoneHasItsOwnId) {
    QSet<QUuid> ids;
    qsizetype count = 0;
    for (const SnapLayout& layout : builtInLayouts()) {
        ids.insert(layout.id);
        for (const SnapZone& z : layout.zones)
            ids.insert(z.id);
        count += 1 + layout.zones.size();
    }
    EXPECT_EQ(ids.size(), count);
}

TEST(LayoutGeometryTest, ScreenRectRoundsEachEdgeSoNeighboursShareTheirEdges) {
    const QList<SnapZone>& thirds = builtInLayouts()[2].zones;
    const QRectF visible(0, 0, 1000, 800);
    QList<Edges> rects;
    for (const SnapZone& z : thirds)
        rects.append(edges(screenRect(z.rect, visible)));
    EXPECT_EQ(rects, (QList<Edges>{{0, 0, 333, 800}, {333, 0, 334, 800}, {667, 0, 333, 800}}));

    const QRectF belowMenuBar(0, 25, 1440, 875);
    EXPECT_EQ(edges(screenRect(builtInLayouts()[0].zones[1].rect, belowMenuBar)), (Edges{720, 25, 720, 875}));
    // Fractions grow down from the top, screen coordinates up from the bottom.
    EXPECT_EQ(edges(screenRect(QRectF(0, 0, 0.5, 0.5), belowMenuBar)), (Edges{0, 463, 720, 437}));
    EXPECT_EQ(edges(screenRect(QRectF(0, 0.5, 0.5, 0.5), belowMenuBar)), (Edges{0, 25, 720, 438}));
}

TEST(LayoutGeometryTest, HalvesRoundAwayFromZeroAndFractionsAreNotClamped) {
    struct Row {
        QRectF fraction, visible;
        Edges expected;
        const char* what;
    };
    const Row rows[] = {
        {{0.5, 0, 0.25, 1}, {0, 0, 1, 2}, {1, 0, 0, 2}, "0.5 -> 1 and 0.75 -> 1"},
        {{0, 0, 1, 1}, {0.5, -0.5, 10, 10}, {1, -1, 10, 11}, "0.5 -> 1, 10.5 -> 11, -0.5 -> -1"},
        {{0, 0, 1, 1}, {2.5, 0, 1, 10}, {3, 0, 1, 10}, "2.5 -> 3, 3.5 -> 4: not to even"},
        {{0.75, 0, 0.25, 1}, {-3, 0, 2, 10}, {-2, 0, 1, 10}, "-1.5 -> -2"},
        {{1, -0.5, 1, 1}, {0, 0, 100, 100}, {100, 50, 100, 100}, "outside the visible frame"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(edges(screenRect(r.fraction, r.visible)), r.expected) << r.what;
}

TEST(LayoutGeometryTest, ContainmentHoldsMinimumEdgesOnly) {
    const QRectF r(10, 20, 30, 40);
    EXPECT_TRUE(rectContainsPoint(r, {10, 20}));
    EXPECT_TRUE(rectContainsPoint(r, {39.999, 59.999}));
    EXPECT_FALSE(rectContainsPoint(r, {40, 30}));
    EXPECT_FALSE(rectContainsPoint(r, {20, 60}));
    EXPECT_FALSE(rectContainsPoint(r, {9.999, 30}));
    EXPECT_FALSE(rectContainsPoint(QRectF(0, 0, 0, 10), {0, 5}));
}

} // namespace
} // namespace corvane

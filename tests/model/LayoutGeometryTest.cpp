// The built-in layouts and the conversion of zones to screen rectangles: the numbers users see.
#include "model/BuiltInLayouts.h"
#include "model/ScreenGeometry.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(LayoutGeometryTest, BuiltInLayoutsComeInTheirOrderWithTheirZones) {
    const QList<SnapLayout>& layouts = builtInLayouts();
    QStringList names;
    for (const SnapLayout& l : layouts)
        names.append(l.name);
    EXPECT_EQ(names, (QStringList{"Split", "Quadrant", "Thirds", "Rows", "Right Bias", "Bias", "Six Pack",
                                  "Focus"}));

    const auto zones = [&](int i) {
        QList<QRectF> out;
        for (const SnapZone& z : layouts[i].zones)
            out.append(z.rect);
        return out;
    };
    const double t = 0.3333333333333333;
    const double tt = 0.6666666666666666;
    EXPECT_EQ(zones(1), (QList<QRectF>{{0, 0, .5, .5}, {.5, 0, .5, .5}, {0, .5, .5, .5}, {.5, .5, .5, .5}}));
    EXPECT_EQ(zones(2)[1].x(), t);
    EXPECT_EQ(zones(2)[2].x(), tt);
    EXPECT_EQ(zones(4)[0].width(), t) << "Right Bias is narrow on the left";
    EXPECT_EQ(zones(5)[0].width(), tt) << "Bias is wide on the left";
    ASSERT_EQ(zones(6).size(), 6);
    EXPECT_EQ(zones(6)[3], QRectF(0, 0.5, t, 0.5)) << "Six Pack lists the top row first";
    EXPECT_EQ(zones(7)[1], QRectF(0.25, 0, 0.5, 1));
    EXPECT_EQ(&builtInLayouts(), &layouts);
    EXPECT_EQ(builtInLayouts()[0].id, layouts[0].id) << "ids stay for the life of the process";
}

TEST(LayoutGeometryTest, ScreenRectRoundsEachEdgeSoNeighboursShareTheirEdges) {
    const QList<SnapZone>& thirds = builtInLayouts()[2].zones;
    const QRectF visible(0, 0, 1000, 800);
    const QRectF a = screenRect(thirds[0].rect, visible);
    const QRectF b = screenRect(thirds[1].rect, visible);
    const QRectF c = screenRect(thirds[2].rect, visible);
    EXPECT_EQ(QList<double>({a.x(), b.x(), c.x()}), QList<double>({0, 333, 667}));
    EXPECT_EQ(QList<double>({a.width(), b.width(), c.width()}), QList<double>({333, 334, 333}));

    EXPECT_EQ(screenRect(builtInLayouts()[0].zones[1].rect, QRectF(0, 25, 1440, 875)),
              QRectF(720, 25, 720, 875));
    // Top-left quadrant: y grows down in fractions, up on screen.
    EXPECT_EQ(screenRect(QRectF(0, 0, 0.5, 0.5), QRectF(0, 25, 1440, 875)), QRectF(0, 463, 720, 437));
}

TEST(LayoutGeometryTest, HalvesRoundAwayFromZeroAndFractionsAreNotClamped) {
    EXPECT_EQ(screenRect(QRectF(0.5, 0, 0.25, 1), QRectF(0, 0, 1, 2)), QRectF(1, 0, 0, 2))
        << "0.5 -> 1, 0.75 -> 1";
    EXPECT_EQ(screenRect(QRectF(0.75, 0, 0.25, 1), QRectF(-3, 0, 2, 10)), QRectF(-2, 0, 1, 10))
        << "-1.5 -> -2";
    EXPECT_EQ(screenRect(QRectF(0, 0, 1, 1), QRectF(0.5, -0.5, 10, 10)), QRectF(1, -1, 10, 11));
    EXPECT_EQ(screenRect(QRectF(1, -0.5, 1, 1), QRectF(0, 0, 100, 100)), QRectF(100, 50, 100, 100));
}

TEST(LayoutGeometryTest, ContainmentHoldsMinimumEdgesOnly) {
    const QRectF r(10, 20, 30, 40);
    EXPECT_TRUE(rectContainsPoint(r, {10, 20}));
    EXPECT_TRUE(rectContainsPoint(r, {39.999, 59.999}));
    EXPECT_FALSE(rectContainsPoint(r, {40, 30}));
    EXPECT_FALSE(rectContainsPoint(r, {20, 60}));
    EXPECT_FALSE(rectContainsPoint(QRectF(0, 0, 0, 10), {0, 5}));
}

} // namespace
} // namespace corvane

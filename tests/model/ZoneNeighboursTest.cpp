// The zone next to a window in each direction, on the built-in layouts, a grid preset with a merged
// column and zones that overlap; where a window enters a screen; which screen lies next to another.
#include "model/ZoneNeighbours.h"

#include "model/BuiltInLayouts.h"
#include "model/GridAlgebra.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using enum ZoneDirection;

QList<QRectF> rectsOf(const SnapLayout& layout) {
    QList<QRectF> rects;
    for (const SnapZone& zone : layout.zones)
        rects.append(zone.rect);
    return rects;
}

QList<QRectF> builtIn(const char* name) {
    for (const SnapLayout& layout : builtInLayouts()) {
        if (layout.name == QLatin1String(name))
            return rectsOf(layout);
    }
    ADD_FAILURE() << "no built-in layout " << name;
    return {};
}

struct Step {
    const char* what;
    QList<QRectF> zones;
    QRectF from;
    ZoneDirection direction;
    std::optional<qsizetype> expected; // an index into zones
};

TEST(ZoneNeighboursTest, EachDirectionFindsTheZoneBesideTheWindow) {
    const QList<QRectF> split = builtIn("Split"), quadrant = builtIn("Quadrant"), thirds = builtIn("Thirds"),
                        focus = builtIn("Focus"), sixPack = builtIn("Six Pack"), rows = builtIn("Rows");
    // Two rows of three columns, the right column merged: top-left, top-middle, right, bottom-left,
    // bottom-middle.
    const QList<QRectF> desk = rectsOf(makeGridLayout("Desk", 2, 3, {{0, 2, 2, 1}}));
    const QList<QRectF> overlapping = {{0, 0, 1, 1}, {0, 0, 0.5, 1}, {0.5, 0, 0.5, 1}};
    const Step steps[] = {
        {"split: left to right", split, split[0], Right, 1},
        {"split: right to left", split, split[1], Left, 0},
        {"split: nothing further left", split, split[0], Left, std::nullopt},
        {"split: nothing above", split, split[0], Up, std::nullopt},
        {"quadrant: right", quadrant, quadrant[0], Right, 1},
        {"quadrant: down", quadrant, quadrant[0], Down, 2},
        {"quadrant: up", quadrant, quadrant[3], Up, 1},
        {"quadrant: left", quadrant, quadrant[3], Left, 2},
        {"thirds: middle to left", thirds, thirds[1], Left, 0},
        {"thirds: middle to right", thirds, thirds[1], Right, 2},
        {"focus: left column to the wide middle", focus, focus[0], Right, 1},
        {"rows: down", rows, rows[0], Down, 1},
        {"rows: nothing beside", rows, rows[0], Right, std::nullopt},
        {"six pack: down a column", sixPack, sixPack[1], Down, 4},
        {"six pack: along a row", sixPack, sixPack[4], Right, 5},
        {"six pack: a corner touching diagonally is no neighbour", sixPack, sixPack[0], Right, 1},
        {"grid: into the merged column", desk, desk[4], Right, 2},
        {"grid: out of the merged column, the upper of two", desk, desk[2], Left, 1},
        {"grid: up the left column", desk, desk[3], Up, 0},
        {"overlapping: the half beside, not the whole screen", overlapping, overlapping[1], Right, 2},
        {"overlapping: from the whole screen nothing lies further", overlapping, overlapping[0], Right, 2},
        {"no zone: a small window in the middle goes right", split, {0.3, 0.3, 0.4, 0.4}, Right, 1},
        {"no zone: and left", split, {0.3, 0.3, 0.4, 0.4}, Left, 0},
        {"no zone: nothing above in columns", split, {0.3, 0.3, 0.4, 0.4}, Up, std::nullopt},
        {"no zone: a maximised window goes to the upper right quarter", quadrant, {0, 0, 1, 1}, Right, 1},
        {"no zone: a window low on the left goes to the lower right quarter",
         quadrant,
         {0.1, 0.6, 0.3, 0.3},
         Right,
         3},
    };
    for (const Step& step : steps)
        EXPECT_EQ(nextRect(step.zones, step.from, step.direction), step.expected) << step.what;
}

TEST(ZoneNeighboursTest, AWindowEntersAScreenAtItsNearEdgeNearestWhereItWas) {
    const QList<QRectF> quadrant = builtIn("Quadrant");
    EXPECT_EQ(entryRect(quadrant, 0.2, Right), 0) << "from the left, high: the upper left quarter";
    EXPECT_EQ(entryRect(quadrant, 0.8, Right), 2) << "from the left, low: the lower left quarter";
    EXPECT_EQ(entryRect(quadrant, 0.3, Left), 1) << "from the right: the upper right quarter";
    EXPECT_EQ(entryRect(quadrant, 0.7, Down), 1) << "from above, on the right: the upper right quarter";
    EXPECT_EQ(entryRect(quadrant, 0.2, Up), 2) << "from below, on the left: the lower left quarter";
    EXPECT_EQ(entryRect(builtIn("Thirds"), 0.9, Left), 2) << "one column: its last third";
    EXPECT_FALSE(entryRect({}, 0.5, Right));
}

TEST(ZoneNeighboursTest, ScreensBesideAndAboveAreFoundTheSameWay) {
    // y down: a 1440 x 900 screen, a taller one on its right, and one above that.
    const QList<QRectF> screens = {{0, 0, 1440, 900}, {1440, -180, 1920, 1080}, {1440, -1260, 1920, 1080}};
    EXPECT_EQ(nextRect(screens, screens[0], Right), 1);
    EXPECT_EQ(nextRect(screens, screens[1], Left), 0);
    EXPECT_EQ(nextRect(screens, screens[1], Up), 2);
    EXPECT_EQ(nextRect(screens, screens[2], Down), 1);
    EXPECT_FALSE(nextRect(screens, screens[0], Up)) << "the top screen lies above and beside, not above";
    EXPECT_FALSE(nextRect(screens, screens[1], Right));
}

} // namespace
} // namespace corvane

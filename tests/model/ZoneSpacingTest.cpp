// The spacing around zones: neighbours end exactly the gap apart and zones the margin from the work
// area's edges, whole pixels with thirds too, a rectangle over several zones has their outer edges,
// and no spacing ever leaves a zone empty or inverted.
#include "model/BuiltInLayouts.h"
#include "model/GridAlgebra.h"
#include "model/ScreenGeometry.h"

#include <array>
#include <gtest/gtest.h>

namespace corvane {
namespace {

using Edges = std::array<double, 4>; // left, bottom, right, top: screen coordinates

Edges edges(const QRectF& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QList<SnapLayout> layoutsToCheck() {
    return builtInLayouts() + QList{makeGridLayout(QStringLiteral("Seven by five"), 5, 7, {{1, 2, 3, 4}})};
}

TEST(ZoneSpacingTest, NeighboursEndExactlyTheGapApartAndEdgeZonesTheMarginFromTheWorkArea) {
    // Odd and even gaps, on a work area off the origin and one of odd size.
    for (const QRectF area : {QRectF(0, 25, 1440, 875), QRectF(1440, 40, 1279, 761)}) {
        const Edges a = edges(area);
        for (const ZoneSpacing spacing : {ZoneSpacing{7, 5}, ZoneSpacing{8, 0}, ZoneSpacing{0, 12}}) {
            for (const SnapLayout& layout : layoutsToCheck()) {
                SCOPED_TRACE(qPrintable(QStringLiteral("%1, gap %2, area at %3")
                                            .arg(layout.name)
                                            .arg(spacing.gap)
                                            .arg(area.x())));
                for (const SnapZone& zone : layout.zones) {
                    const Edges raw = edges(screenRect(zone.rect, area));
                    const Edges spaced = edges(screenRect(zone.rect, area, spacing));
                    // Each edge: the margin from the work area's edge, or half the gap from the shared one.
                    EXPECT_EQ(spaced[0] - raw[0], raw[0] == a[0] ? spacing.margin : (spacing.gap + 1) / 2);
                    EXPECT_EQ(raw[2] - spaced[2], raw[2] == a[2] ? spacing.margin : spacing.gap / 2);
                    EXPECT_EQ(raw[3] - spaced[3], raw[3] == a[3] ? spacing.margin : (spacing.gap + 1) / 2);
                    EXPECT_EQ(spaced[1] - raw[1], raw[1] == a[1] ? spacing.margin : spacing.gap / 2);
                    for (const SnapZone& other : layout.zones) {
                        const Edges next = edges(screenRect(other.rect, area, spacing));
                        const Edges nextRaw = edges(screenRect(other.rect, area));
                        if (nextRaw[0] == raw[2]) {
                            EXPECT_EQ(next[0] - spaced[2], spacing.gap) << "left to right";
                        }
                        if (nextRaw[3] == raw[1]) {
                            EXPECT_EQ(spaced[1] - next[3], spacing.gap) << "top to bottom";
                        }
                    }
                }
            }
        }
    }
}

TEST(ZoneSpacingTest, ThirdsAndSpannedZonesComeOutInWholePixels) {
    const QRectF area(0, 0, 1000, 800);
    const ZoneSpacing spacing{9, 4};
    QList<Edges> thirds;
    for (const SnapZone& zone : builtInLayouts()[2].zones)
        thirds.append(edges(screenRect(zone.rect, area, spacing)));
    // Raw edges 0, 333, 667, 1000: 5 of the odd gap after a shared edge, 4 before it.
    EXPECT_EQ(thirds, (QList<Edges>{{4, 4, 329, 796}, {338, 4, 663, 796}, {672, 4, 996, 796}}));

    // A rectangle covering several zones, as a span of them is built: the outer edges of those zones.
    const QList<SnapZone> zones = makeGridLayout(QStringLiteral("Three by three"), 3, 3, {}).zones;
    for (const SnapZone& first : zones) {
        for (const SnapZone& last : zones) {
            const Edges a = edges(screenRect(first.rect, area, spacing));
            const Edges b = edges(screenRect(last.rect, area, spacing));
            EXPECT_EQ(edges(screenRect(first.rect.united(last.rect), area, spacing)),
                      (Edges{std::min(a[0], b[0]), std::min(a[1], b[1]), std::max(a[2], b[2]),
                             std::max(a[3], b[3])}));
        }
    }
}

TEST(ZoneSpacingTest, NoSpacingChangesNothingAndNoSpacingEmptiesAZone) {
    EXPECT_EQ(ZoneSpacing({-5, -1}).clamped(), ZoneSpacing({0, 0}));
    EXPECT_EQ(ZoneSpacing({1000, 100}).clamped(), ZoneSpacing({100, 100}));

    // The largest spacing on a small work area: each zone keeps at least half its length, in the
    // proportion asked for (the margin of 100 against half a gap of 50).
    const QRectF small(0, 0, 320, 200);
    for (const SnapLayout& layout : layoutsToCheck()) {
        for (const SnapZone& zone : layout.zones) {
            const QRectF raw = screenRect(zone.rect, small);
            const QRectF spaced = screenRect(zone.rect, small, {1000, 1000});
            EXPECT_EQ(screenRect(zone.rect, small, {}), raw);
            EXPECT_GE(spaced.width(), std::ceil(raw.width() / 2)) << qPrintable(layout.name);
            EXPECT_GE(spaced.height(), std::ceil(raw.height() / 2)) << qPrintable(layout.name);
            EXPECT_TRUE(raw.contains(spaced)) << qPrintable(layout.name);
        }
    }
    EXPECT_EQ(edges(screenRect({0, 0, 0.5, 1}, small, {1000, 1000})), (Edges{53, 50, 133, 150}));
    const EdgeInsets onePixel = zoneEdgeInsets(1, false, false, {100, 100});
    EXPECT_EQ(onePixel.start + onePixel.end, 0);
    EXPECT_EQ(zoneEdgeInsets(-20, true, true, {100, 100}).start, 0) << "an inverted zone is left as it is";
}

} // namespace
} // namespace corvane

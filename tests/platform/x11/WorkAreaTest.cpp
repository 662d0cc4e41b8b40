// Panels and docks take their strips off the monitors they lie on, and only those; the window
// manager's work area cuts further where it is tighter and clearly belongs to one monitor.
#include "platform/x11/WorkArea.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Two monitors side by side in one 3360 x 1080 root window.
const QRect kLeft(0, 0, 1440, 900);
const QRect kRight(1440, 0, 1920, 1080);

TEST(WorkAreaTest, PartialStrutsReserveStripsAlongTheirEdges) {
    // A 32-point panel along the bottom of the left monitor only (x 0...1439).
    const QList<quint32> bottom{0, 0, 0, 180, 0, 0, 0, 0, 0, 0, 0, 1439};
    EXPECT_EQ(reservedStrips(bottom, 3360, 1080), QList<QRect>{QRect(0, 900, 1440, 180)});
    // A 48-point dock along the right edge of the root, rows 100...899.
    const QList<quint32> right{0, 48, 0, 0, 0, 0, 100, 899, 0, 0, 0, 0};
    EXPECT_EQ(reservedStrips(right, 3360, 1080), QList<QRect>{QRect(3312, 100, 48, 800)});
    EXPECT_EQ(reservedStrips({0, 0, 25, 0}, 1440, 900), QList<QRect>{QRect(0, 0, 1440, 25)})
        << "a plain strut takes the whole edge";
    EXPECT_TRUE(reservedStrips({1, 2, 3}, 1440, 900).isEmpty());
}

TEST(WorkAreaTest, EachMonitorLosesOnlyTheStripsOnIt) {
    const QList<QRect> strips{QRect(0, 868, 1440, 32),    // a panel at the bottom of the left monitor
                              QRect(1440, 0, 1920, 28),   // a bar at the top of the right one
                              QRect(3312, 100, 48, 800)}; // a dock on the right monitor's right edge
    EXPECT_EQ(visibleArea(kLeft, strips), QRect(0, 0, 1440, 868));
    EXPECT_EQ(visibleArea(kRight, strips), QRect(1440, 28, 1872, 1052));
    EXPECT_EQ(visibleArea(kLeft, {}), kLeft);
    const QRect leftDock(0, 0, 64, 900);
    EXPECT_EQ(visibleArea(kLeft, {leftDock}), QRect(64, 0, 1376, 900));
}

TEST(WorkAreaTest, TheWorkAreaCutsASingleMonitorWhereItIsTighterThanTheStruts) {
    const QRect monitor(0, 0, 1440, 900);
    // A toolbar reserved through the work area alone (880 of 900 rows), no strut.
    EXPECT_EQ(visibleAreas({monitor}, {}, QRect(0, 0, 1440, 880)), QList<QRect>{QRect(0, 0, 1440, 880)});
    // A 30-row strut at the top and a work area that knows only of it and of a 20-row bottom bar.
    EXPECT_EQ(visibleAreas({monitor}, {QRect(0, 0, 1440, 30)}, QRect(0, 25, 1440, 855)),
              QList<QRect>{QRect(0, 30, 1440, 850)})
        << "each side takes the tighter of the two";
    EXPECT_EQ(visibleAreas({monitor}, {}, std::nullopt), QList<QRect>{monitor});
    EXPECT_EQ(visibleAreas({monitor}, {}, QRect(0, 0, 0, 0)), QList<QRect>{monitor}) << "an empty work area";
    EXPECT_EQ(visibleAreas({monitor}, {}, QRect(0, 950, 1440, 100)), QList<QRect>{monitor})
        << "a work area that leaves nothing of the monitor is not believed";
}

TEST(WorkAreaTest, WithSeveralMonitorsOnlyASideOneMonitorAloneReachesIsCut) {
    // Side by side, different heights: the bottom of the bounding box is the right monitor's alone.
    EXPECT_EQ(visibleAreas({kLeft, kRight}, {}, QRect(30, 0, 3300, 1050)),
              (QList<QRect>{QRect(30, 0, 1410, 900), QRect(1440, 0, 1890, 1050)}));
    // Side by side, the same height: a bottom inset may lie on either and is left alone.
    const QRect second(1440, 0, 1440, 900);
    EXPECT_EQ(visibleAreas({kLeft, second}, {}, QRect(0, 0, 2880, 870)), (QList<QRect>{kLeft, second}));
    // Stacked: the top inset is the upper monitor's, the left edge is shared and left alone.
    const QRect lower(0, 900, 1440, 900);
    EXPECT_EQ(visibleAreas({kLeft, lower}, {}, QRect(40, 25, 1400, 1775)),
              (QList<QRect>{QRect(0, 25, 1440, 875), lower}));
}

} // namespace
} // namespace corvane

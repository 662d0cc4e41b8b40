// Panels and docks take their strips off the monitors they lie on, and only those.
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

} // namespace
} // namespace corvane

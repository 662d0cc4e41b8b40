// The chords for the neighbouring zone: through the layout a window was placed with, else the one its
// screen offers, across to the next screen at the edge, from a window in no zone, and quick presses
// that add up before the first write has landed.
#include "ControllerFixture.h"

namespace corvane {
namespace {

class ZoneNavigatorTest : public ControllerTest {
protected:
    // Control+Alt+Shift with an arrow, the default chords.
    void press(quint16 arrow) {
        desk.events().sendGlobal(hotkey("", arrow, modifier::kShift));
        desk.settle();
    }
    Placement move(ZoneDirection direction) {
        const Placement placement = controller->navigator().moveToNeighbourZone(direction);
        desk.settle();
        return placement;
    }
};

TEST_F(ZoneNavigatorTest, TheArrowsStepThroughTheScreensLayoutFromAWindowInNoZone) {
    start();
    EXPECT_EQ(move(ZoneDirection::Right), Placement::UnknownLayout) << "no zone, and no layout offered";
    controller.reset(); // its shortcuts go before the next one's come
    start([](const Screen&) { return QString("Quadrant"); });
    press(keycode::kRightArrow);
    EXPECT_EQ(frame(), kTopRight) << "from no zone: the nearest zone on the right, the one it overlaps most";
    press(keycode::kDownArrow);
    EXPECT_EQ(frame(), kBottomRight);
    press(keycode::kLeftArrow);
    EXPECT_EQ(frame(), kBottomLeft);
    press(keycode::kUpArrow);
    EXPECT_EQ(frame(), kTopLeft);
    EXPECT_EQ(move(ZoneDirection::Left), Placement::NoOtherScreen) << "the edge of the only screen";
    EXPECT_EQ(frame(), kTopLeft);
}

TEST_F(ZoneNavigatorTest, TheWindowsLayoutGoesWithItAcrossScreensAndQuickPressesAddUp) {
    const Screen second = desk.addScreen(QRectF(1440, 0, 1440, 900), QRectF(1440, 0, 1440, 900));
    start([&second](const Screen& s) { return QString(s.id == second.id ? "Split" : "Quadrant"); });
    controller->cycle().applyLayout("Thirds");
    desk.settle();
    ASSERT_EQ(frame(), QRectF(0, 25, 480, 875));
    EXPECT_EQ(move(ZoneDirection::Right), Placement::Requested);
    EXPECT_EQ(frame(), QRectF(480, 25, 480, 875)) << "in the layout last applied to it, not the screen's";
    controller->navigator().moveToNeighbourZone(ZoneDirection::Right);
    controller->navigator().moveToNeighbourZone(ZoneDirection::Right);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(1440, 0, 480, 900)) << "two presses before a write landed: two zones on";
    EXPECT_EQ(move(ZoneDirection::Left), Placement::Requested);
    EXPECT_EQ(frame(), QRectF(960, 25, 480, 875)) << "back to the first screen's last third";
    EXPECT_EQ(move(ZoneDirection::Up), Placement::NoOtherScreen);

    // Moved by hand to the right edge, it has no layout of its own: each screen offers its own.
    desk.setWindowFrame(window, QRectF(1100, 300, 300, 300));
    desk.runLoop().advance(ZoneTracker::restSeconds);
    EXPECT_EQ(move(ZoneDirection::Right), Placement::Requested);
    EXPECT_EQ(frame(), QRectF(1440, 0, 720, 900)) << "the second screen's Split, from its left";
    EXPECT_EQ(move(ZoneDirection::Left), Placement::Requested);
    EXPECT_EQ(frame(), kTopRight) << "back: the first screen's Quadrant, the upper of the two at its edge";
}

} // namespace
} // namespace corvane

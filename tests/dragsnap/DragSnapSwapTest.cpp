// With swapping on, a window dropped on a zone another placed window fills takes it, and that window
// takes the dropped one's former place: its zone, or its frame where it had none. The preview shows
// both frames before the drop. Off, back in its own zone, or onto a window left alone, a drop moves
// the dropped window only.
#include "DragSnapFixture.h"
#include "control/ZoneSwapper.h"

namespace corvane {
namespace {

// Quadrant's zones on the 1440 x 875 visible frame below the menu bar, AX coordinates.
const QRectF kTopLeft(0, 25, 720, 437);
const QRectF kTopRight(720, 25, 720, 437);
const QRectF kTopRightFraction(0.5, 0, 0.5, 0.5);
const QRectF kTopLeftFraction(0, 0, 0.5, 0.5);

class DragSnapSwapTest : public DragSnapTest {
protected:
    WindowPlacer placer{platform, frameWrites, zoneSpacing, excluded};
    ZoneTracker zones{platform, frameWrites};
    ZoneSwapper swapper{platform, placer, zones, excluded};
    qint32 terminal = desk.addApplication("Terminal");
    SimWindowId shell = desk.addWindow(terminal, QRectF(300, 400, 500, 300));

    void SetUp() override {
        DragSnapTest::SetUp();
        monitor.setSwapper(&swapper);
        settings.setSwapsOnDrop(true);
    }
    void placeInZone(SimWindowId placed, const QRectF& fraction) {
        placer.placeInZone(desk.windowElement(placed), std::nullopt,
                           ZonePlace{"Quadrant", fraction, screen.id, screen.name}, screen);
        desk.settle();
    }
    // The window, held by its title bar, dragged to the top-right quarter.
    void dragToTopRight(SimWindowId dragged) {
        const QRectF start = desk.windowFrame(dragged);
        const QPointF grip(start.x() + 100, start.y() + 10);
        press(grip);
        desk.setWindowFrame(dragged, start.translated(40, 0));
        drag(grip + QPointF(40, 0));
        ASSERT_TRUE(monitor.isDragConfirmed());
        drag({1000, 200});
    }
    void drop() {
        release();
        desk.runLoop().advance(DragSnapMonitor::applyDelaySeconds);
        desk.settle();
    }
};

TEST_F(DragSnapSwapTest, TheWindowInTheZoneTakesTheDroppedWindowsZoneOrFrame) {
    placeInZone(shell, kTopRightFraction);
    ASSERT_EQ(desk.windowFrame(shell), kTopRight);

    // From no zone: the shell takes the editor's frame from before the drag.
    dragToTopRight(window);
    EXPECT_EQ(preview.current, QRectF(720, 438, 720, 437)) << "the zone, in screen coordinates";
    EXPECT_EQ(preview.displaced, QRectF(100, 200, 800, 600)) << "the editor's frame from before the drag";
    drop();
    EXPECT_EQ(desk.windowFrame(window), kTopRight);
    EXPECT_EQ(desk.windowFrame(shell), QRectF(100, 100, 800, 600));
    EXPECT_EQ(zones.zoneOf(desk.windowElement(window))->fraction, kTopRightFraction);
    EXPECT_FALSE(zones.zoneOf(desk.windowElement(shell))) << "a frame that names no zone";

    // From a zone: the shell, put back in the top-right quarter, takes the editor's top-left one.
    placeInZone(window, kTopLeftFraction);
    placeInZone(shell, kTopRightFraction);
    dragToTopRight(window);
    EXPECT_EQ(preview.displaced, QRectF(0, 438, 720, 437));
    drop();
    EXPECT_EQ(desk.windowFrame(window), kTopRight);
    EXPECT_EQ(desk.windowFrame(shell), kTopLeft);
    EXPECT_EQ(zones.zoneOf(desk.windowElement(shell))->fraction, kTopLeftFraction);
}

TEST_F(DragSnapSwapTest, OffIntoItsOwnZoneOrOntoAWindowLeftAloneADropMovesTheDroppedWindowOnly) {
    placeInZone(shell, kTopRightFraction);
    settings.setSwapsOnDrop(false);
    dragToTopRight(window);
    EXPECT_EQ(preview.displaced, std::nullopt);
    drop();
    EXPECT_EQ(desk.windowFrame(window), kTopRight);
    EXPECT_EQ(desk.windowFrame(shell), kTopRight) << "off: the two share the zone, as before";

    // The shell, in front of the editor in the same zone, back into that zone.
    settings.setSwapsOnDrop(true);
    dragToTopRight(shell);
    EXPECT_EQ(preview.displaced, std::nullopt) << "back into the zone it came from: nothing to swap";
    drop();
    EXPECT_EQ(desk.windowFrame(shell), kTopRight);
    EXPECT_EQ(desk.windowFrame(window), kTopRight);

    placeInZone(window, kTopLeftFraction);
    excluded.add("Terminal");
    dragToTopRight(window);
    EXPECT_EQ(preview.displaced, std::nullopt) << "a window left alone is never moved";
    drop();
    EXPECT_EQ(desk.windowFrame(window), kTopRight);
    EXPECT_EQ(desk.windowFrame(shell), kTopRight);
}

TEST_F(DragSnapSwapTest, ThePreviewShowsTheSwapOnlyOverAnOccupiedZone) {
    placeInZone(shell, kTopRightFraction);
    const QPointF grip(200, 110);
    press(grip);
    moveWindowBy(40);
    drag(grip + QPointF(40, 0));
    drag({300, 200});
    EXPECT_EQ(preview.current, QRectF(0, 438, 720, 437));
    EXPECT_EQ(preview.displaced, std::nullopt) << "the top-left quarter is empty";
    drag({1000, 200});
    EXPECT_EQ(preview.displaced, QRectF(100, 200, 800, 600));
    drag({1000, 700});
    EXPECT_EQ(preview.displaced, std::nullopt) << "the bottom-right quarter is empty";
    drag({1000, 200}, 0.05, modifier::kCommand);
    EXPECT_EQ(preview.current, std::nullopt) << "placing freely shows nothing";
    drop();
    EXPECT_EQ(desk.windowFrame(shell), kTopRight) << "a free drop displaces nothing";
}

} // namespace
} // namespace corvane

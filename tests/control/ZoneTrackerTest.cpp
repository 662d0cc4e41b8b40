// Which zone a window is in: recorded by every placement, forgotten when the user moves the window
// off, never by our own writes.
#include "control/ZoneTracker.h"

#include "ControllerFixture.h"

namespace corvane {
namespace {

class ZoneTrackerTest : public ControllerTest {
protected:
    std::optional<ZonePlace> zone(SimWindowId w) {
        return controller->zoneTracker().zoneOf(desk.windowElement(w));
    }
};

TEST_F(ZoneTrackerTest, APlacementRecordsItsZoneAndAMoveByTheUserForgetsIt) {
    start();
    EXPECT_FALSE(zone(window)) << "never placed";
    snapTo("Quadrant", 1);
    EXPECT_EQ(zone(window), (ZonePlace{"Quadrant", kTopRightFraction, screen.id, screen.name}));

    // A client that takes its size in steps settles short of the zone: still in it, and our own write,
    // landing in several frames, forgets nothing.
    desk.setSizeConstraint(window, [](QSizeF s) { return QSizeF(s.width() - 7, s.height() - 5); });
    snapTo("Quadrant", 0);
    EXPECT_EQ(frame(), QRectF(0, 25, 713, 432));
    EXPECT_EQ(zone(window), (ZonePlace{"Quadrant", kTopLeftFraction, screen.id, screen.name}));

    // A palette cell names no layout: a write at the same fraction keeps the one it had.
    frameWrites.write({.window = desk.windowElement(window),
                       .frame = QRectF(0, 437.5, 720, 437.5),
                       .primaryHeight = 900,
                       .visibleFrame = screen.visibleFrame,
                       .write = FrameWrite::Pointed,
                       .zone = ZonePlace{{}, kTopLeftFraction, screen.id, screen.name}});
    desk.runLoop().advance(kFrameRequestTimeout);
    ASSERT_TRUE(zone(window));
    EXPECT_EQ(zone(window)->layout, "Quadrant");

    desk.setWindowFrame(window, QRectF(30, 60, 713, 432));
    EXPECT_FALSE(zone(window)) << "off its zone at once";
    desk.setWindowFrame(window, QRectF(0, 25, 713, 432));
    desk.runLoop().advance(ZoneTracker::restSeconds);
    EXPECT_TRUE(zone(window)) << "a drag that came to rest where it began keeps it";
    desk.setWindowFrame(window, QRectF(30, 60, 713, 432));
    desk.runLoop().advance(ZoneTracker::restSeconds);
    desk.setWindowFrame(window, QRectF(0, 25, 713, 432));
    EXPECT_FALSE(zone(window)) << "once at rest elsewhere it was forgotten, though it came back";

    snapTo("Quadrant", 0);
    ASSERT_TRUE(zone(window));
    EXPECT_EQ(controller->placer().resizeFocusedWindow(500, 400), Placement::Requested);
    desk.settle();
    EXPECT_FALSE(zone(window)) << "a size preset puts it in no zone";
}

} // namespace
} // namespace corvane

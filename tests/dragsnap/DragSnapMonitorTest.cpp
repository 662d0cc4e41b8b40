// The drag-snap monitor: when a press becomes a window drag, which zone it offers (from the layout
// of the monitor under the pointer), what the release writes, and the windows it leaves alone.
#include "DragSnapFixture.h"
#include "control/MonitorKey.h"

namespace corvane {
namespace {

// Quadrant zones of the visible frame (0, 0, 1440, 875), in screen coordinates.
const QRectF kTopLeft(0, 438, 720, 437);
const QRectF kTopRight(720, 438, 720, 437);

TEST_F(DragSnapTest, AConfirmedDragPreviewsTheZoneAndTheReleaseWritesExactlyThatFrame) {
    press({300, 110});
    EXPECT_TRUE(monitor.hasCandidate());
    EXPECT_EQ(monitor.candidateListedWindow(), window) << "the window list agrees with the element's frame";
    moveWindowBy(40);
    drag({100, 200});
    EXPECT_TRUE(monitor.isDragConfirmed());
    EXPECT_EQ(preview.current, kTopLeft);
    drag({1000, 200});
    EXPECT_EQ(preview.current, kTopRight) << "the zone follows the pointer";
    desk.log().clear();
    release();
    EXPECT_FALSE(preview.current) << "the preview goes at once";
    desk.runLoop().advance(0.029);
    EXPECT_TRUE(desk.log().effects().isEmpty()) << "the write waits 0.03 s";
    desk.runLoop().advance(0.001);
    EXPECT_EQ(desk.log().effects(), (QStringList{"write AXSize 720x437", "write AXPosition 720,25"}));
    EXPECT_EQ(desk.windowFrame(window), QRectF(720, 25, 720, 437));
}

TEST_F(DragSnapTest, MovesConfirmOnlyBeyondTheirSourcesThreshold) {
    struct Row {
        bool hasListMatch;
        double move;
        bool confirms;
    };
    const Row rows[] = {{true, 3.0, false}, {true, 3.01, true}, {false, 10.0, false}, {false, 10.5, true}};
    for (const Row& r : rows) {
        desk.setWindowFrame(window, QRectF(100, 100, 800, 600));
        if (!r.hasListMatch) // the list's bounds no longer agree with the element's frame
            desk.faults().setWindowListEntryValue(
                window, windowinfo::kBounds,
                QVariantMap{{"X", 0.0}, {"Y", 0.0}, {"Width", 1.0}, {"Height", 1.0}});
        press({300, 110});
        EXPECT_EQ(monitor.candidateListedWindow() != 0, r.hasListMatch);
        moveWindowBy(r.move);
        drag({310, 110});
        EXPECT_EQ(monitor.isDragConfirmed(), r.confirms) << r.move << (r.hasListMatch ? " cg" : " ax");
        release();
    }
}

TEST_F(DragSnapTest, ResizesFailedReadsAndStillWindowsAbandonThePress) {
    press({300, 110});
    desk.setWindowFrame(window, QRectF(100, 100, 803, 600));
    drag({310, 110});
    EXPECT_TRUE(monitor.isAbandoned()) << "more than 2 points of size change is a resize";
    release();

    press({300, 110});
    drag({310, 110}, 0.02);
    EXPECT_FALSE(monitor.isAbandoned()) << "probes run at most every 0.03 s";
    drag({320, 110}, 1.0);
    EXPECT_FALSE(monitor.isAbandoned());
    drag({330, 110}, 0.6);
    EXPECT_TRUE(monitor.isAbandoned()) << "1.5 s without the window moving: a selection, not a drag";
    moveWindowBy(50);
    drag({340, 110});
    EXPECT_FALSE(monitor.isDragConfirmed()) << "abandoned until the next press";
    release();
    EXPECT_TRUE(preview.shown.isEmpty());

    press({300, 110});
    desk.removeWindow(window);
    drag({310, 110});
    EXPECT_TRUE(monitor.isAbandoned());
}

TEST_F(DragSnapTest, APointerThatComesToRestWithinTheProbeIntervalStillShowsItsZone) {
    press({300, 110});
    drag({290, 120});
    EXPECT_FALSE(monitor.isDragConfirmed()) << "the window has not moved yet";
    moveWindowBy(40);
    drag({100, 200}, 0.01);
    EXPECT_FALSE(monitor.isDragConfirmed()) << "probes run at most every 0.03 s";
    desk.runLoop().advance(0.05);
    EXPECT_TRUE(monitor.isDragConfirmed()) << "probed once the interval is over, with no motion after";
    EXPECT_EQ(preview.current, kTopLeft);
    release();
    EXPECT_EQ(desk.runLoop().activeTimerCount(), 0) << "no probe left waiting after the release";
}

TEST_F(DragSnapTest, PressesOnNothingOrOnOurOwnWindowsAreNotTracked) {
    press({1200, 800});
    EXPECT_FALSE(monitor.hasCandidate());
    const SimWindowId own = desk.addWindow(desk.thisProcessPid(), QRectF(200, 100, 100, 100));
    press({250, 150});
    EXPECT_FALSE(monitor.hasCandidate());
    desk.removeWindow(own);
    desk.faults().failAttribute(desk.windowElement(window), "AXSize", AxError::CannotComplete);
    press({300, 110});
    EXPECT_FALSE(monitor.hasCandidate()) << "a window without a readable frame";
}

TEST_F(DragSnapTest, CommandPlacesFreelyAndLettingGoOfItBringsTheZoneBack) {
    press({300, 110});
    moveWindowBy(40);
    drag({100, 200}, 0.05, modifier::kCommand);
    EXPECT_TRUE(monitor.isDragConfirmed());
    EXPECT_FALSE(preview.current);
    drag({100, 210});
    EXPECT_EQ(preview.current, kTopLeft);
    drag({100, 220}, 0.05, modifier::kCommand);
    EXPECT_FALSE(preview.current);
    release();
    desk.settle();
    desk.runLoop().advance(1);
    EXPECT_EQ(desk.windowFrame(window), QRectF(140, 100, 800, 600)) << "dropped where the user left it";
}

TEST_F(DragSnapTest, TheSpanKeyGrowsTheZoneOverEveryZoneCrossedUntilItIsLetGo) {
    press({300, 110});
    moveWindowBy(40);
    drag({100, 200}, 0.05, modifier::kControl);
    EXPECT_EQ(preview.current, kTopLeft) << "the zone under the pointer as the key goes down";
    drag({1000, 200}, 0.05, modifier::kControl);
    EXPECT_EQ(preview.current, QRectF(0, 438, 1440, 437));
    drag({1000, 700}, 0.05, modifier::kControl | modifier::kShift);
    EXPECT_EQ(preview.current, QRectF(0, 0, 1440, 875)) << "every zone crossed, in any direction";
    drag({100, 700}, 0.05, modifier::kControl);
    EXPECT_EQ(preview.current, QRectF(0, 0, 1440, 875)) << "going back keeps what was crossed";
    drag({1000, 700});
    EXPECT_EQ(preview.current, QRectF(720, 0, 720, 438)) << "letting go: the zone under the pointer";
    drag({100, 200});
    drag({1000, 200}, 0.05, modifier::kControl);
    release();
    desk.runLoop().advance(0.03);
    EXPECT_EQ(desk.windowFrame(window), QRectF(0, 25, 1440, 437)) << "the drop fills the span";

    settings.setSpanKey(DragSnapSettings::SpanKey::Shift);
    press({300, 110});
    moveWindowBy(40);
    drag({100, 200}, 0.05, modifier::kControl);
    drag({1000, 200}, 0.05, modifier::kControl);
    EXPECT_EQ(preview.current, kTopRight) << "Control is no span key now";
    drag({1000, 700}, 0.05, modifier::kShift);
    EXPECT_EQ(preview.current, QRectF(720, 0, 720, 875));
    desk.addScreen(QRectF(1440, 0, 1920, 1080), QRectF(1440, 0, 1920, 1055));
    drag({1500, 300}, 0.05, modifier::kShift);
    EXPECT_EQ(preview.current, QRectF(1440, 528, 960, 527)) << "a span ends at its screen";
}

TEST_F(DragSnapTest, TheEdgeBandFollowsTheFullFrameAndThePointerIsClampedIntoTheVisibleFrame) {
    settings.setTrigger(DragSnapSettings::Trigger::ScreenEdges);
    press({300, 110});
    moveWindowBy(40);
    drag({47, 600});
    EXPECT_EQ(preview.current, QRectF(0, 0, 720, 438)) << "47 points from the left edge: bottom-left zone";
    drag({48, 600});
    EXPECT_FALSE(preview.current) << "48 points is outside the band";
    drag({700, 5});
    EXPECT_EQ(preview.current, kTopLeft)
        << "the menu-bar strip is near the top edge and clamps into the top row";
    settings.setTrigger(DragSnapSettings::Trigger::Anywhere);
    drag({1439.5, 300});
    EXPECT_EQ(preview.current, kTopRight) << "the last column clamps 1 point inside";
}

TEST_F(DragSnapTest, ZoneBordersGapsAndUnknownLayoutsOfferNothingOrTheLowerZone) {
    press({300, 110});
    moveWindowBy(40);
    drag({720, 300});
    EXPECT_EQ(preview.current, kTopRight) << "a border point belongs to the zone whose minimum edge it is";
    presets.addGridPreset("Gappy", 1, 2, {});
    settings.setLayoutName("No Such Layout");
    drag({100, 300});
    EXPECT_FALSE(preview.current);
    release();
    desk.runLoop().advance(1);
    EXPECT_EQ(desk.windowFrame(window), QRectF(140, 100, 800, 600)) << "nothing to snap to";
}

TEST_F(DragSnapTest, EveryPixelRowOffersTheZoneAndTheScreenItLiesInTopRowsIncluded) {
    desk.addScreen(QRectF(0, -900, 1440, 900), QRectF(0, -900, 1440, 900)); // stacked below
    press({300, 110});
    moveWindowBy(40);
    drag({100, 0});
    EXPECT_EQ(preview.current, kTopLeft) << "the top row of the screen";
    drag({100, 461});
    EXPECT_EQ(preview.current, kTopLeft) << "the last row of the top zones";
    drag({100, 462});
    EXPECT_EQ(preview.current, QRectF(0, 0, 720, 438)) << "the first row of the bottom zones";
    drag({100, 900});
    EXPECT_EQ(preview.current, QRectF(0, -450, 720, 450)) << "the lower screen's top row";
    drag({100, 1799});
    EXPECT_EQ(preview.current, QRectF(0, -900, 720, 450)) << "the lower screen's bottom row";
    drag({100, 0});
    release();
    desk.runLoop().advance(0.03);
    EXPECT_EQ(desk.windowFrame(window), QRectF(0, 25, 720, 437)) << "a drag ending on the top row snaps";
}

TEST_F(DragSnapTest, StoppingMidDragHidesThePreviewAndTheReleaseDoesNothing) {
    press({300, 110});
    moveWindowBy(40);
    drag({100, 200});
    ASSERT_TRUE(preview.current);
    monitor.stop();
    EXPECT_FALSE(preview.current);
    EXPECT_EQ(desk.events().globalMonitorCount(), 0);
    release();
    desk.runLoop().advance(1);
    EXPECT_EQ(desk.windowFrame(window), QRectF(140, 100, 800, 600));
    monitor.start();
    monitor.start();
    EXPECT_EQ(desk.events().globalMonitorCount(), 3) << "started twice, installed once";
}

TEST_F(DragSnapTest, DraggingOntoASecondScreenSnapsIntoThatScreensZone) {
    desk.addScreen(QRectF(1440, 0, 1920, 1080), QRectF(1440, 0, 1920, 1055));
    press({300, 110});
    moveWindowBy(40);
    drag({1500, 300}); // screen y 600 on the second screen: its top-left quarter
    EXPECT_EQ(preview.current, QRectF(1440, 528, 960, 527));
    release();
    desk.runLoop().advance(0.03);
    EXPECT_EQ(desk.windowFrame(window), QRectF(1440, 900 - 1055, 960, 527));
}

TEST_F(DragSnapTest, WithSpacingThePreviewShowsTheSpacedFrameAndThePointerInTheGapStillPicksItsZone) {
    zoneSpacing.setGap(10);
    zoneSpacing.setMargin(6);
    press({300, 110});
    moveWindowBy(40);
    drag({100, 200});
    // The top-left quarter (0, 438, 720, 437): 6 in from the work area's edges, 5 from the shared ones.
    const QRectF spaced(6, 443, 709, 426);
    EXPECT_EQ(preview.current, spaced);
    drag({717, 200}); // between the two windows' frames, on the left quarter's side of its edge
    EXPECT_EQ(preview.current, spaced);
    drag({723, 200});
    EXPECT_EQ(preview.current, QRectF(725, 443, 709, 426));
    drag({717, 200});
    desk.log().clear();
    release();
    desk.runLoop().advance(0.03);
    EXPECT_EQ(desk.log().effects(), (QStringList{"write AXSize 709x426", "write AXPosition 6,31"}));
}

TEST_F(DragSnapTest, EachMonitorOffersTheZonesOfItsOwnLayout) {
    const Screen second = desk.addScreen(QRectF(1440, 0, 1920, 1080), QRectF(1440, 0, 1920, 1055));
    settings.setMonitorLayoutName(MonitorKey::of(second, platform.screens.screens()), "Thirds");
    press({300, 110});
    moveWindowBy(40);
    drag({100, 200});
    EXPECT_EQ(preview.current, kTopLeft) << "the first monitor keeps the default, Quadrant";
    drag({1500, 300});
    ASSERT_TRUE(preview.current);
    EXPECT_EQ(preview.current->toRect(), QRect(1440, 0, 640, 1055)) << "the second one's first third";
    release();
    desk.runLoop().advance(0.03);
    EXPECT_EQ(desk.windowFrame(window).toRect(), QRect(1440, 900 - 1055, 640, 1055));
}

TEST_F(DragSnapTest, AWindowOfAnApplicationLeftAloneIsNeitherPreviewedNorDropped) {
    excluded.add("Editor");
    press({300, 110});
    EXPECT_FALSE(monitor.hasCandidate());
    moveWindowBy(40);
    drag({100, 200});
    EXPECT_FALSE(preview.current);
    EXPECT_TRUE(preview.shown.isEmpty());
    release();
    desk.runLoop().advance(1);
    EXPECT_EQ(desk.windowFrame(window), QRectF(140, 100, 800, 600)) << "where the user's own drag left it";

    excluded.remove("Editor");
    press({300, 110});
    moveWindowBy(40);
    drag({100, 200});
    EXPECT_EQ(preview.current, kTopLeft) << "off the list, it snaps again";
}

} // namespace
} // namespace corvane

// The palette monitor on a simulated desktop: the dwell and its slack, the query throttle and the
// retries, the keep zone and its grace, the ways the palette closes, and the pick's frame.
#include "palette/QuickSnapMonitor.h"

#include "platform/sim/SimTitleBar.h"
#include "support/EditorDesktop.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct RecordingPalette final : PalettePresenter {
    QList<QRectF> buttons;
    int hides = 0;
    PickHandler onPick;
    std::optional<QRectF> frame;
    QRectF frameWhenShown;
    void show(const QRectF& button, PickHandler pick) override {
        buttons.append(button);
        onPick = std::move(pick);
        frame = frameWhenShown;
    }
    void hide() override {
        ++hides;
        frame.reset();
    }
    std::optional<QRectF> shownFrame() const override { return frame; }
};

// One 1440 x 900 screen with a 25-point menu bar; an editor window at AX (100, 100, 800, 600)
// whose zoom button is at AX (148, 104, 14, 16).
class QuickSnapMonitorTest : public ::testing::Test, protected EditorDesktop {
protected:
    QList<AxElement> titleButtons = addTitleBarButtons(desk, window);
    RecordingPalette palette;
    std::optional<LogCapture> log;
    FrameWriteQueue frameWrites{platform};
    ZoneSpacingSettings zoneSpacing{platform.defaults};
    ExcludedApplications excluded{platform};
    std::optional<QuickSnapMonitor> monitor;

    static constexpr QPointF kOnZoom{155, 112};
    static constexpr QRectF kZoomButton{148, 104, 14, 16};

    void SetUp() override {
        desk.defaults().setObject(kQuickSnapVerboseKey, true);
        log.emplace();
        // The panel as placed below the button, in screen coordinates.
        palette.frameWhenShown = QRectF(140, 574, 370, 200);
        monitor.emplace(platform, frameWrites, zoneSpacing, palette, excluded);
        monitor->start();
    }

    void moveTo(QPointF ax) {
        desk.events().setMouseLocation(QPointF(ax.x(), 900 - ax.y()));
        desk.events().sendGlobal(SimEvents::mouse(EventType::MouseMoved, desk.runLoop().now()));
    }
    void pointerAt(QPointF screenPoint) { desk.events().setMouseLocation(screenPoint); }
    void advance(double seconds) { desk.runLoop().advance(seconds); }
    void openPalette() {
        moveTo(kOnZoom);
        advance(QuickSnapMonitor::dwellSeconds);
        ASSERT_TRUE(monitor->isOpen());
    }
    // Button queries, by the time of their subrole read.
    QList<double> queryTimes() {
        QList<double> times;
        for (const SimAction& action : desk.log().actions())
            if (action.kind == SimAction::Kind::ReadAttribute &&
                action.attribute == QLatin1String("AXSubrole"))
                times.append(action.time);
        return times;
    }
};

TEST_F(QuickSnapMonitorTest, ARestOnTheButtonOpensAfterTheDwellUnlessAButtonIsHeldOrThePointerLeaves) {
    moveTo(kOnZoom);
    EXPECT_TRUE(monitor->isDwelling());
    EXPECT_EQ(
        log->count(
            "app.corvane.zoompalette: maximize button found; opening in 0.3s unless the pointer leaves"),
        1);
    advance(0.29);
    EXPECT_FALSE(monitor->isOpen());
    moveTo({147, 103}); // outside the button, within the 2-point slack
    advance(0.01);
    ASSERT_TRUE(monitor->isOpen());
    EXPECT_EQ(palette.buttons, QList<QRectF>{kZoomButton});
    EXPECT_EQ(log->count("opened"), 1);
    moveTo({400, 400});
    EXPECT_TRUE(monitor->isOpen()) << "moves do nothing while the palette is open";

    desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDown, desk.runLoop().now()));
    EXPECT_FALSE(monitor->isOpen());
    EXPECT_EQ(palette.hides, 1);

    // A held button during the dwell cancels it, and the timer's firing opens nothing.
    advance(1);
    moveTo(kOnZoom);
    ASSERT_TRUE(monitor->isDwelling());
    desk.events().setPressedMouseButtons(mousebutton::kLeft);
    moveTo(kOnZoom);
    EXPECT_FALSE(monitor->isDwelling());
    advance(1);
    EXPECT_FALSE(monitor->isOpen());
    desk.events().setPressedMouseButtons(0);

    // Leaving by more than the slack cancels at the next move.
    moveTo(kOnZoom);
    ASSERT_TRUE(monitor->isDwelling());
    moveTo({145, 112});
    EXPECT_FALSE(monitor->isDwelling());
    EXPECT_EQ(log->count("left the button before the palette opened"), 1);
    advance(1);
    EXPECT_EQ(palette.buttons.size(), 1);

    // The dwell timer checks the pointer itself: it may have left without a move event.
    moveTo(kOnZoom);
    pointerAt({300, 300});
    advance(QuickSnapMonitor::dwellSeconds);
    EXPECT_FALSE(monitor->isOpen());
    EXPECT_FALSE(monitor->isDwelling());
}

TEST_F(QuickSnapMonitorTest, ThePaletteNeverOpensOnAWindowOfAnApplicationLeftAlone) {
    excluded.add("Editor");
    moveTo(kOnZoom);
    EXPECT_FALSE(monitor->isDwelling());
    advance(1);
    EXPECT_FALSE(monitor->isOpen());
    EXPECT_TRUE(palette.buttons.isEmpty());
    excluded.remove("Editor");
    moveTo({156, 112});
    advance(QuickSnapMonitor::dwellSeconds);
    EXPECT_TRUE(monitor->isOpen()) << "off the list, it opens again";
}

TEST_F(QuickSnapMonitorTest, QueriesAreThrottledAndRetriedButNeverTwiceWithinTheInterval) {
    // A window in front covers the lower part of the editor's zoom button: a move there queries, and
    // finds the front window, which has no zoom button there.
    const qint32 other = desk.addApplication("Other");
    desk.addWindow(other, QRectF(150, 114, 400, 300));
    moveTo({156, 116});
    moveTo(kOnZoom); // 0 s after the last query: a recheck when the interval is over
    EXPECT_FALSE(monitor->isDwelling());
    advance(0.059);
    EXPECT_FALSE(monitor->isDwelling());
    advance(0.001);
    EXPECT_TRUE(monitor->isDwelling());

    // A window whose button the platform cannot place exactly offers the strip of its title bar:
    // resting there off the button, the move's query, then ten retries 0.1 s apart.
    desk.faults().setWindowListEntryValue(
        window, windowinfo::kZoomButtonRegion,
        QVariantMap{{"X", 100.0}, {"Y", 100.0}, {"Width", 800.0}, {"Height", 70.0}});
    monitor->stop();
    monitor->start();
    desk.log().clear();
    moveTo({180, 110});
    advance(3);
    const QList<double> rest = queryTimes();
    ASSERT_EQ(rest.size(), 11);
    EXPECT_NEAR(rest.last() - rest.first(), 1.0, 1e-9);
    EXPECT_EQ(log->count("in a button corner, no maximize button found (10 retries left)"), 1);
    EXPECT_EQ(log->count("in a button corner, no maximize button found (0 retries left)"), 1);
    EXPECT_EQ(desk.runLoop().activeTimerCount(), 0) << "nothing runs while the pointer rests";

    // Moves every 20 ms through the corner: queries keep coming, never two within 0.06 s.
    desk.log().clear();
    for (int i = 0; i < 25; ++i) {
        moveTo({170.0 + i % 3, 110});
        advance(0.02);
    }
    const QList<double> sweep = queryTimes();
    ASSERT_GE(sweep.size(), 7);
    for (qsizetype i = 1; i < sweep.size(); ++i)
        EXPECT_GE(sweep[i] - sweep[i - 1], QuickSnapMonitor::queryIntervalSeconds - 1e-9) << "query " << i;
}

// The barrier a caller waits on after moving the pointer: it answers only once the rest has been
// judged, the palette open by then if it was to open, and at once where nothing is pending.
TEST_F(QuickSnapMonitorTest, WhenJudgedAnswersOnceTheDwellAndTheRetriesAreOver) {
    QList<bool> openWhenJudged;
    const auto judged = [&] { openWhenJudged.append(monitor->isOpen()); };
    monitor->whenJudged(judged);
    EXPECT_EQ(openWhenJudged, QList<bool>{false}) << "nothing pending: at once";

    moveTo(kOnZoom);
    monitor->whenJudged(judged);
    advance(QuickSnapMonitor::dwellSeconds - 0.01);
    EXPECT_EQ(openWhenJudged.size(), 1) << "not while the dwell runs";
    advance(0.01);
    EXPECT_EQ(openWhenJudged, (QList<bool>{false, true})) << "once the palette has opened";
    desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDown, desk.runLoop().now()));

    // A dwell the pointer leaves ends the wait with the move that cancels it.
    advance(1);
    moveTo(kOnZoom);
    monitor->whenJudged(judged);
    moveTo({300, 300});
    EXPECT_EQ(openWhenJudged, (QList<bool>{false, true, false}));

    // In a corner with no button found: after the last retry, never between them.
    desk.faults().setWindowListEntryValue(
        window, windowinfo::kZoomButtonRegion,
        QVariantMap{{"X", 100.0}, {"Y", 100.0}, {"Width", 800.0}, {"Height", 70.0}});
    monitor->stop();
    monitor->start();
    advance(1);
    moveTo({180, 110});
    monitor->whenJudged(judged);
    // The last retry comes a whole number of intervals after the move: a little to either side of it.
    advance(QuickSnapMonitor::maxRetries * QuickSnapMonitor::retryInterval - 0.01);
    EXPECT_EQ(openWhenJudged.size(), 3) << "not while a retry is pending";
    advance(0.02);
    EXPECT_EQ(openWhenJudged, (QList<bool>{false, true, false, false}));
}

TEST_F(QuickSnapMonitorTest, OnlyMotionIntoWithinOrOutOfACornerOrWithAButtonHeldReachesTheMonitors) {
    int moves = 0;
    desk.events().addGlobalMonitor(maskOf(EventType::MouseMoved), [&moves](const Event&) { ++moves; });
    // The editor's corner, its zoom button, a pixel more all round, in screen coordinates.
    EXPECT_EQ(desk.events().motionRegions(), QList<QRectF>{QRectF(147, 779, 16, 18)});
    desk.log().clear();
    for (const QPointF p : {QPointF(700, 400), QPointF(145, 112), QPointF(155, 123)})
        moveTo(p);
    EXPECT_EQ(moves, 0);
    advance(1);
    EXPECT_TRUE(queryTimes().isEmpty());
    moveTo({150, 110});
    moveTo({150, 130}); // out: the monitor learns the pointer left
    moveTo({150, 140});
    EXPECT_EQ(moves, 2);
    desk.events().setPressedMouseButtons(mousebutton::kRight);
    moveTo({150, 150});
    EXPECT_EQ(moves, 3) << "with a button held, any motion";
    desk.events().setPressedMouseButtons(0);

    // While the palette waits to open, the button with its slack is a region too; then not.
    advance(1);
    moveTo(kOnZoom);
    ASSERT_TRUE(monitor->isDwelling());
    EXPECT_EQ(desk.events().motionRegions().size(), 2);
    advance(QuickSnapMonitor::dwellSeconds);
    ASSERT_TRUE(monitor->isOpen());
    EXPECT_EQ(desk.events().motionRegions().size(), 1);
    monitor->stop();
    EXPECT_TRUE(desk.events().motionRegions().isEmpty());
}

TEST_F(QuickSnapMonitorTest, CornersFollowTheWindowsAsTheyChangeWithoutReadingTheWholeList) {
    const int fetches = desk.windowServer().wholeListCopyCount();
    // A window opens, its zoom button drawn at its top right, second from the right.
    const qint32 other = desk.addApplication("Other");
    const SimWindowId right = desk.addWindow(other, QRectF(400, 300, 600, 400));
    desk.addElement(desk.windowElement(right), "AXButton", "AXZoomButton", QRectF(953, 304, 16, 16));
    moveTo({960, 311});
    EXPECT_TRUE(monitor->isDwelling());
    moveTo({700, 400});
    advance(1);

    // It moves: the corner goes with it.
    desk.setWindowFrame(right, QRectF(300, 300, 600, 400));
    moveTo({960, 311});
    EXPECT_FALSE(monitor->isDwelling());
    moveTo({860, 311});
    EXPECT_TRUE(monitor->isDwelling());
    moveTo({700, 400});
    advance(1);

    // Moved while a button is held (a drag moves it at every step): read once, at the release.
    desk.events().setPressedMouseButtons(mousebutton::kLeft);
    desk.setWindowFrame(right, QRectF(350, 300, 600, 400));
    desk.setWindowFrame(right, QRectF(400, 300, 600, 400));
    desk.events().setPressedMouseButtons(0);
    desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseUp, desk.runLoop().now()));
    moveTo({960, 311});
    EXPECT_TRUE(monitor->isDwelling());
    moveTo({700, 400});
    advance(1);

    // Closed: its corner goes.
    desk.removeWindow(right);
    moveTo({960, 311});
    EXPECT_FALSE(monitor->isDwelling());
    EXPECT_EQ(desk.windowServer().wholeListCopyCount(), fetches);
    EXPECT_EQ(desk.events().motionRegions().size(), 1) << "the editor's alone";

    // Another desktop, or other screens, change every window: the list is read anew.
    emit desk.workspace().activeSpaceDidChange();
    desk.changeScreens({screen});
    EXPECT_EQ(desk.windowServer().wholeListCopyCount(), fetches + 2);
}

TEST_F(QuickSnapMonitorTest, TheKeepZoneHoldsThePaletteOpenAndLeavingItClosesAfterTheGrace) {
    openPalette();
    // Button at screen (148, 780, 14, 16), panel at (140, 574, 370, 200): the zone spans both and 6 points
    // more.
    for (const QPointF p : {QPointF(155, 788), QPointF(300, 600), QPointF(515, 777), QPointF(134, 801)}) {
        pointerAt(p);
        advance(0.5);
        EXPECT_TRUE(monitor->isOpen()) << p.x() << "," << p.y();
    }
    pointerAt({517, 600});
    advance(0.05); // the first tick outside
    advance(0.2);
    EXPECT_TRUE(monitor->isOpen());
    pointerAt({300, 600}); // back before the grace is over
    advance(0.1);
    pointerAt({300, 400});
    advance(0.2);
    EXPECT_TRUE(monitor->isOpen()) << "the count restarts on the next exit";
    advance(0.15);
    EXPECT_FALSE(monitor->isOpen());
    EXPECT_EQ(palette.hides, 1);
    EXPECT_EQ(desk.runLoop().activeTimerCount(), 0);

    // Escape, a desktop change and a vanished panel close it too; other keys do not.
    openPalette();
    desk.events().sendGlobal(SimEvents::keyDown("a", 0, 0, desk.runLoop().now()));
    EXPECT_TRUE(monitor->isOpen());
    desk.events().sendGlobal(
        SimEvents::keyDown(QString(QChar(27)), keycode::kEscape, 0, desk.runLoop().now()));
    EXPECT_FALSE(monitor->isOpen());
    openPalette();
    emit desk.workspace().activeSpaceDidChange();
    EXPECT_FALSE(monitor->isOpen());
    openPalette();
    palette.frame.reset();
    advance(QuickSnapMonitor::watchPeriodSeconds);
    EXPECT_FALSE(monitor->isOpen());
    openPalette();
    monitor->stop();
    EXPECT_FALSE(monitor->isOpen());
    EXPECT_FALSE(palette.frame);
    EXPECT_EQ(desk.runLoop().activeTimerCount(), 0);
}

TEST_F(QuickSnapMonitorTest, APickClosesThePaletteThenFramesTheWindowOnTheButtonsScreen) {
    desk.addScreen(QRectF(1440, 0, 1280, 800), QRectF(1440, 0, 1280, 800));
    const SimWindowId straddling = desk.addWindow(editor, QRectF(1300, 200, 800, 600)); // mostly on the right
    addTitleBarButtons(desk, straddling);
    desk.log().clear();
    moveTo({1355, 212});
    advance(QuickSnapMonitor::dwellSeconds);
    ASSERT_TRUE(monitor->isOpen());
    const QRectF button = palette.buttons.last();
    EXPECT_EQ(button, QRectF(1348, 204, 14, 16));
    palette.onPick(QRectF(0, 0, 0.5, 1));
    EXPECT_FALSE(monitor->isOpen());
    EXPECT_EQ(palette.hides, 1);
    // The left half of the left screen's visible frame, in AX coordinates: y from the menu bar down.
    EXPECT_EQ(desk.log().effects(), (QStringList{"write AXSize 720x875", "write AXPosition 0,25"}));
    desk.log().clear();
    palette.onPick(QRectF(0, 0, 1, 1));
    EXPECT_TRUE(desk.log().effects().isEmpty()) << "a pick after closing does nothing";

    // Without screens a pick closes and writes nothing. The window now sits at AX (0, 25).
    moveTo({55, 37});
    advance(QuickSnapMonitor::dwellSeconds);
    ASSERT_TRUE(monitor->isOpen());
    desk.setScreens({});
    palette.onPick(QRectF(0, 0, 1, 1));
    EXPECT_FALSE(monitor->isOpen());
    EXPECT_TRUE(desk.log().effects().isEmpty());
}

TEST_F(QuickSnapMonitorTest, APickKeepsTheSpacingAroundZones) {
    zoneSpacing.setGap(10);
    zoneSpacing.setMargin(6);
    openPalette();
    desk.log().clear();
    palette.onPick(QRectF(0.5, 0, 0.5, 1));
    // The right half of (0, 25, 1440, 875) in AX coordinates, 5 off the shared edge and 6 off the others.
    EXPECT_EQ(desk.log().effects(), (QStringList{"write AXSize 709x863", "write AXPosition 725,31"}));
}

TEST_F(QuickSnapMonitorTest, StartAndStopAreIdempotentAndSurviveRefusedMonitors) {
    monitor->start();
    EXPECT_EQ(desk.events().globalMonitorCount(), 4);
    EXPECT_EQ(log->count("Quick Snap monitor started"), 1);
    monitor->stop();
    monitor->stop();
    EXPECT_EQ(desk.events().globalMonitorCount(), 0);
    EXPECT_EQ(log->count("Quick Snap monitor stopped"), 1);
    moveTo(kOnZoom);
    EXPECT_FALSE(monitor->isDwelling());
    emit desk.workspace().activeSpaceDidChange(); // observers are gone too
    desk.events().setRefusesMonitors(true);
    monitor->start();
    EXPECT_TRUE(monitor->isRunning());
    EXPECT_EQ(desk.events().globalMonitorCount(), 0);
}

} // namespace
} // namespace corvane

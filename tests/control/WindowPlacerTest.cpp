// Placing the target window: the edges kept on screen, the target rule, screen moves, what a placing
// with no window to act on reports, and the frame a window had before Corvane first placed it:
// remembered by every write, kept through later placements and user moves, written back and
// forgotten by a restore.
#include "ControllerFixture.h"

namespace corvane {
namespace {

class WindowPlacerTest : public ControllerTest {
protected:
    WindowPlacer& placer() { return controller->placer(); }
};

TEST_F(WindowPlacerTest, CorvaneFrontmostAtStartIsNotTheLastActiveApplication) {
    desk.setFrontmostApplication(desk.thisProcessPid());
    start();
    EXPECT_FALSE(placer().lastActiveApp());
    emit desk.workspace().didActivateApplication(std::nullopt);
    EXPECT_FALSE(placer().lastActiveApp());
}

TEST_F(WindowPlacerTest, TheTargetIsTheLastActiveApplicationThenTheFrontmostButNeverCorvane) {
    const qint32 browser = desk.addApplication("Browser");
    const SimWindowId browserWindow = desk.addWindow(browser, QRectF(50, 50, 300, 300));
    desk.setFocusedWindow(browser, browserWindow);
    start();
    desk.activateApplication(browser);
    desk.activateApplication(desk.thisProcessPid()); // opening our panel must not change the target
    EXPECT_EQ(placer().lastActiveApp()->pid, browser);
    EXPECT_EQ(placer().focusedWindowFrame(), QRectF(50, 550, 300, 300));
    placer().snapFocusedWindow(QRectF(0, 0, 0.5, 0.5));
    desk.settle();
    EXPECT_EQ(desk.windowFrame(browserWindow), kTopLeft);
    EXPECT_EQ(desk.log().effects().last(), QStringLiteral("activate %1").arg(browser));

    // The last active application lost its window: the frontmost one is used.
    desk.setFocusedWindow(browser, std::nullopt);
    desk.setFrontmostApplication(editor);
    placer().snapFocusedWindow(QRectF(0.5, 0, 0.5, 0.5));
    desk.settle();
    EXPECT_EQ(frame(), kTopRight);

    // Nothing of another application to act on: nothing moves.
    desk.setFrontmostApplication(desk.thisProcessPid());
    desk.log().clear();
    placer().snapFocusedWindow(QRectF(0, 0.5, 0.5, 0.5));
    placer().setFocusedWindowFrame(QRectF(0, 0, 10, 10), screen);
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
}

TEST_F(WindowPlacerTest, AnApplicationGoneBeforeTheWriteCompletesIsNotActivated) {
    const qint32 browser = desk.addApplication("Browser");
    const SimWindowId browserWindow = desk.addWindow(browser, QRectF(50, 50, 300, 300));
    desk.setFocusedWindow(browser, browserWindow);
    start();
    desk.activateApplication(browser);
    desk.activateApplication(editor);
    desk.setFrameLag(window, 0.016);
    placer().setFocusedWindowFrame(QRectF(0, 438, 720, 437), screen);
    desk.quitApplication(editor); // the last active app now has no window: the frontmost is gone too
    desk.runLoop().advance(0.016);
    EXPECT_TRUE(desk.log().summaries({SimAction::Kind::Activate}).isEmpty());
}

TEST_F(WindowPlacerTest, TheLeftEdgeAndTheTitleBarAreKeptInsideTheVisibleFrame) {
    start();
    struct Row {
        QRectF requested; // screen coordinates; the visible frame is (0, 0, 1440, 875)
        QPointF written;  // AX coordinates
    };
    const Row rows[] = {
        {{0, 0, 2000, 500}, {0, 400}},        // wider than the screen: the left edge wins
        {{1000, 0, 600, 500}, {840, 400}},    // past the right edge: pulled back
        {{-50, 0, 600, 500}, {0, 400}},       // past the left edge
        {{300, -400, 600, 500}, {300, 800}},  // partly below the screen, its title bar inside: left alone
        {{300, -1000, 600, 500}, {300, 836}}, // below the screen: up until a title bar's height is inside
        {{300, -100, 600, 30}, {300, 870}},   // a short window comes in whole
        {{300, 600, 600, 500}, {300, 25}},    // its top above the visible frame: down to it
        {{-780, -1062, 3000, 3000}, {0, 25}}, // taller and wider than the screen: the top and left win
        {{5000, 5000, 400, 300}, {1040, 25}}, // off every screen
    };
    for (const Row& r : rows) {
        desk.log().clear();
        placer().setFocusedWindowFrame(r.requested, screen);
        desk.settle();
        EXPECT_EQ(desk.log().effects().at(1),
                  QStringLiteral("write AXPosition %1,%2").arg(r.written.x()).arg(r.written.y()))
            << r.requested.x() << "," << r.requested.y();
    }

    // A size asked for that the screen cannot hold, and the drag's and the palette's writes.
    placer().resizeFocusedWindow(3000, 3000);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 25, 3000, 3000));
    writePointed(QRectF(200, 700, 600, 400));
    desk.settle();
    EXPECT_EQ(frame(), QRectF(200, 25, 600, 400));
}

TEST_F(WindowPlacerTest, NoScreensMeansNothingIsReadOrWritten) {
    start();
    desk.setScreens({});
    EXPECT_FALSE(placer().focusedWindowFrame());
    placer().setFocusedWindowFrame(QRectF(0, 0, 100, 100), screen);
    placer().resizeFocusedWindow(500, 500);
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
}

TEST_F(WindowPlacerTest, ResizeClampsEachDimensionAndCentresOnTheWindowsScreen) {
    start();
    placer().resizeFocusedWindow(50, 20000);
    desk.settle();
    EXPECT_EQ(desk.log().effects().first(), "write AXSize 100x10000");
    desk.log().clear();
    placer().resizeFocusedWindow(std::nan(""), 500);
    desk.settle();
    EXPECT_EQ(desk.log().effects().first(), "write AXSize 100x500") << "not a number is not a size";
}

class TwoScreenTest : public WindowPlacerTest {
protected:
    Screen right = desk.addScreen(QRectF(1440, 0, 1920, 1080), QRectF(1440, 0, 1920, 1055));
};

TEST_F(TwoScreenTest, MovingToTheNextScreenKeepsTheRelativeFrameAndWraps) {
    desk.setWindowFrame(window, QRectF(0, 25, 720, 875)); // the left half of the first screen
    start();
    placer().moveToAdjacentScreen(1);
    desk.settle();
    // The left half of the second screen: 960 x 1055, top at AX 900 - 1055 = -155.
    EXPECT_EQ(frame(), QRectF(1440, -155, 960, 1055));
    placer().moveToAdjacentScreen(1);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 25, 720, 875)) << "from the last screen to the first";
    placer().moveToAdjacentScreen(-1);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(1440, -155, 960, 1055));
}

TEST_F(TwoScreenTest, AWindowInTheUpperPartKeepsItsVerticalPlaceOnAScreenOfAnotherHeight) {
    // 75 of the first screen's 875 usable points below its top edge, 400 of them high.
    desk.setWindowFrame(window, QRectF(100, 100, 800, 400));
    start();
    placer().moveToAdjacentScreen(1);
    desk.settle();
    // The same fractions of the second screen's 1920 x 1055: left 1573.3, top 90.4 points below its
    // top edge (AX 900 - 1055 + 90 = -65), 1066.7 wide and 482.3 high, each edge rounded.
    EXPECT_EQ(frame(), QRectF(1573, -65, 1067, 483));
}

TEST_F(TwoScreenTest, SnappingWithoutAScreenUsesTheScreenUnderTheWindowsCentre) {
    desk.setWindowFrame(window, QRectF(1200, 100, 600, 400)); // centre at x 1500: the second screen
    desk.events().setMouseLocation(QPointF(10, 10));
    start();
    placer().snapFocusedWindow(QRectF(0, 0, 0.5, 1));
    desk.settle();
    EXPECT_EQ(frame().x(), 1440);
}

TEST_F(TwoScreenTest, ZonePlacementsKeepTheSpacingAndAScreenMoveCarriesTheFrameAsItIs) {
    zoneSpacing.setGap(10);
    zoneSpacing.setMargin(6);
    start();
    // The halves of (0, 25, 1440, 875), AX coordinates: 6 in from the work area's edges, 10 apart.
    controller->cycle().applyLayout(QStringLiteral("Split"));
    desk.settle();
    EXPECT_EQ(frame(), QRectF(6, 31, 709, 863));
    controller->cycle().cycleZone(1);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(725, 31, 709, 863));
    controller->cycle().snapToZone(QStringLiteral("Thirds"), 1);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(485, 31, 470, 863)) << "the middle third, 480 to 960, 5 in at each side";
    // The same fractions of the second screen, no spacing taken off again: 1440 + 485/1440 and
    // 955/1440 of 1920 wide; 6/875 and 869/875 of 1055 high, below its top at AX -155.
    placer().moveToAdjacentScreen(1);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(2087, -148, 626, 1041));
    // A size preset is no zone: centred at its size.
    controller->presets().addSizePreset(QStringLiteral("Small"), 400, 300);
    controller->cycle().applyLayout(QStringLiteral("Small"));
    desk.settle();
    EXPECT_EQ(frame().size(), QSizeF(400, 300));
}

TEST_F(TwoScreenTest, AScreenWithoutUsableAreaIsNotAPlaceToMeasureFrom) {
    start();
    desk.setScreens({Screen{1, "flat", QRectF(0, 0, 1440, 900), QRectF(0, 0, 0, 0)}, right});
    placer().moveToAdjacentScreen(1);
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
}

// Counts the calls of a WriteDone.
struct Heard {
    int calls = 0;
    WriteDone done() {
        return [this](bool) { ++calls; };
    }
};

TEST_F(WindowPlacerTest, WithNothingToActOnAPlacingSaysSoAtOnceAndNeverCallsBack) {
    start();
    desk.removeWindow(window);
    Heard none;
    EXPECT_EQ(placer().snapFocusedWindow(QRectF(0, 0, 1, 1), std::nullopt, none.done()),
              Placement::NoTargetWindow);
    EXPECT_EQ(placer().resizeFocusedWindow(500, 500, none.done()), Placement::NoTargetWindow);
    EXPECT_EQ(placer().moveToAdjacentScreen(1, none.done()), Placement::NoTargetWindow);
    EXPECT_EQ(controller->cycle().applyLayout("Split", none.done()), Placement::NoTargetWindow);
    EXPECT_TRUE(controller->cycle().isActive()) << "as with the hotkey, cycle mode starts all the same";
    EXPECT_EQ(placer().restoreFocusedWindow(none.done()), Placement::NoTargetWindow);
    desk.settle();
    EXPECT_EQ(none.calls, 0);
}

TEST_F(WindowPlacerTest, TheFirstFrameIsRememberedOnTheWindowAndRestoredAfterPlacementsAndUserMoves) {
    start();
    const QRectF first = frame();
    controller->cycle().applyLayout("Quadrant");
    desk.settle();
    EXPECT_EQ(desk.restoreFrame(window), first);
    controller->cycle().cycleZone(1);
    placer().resizeFocusedWindow(1000, 700);
    desk.settle();
    EXPECT_EQ(desk.restoreFrame(window), first) << "later placements keep the first frame";
    desk.setWindowFrame(window, QRectF(300, 200, 500, 400)); // the user moves it
    controller->cycle().applyLayout("Split");
    desk.settle();
    EXPECT_EQ(desk.restoreFrame(window), first);

    // Another Corvane (after a restart) finds the frame on the window.
    controller.reset();
    start();
    EXPECT_EQ(placer().restoreFocusedWindow(), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame(), first);
    EXPECT_EQ(desk.restoreFrame(window), std::nullopt) << "restored, the window forgets the frame";
    EXPECT_EQ(desk.log().effects().last(), QStringLiteral("activate %1").arg(editor));

    desk.log().clear();
    EXPECT_EQ(placer().restoreFocusedWindow(), Placement::NothingToRestore);
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty()) << "nothing to restore changes nothing";
    EXPECT_EQ(frame(), first);
}

TEST_F(WindowPlacerTest, AFrameIsRememberedOnlyWhenTheWindowSaysItHasNone) {
    start();
    desk.faults().failAttribute(desk.windowElement(window), ax::kRestoreFrame, AxError::CannotComplete);
    controller->cycle().applyLayout("Split");
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 25, 720, 875)) << "the placement goes ahead";
    EXPECT_EQ(desk.restoreFrame(window), std::nullopt) << "an unanswered read may hide a frame: none written";
}

TEST_F(WindowPlacerTest, ARememberedFrameNoWindowCanHaveIsRemovedAndTheWindowStaysWhereItIs) {
    start();
    const QRectF first = frame();
    const QRectF impossible[] = {
        {10, 20, 4294966996.0, 4294967096.0}, // -300 and -200 written as CARDINALs
        {10, 20, 2147483648.0, 300},
        {100000, 100000, 400, 300},
        {-32768, 0, 400, 300},
        {0, 32768, 400, 300},
        {0, 0, 0, 300},
        {0, 0, 400, 0.5},
        {0, 0, 32768, 300},
        {0, 0, 400, qQNaN()},
    };
    for (const QRectF& r : impossible) {
        desk.setRestoreFrame(window, r);
        desk.log().clear();
        EXPECT_EQ(placer().restoreFocusedWindow(), Placement::InvalidRememberedFrame)
            << r.x() << " " << r.width();
        desk.settle();
        EXPECT_TRUE(desk.log().effects().isEmpty()) << r.x() << " " << r.width();
        EXPECT_EQ(desk.restoreFrame(window), std::nullopt) << "removed: " << r.x() << " " << r.width();
    }
    EXPECT_EQ(frame(), first);

    // A placement replaces such a value with the frame the window has.
    desk.setRestoreFrame(window, QRectF(0, 0, 0, 0));
    controller->cycle().applyLayout("Split");
    desk.settle();
    EXPECT_EQ(desk.restoreFrame(window), first);

    // The bounds are frames a window can have; the writer brings them back on screen.
    desk.setRestoreFrame(window, QRectF(-32767, 32767, 1, 32767));
    EXPECT_EQ(placer().restoreFocusedWindow(), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 836, 1, 32767)) << "up from below the screen until its title bar is on it";
    // A frame from a screen that is gone (right of this one) comes back onto this one.
    desk.setRestoreFrame(window, QRectF(2000, 300, 500, 400));
    EXPECT_EQ(placer().restoreFocusedWindow(), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(940, 300, 500, 400));
}

TEST_F(WindowPlacerTest, TheWritesOfDragAndPaletteRememberToo) {
    start();
    const QRectF first = frame();
    writePointed(QRectF(0, 0, 720, 875));
    desk.settle();
    EXPECT_EQ(desk.restoreFrame(window), first);
    EXPECT_EQ(frame(), QRectF(0, 25, 720, 875));
}

} // namespace
} // namespace corvane

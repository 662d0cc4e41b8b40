// Placing the target window: the writer's exact sequence, the edges it keeps on screen, its
// read-back, the target rule,
// zone cycling with its time-out, screen moves and the hotkeys that drive them.
#include "ControllerFixture.h"
#include "control/WindowAccess.h"

namespace corvane {
namespace {

TEST_F(ControllerTest, TheWriterSetsSizeThenPositionWithPausesAndActivatesAfterwards) {
    start();
    controller->snapFocusedWindow(QRectF(0, 0, 0.5, 0.5));
    EXPECT_EQ(frame(), QRectF(100, 100, 800, 600)) << "the write waits for the background queue";
    desk.backgroundQueue().drain();
    EXPECT_EQ(desk.log().effects(),
              (QStringList{"write AXSize 720x437", "pause 10000", "write AXPosition 0,25", "pause 10000",
                           "write AXPosition 0,25"}))
        << "activation comes on the main queue, after the write";
    desk.runLoop().runPending();
    EXPECT_EQ(desk.log().effects().last(), QStringLiteral("activate %1").arg(editor));
    EXPECT_EQ(frame(), kTopLeft);
}

TEST_F(ControllerTest, TheSizeIsWrittenAgainOnlyWhenMoreThanFivePointsOff) {
    start();
    for (const int shortBy : {4, 5, 6}) {
        desk.setSizeConstraint(window,
                               [shortBy](QSizeF s) { return QSizeF(s.width() - shortBy, s.height()); });
        desk.log().clear();
        controller->snapFocusedWindow(QRectF(0, 0, 0.5, 0.5));
        desk.settle();
        const QStringList effects = desk.log().effects();
        EXPECT_EQ(effects.count("write AXSize 720x437"), shortBy > 5 ? 2 : 1) << shortBy;
        EXPECT_EQ(effects.count("pause 10000"), shortBy > 5 ? 3 : 2) << shortBy;
        EXPECT_EQ(effects.at(effects.size() - 2), "write AXPosition 0,25")
            << "position is always written last";
    }
}

TEST_F(ControllerTest, AnOffsetTheWindowManagerAddsIsTakenOffTheLastPositionWrite) {
    start();
    struct Row {
        QRectF start;
        QPointF offset;
        bool ignoresWrites;
        QString lastWrite;
        QPointF landed;
    };
    const Row rows[] = {
        // A border and a title bar: corrected.
        {{100, 100, 800, 600}, {-2, -18}, false, "write AXPosition 2,43", {0, 25}},
        {{100, 100, 800, 600}, {0, 0}, false, "write AXPosition 0,25", {0, 25}},
        // Too far for decorations: where the window manager put it on purpose.
        {{100, 100, 800, 600}, {0, 100}, false, "write AXPosition 0,25", {0, 125}},
        // Not moved yet when read back: no offset seen, although the old spot is near.
        {{10, 30, 800, 600}, {0, 0}, true, "write AXPosition 0,25", {10, 30}},
    };
    for (const Row& r : rows) {
        desk.setWindowFrame(window, r.start);
        desk.setPlacementOffset(r.offset);
        desk.setIgnoresWrites(window, r.ignoresWrites);
        desk.log().clear();
        controller->snapFocusedWindow(QRectF(0, 0, 0.5, 0.5));
        desk.settle();
        const QStringList effects = desk.log().effects();
        EXPECT_EQ(effects.count("pause 10000"), r.ignoresWrites ? 3 : 2)
            << r.offset.y() << ": no pause is added";
        EXPECT_EQ(effects.at(effects.size() - 2), r.lastWrite) << r.offset.y();
        EXPECT_EQ(frame().topLeft(), r.landed) << r.offset.y();
    }

    // The drag's and the palette's writer corrects its second pass the same way.
    desk.setIgnoresWrites(window, false);
    desk.setWindowFrame(window, QRectF(100, 100, 800, 600));
    desk.setPlacementOffset({-2, -18});
    desk.log().clear();
    writeWindowFrameTwice(platform.accessibility, desk.windowElement(window), QRectF(0, 438, 720, 437), 900,
                          screen.visibleFrame);
    EXPECT_EQ(desk.log().effects(),
              (QStringList{"write AXSize 720x437", "write AXPosition 0,25", "pause 10000",
                           "write AXSize 720x437", "write AXPosition 2,43"}));
    EXPECT_EQ(frame(), kTopLeft);
}

TEST_F(ControllerTest, FailedReadBackAndFailedValueCreationSkipOnlyTheirSteps) {
    start();
    desk.failAttribute(desk.windowElement(window), "AXSize", AxError::CannotComplete);
    desk.setSizeConstraint(window, [](QSizeF s) { return s / 2; });
    controller->setFocusedWindowFrame(QRectF(0, 438, 720, 437), screen);
    desk.settle();
    EXPECT_EQ(desk.log().effects(),
              (QStringList{"write AXSize 720x437", "pause 10000", "write AXPosition 0,25", "pause 10000",
                           "write AXPosition 0,25", QStringLiteral("activate %1").arg(editor)}));
    desk.log().clear();
    desk.failValueCreation(true);
    controller->setFocusedWindowFrame(QRectF(0, 438, 720, 437), screen);
    desk.settle();
    EXPECT_EQ(desk.log().effects(),
              (QStringList{"pause 10000", "pause 10000", QStringLiteral("activate %1").arg(editor)}))
        << "a found window still counts as written";
}

TEST_F(ControllerTest, TheLeftEdgeAndTheTitleBarAreKeptInsideTheVisibleFrame) {
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
        controller->setFocusedWindowFrame(r.requested, screen);
        desk.settle();
        EXPECT_EQ(desk.log().effects().at(2),
                  QStringLiteral("write AXPosition %1,%2").arg(r.written.x()).arg(r.written.y()))
            << r.requested.x() << "," << r.requested.y();
    }

    // A size asked for that the screen cannot hold, and the drag's and the palette's writer.
    controller->resizeFocusedWindow(3000, 3000);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 25, 3000, 3000));
    writeWindowFrameTwice(platform.accessibility, desk.windowElement(window), QRectF(200, 700, 600, 400), 900,
                          screen.visibleFrame);
    EXPECT_EQ(frame(), QRectF(200, 25, 600, 400));
}

TEST_F(ControllerTest, TheTargetIsTheLastActiveApplicationThenTheFrontmostButNeverCorvane) {
    const qint32 browser = desk.addApplication("Browser");
    const SimWindowId browserWindow = desk.addWindow(browser, QRectF(50, 50, 300, 300));
    desk.setFocusedWindow(browser, browserWindow);
    start();
    desk.activateApplication(browser);
    desk.activateApplication(desk.thisProcessPid()); // opening our panel must not change the target
    EXPECT_EQ(controller->lastActiveApp()->pid, browser);
    EXPECT_EQ(controller->focusedWindowFrame(), QRectF(50, 550, 300, 300));
    controller->snapFocusedWindow(QRectF(0, 0, 0.5, 0.5));
    desk.settle();
    EXPECT_EQ(desk.windowFrame(browserWindow), kTopLeft);
    EXPECT_EQ(desk.log().effects().last(), QStringLiteral("activate %1").arg(browser));

    // The last active application lost its window: the frontmost one is used.
    desk.setFocusedWindow(browser, std::nullopt);
    desk.setFrontmostApplication(editor);
    controller->snapFocusedWindow(QRectF(0.5, 0, 0.5, 0.5));
    desk.settle();
    EXPECT_EQ(frame(), kTopRight);

    // Nothing of another application to act on: nothing moves.
    desk.setFrontmostApplication(desk.thisProcessPid());
    desk.log().clear();
    controller->snapFocusedWindow(QRectF(0, 0.5, 0.5, 0.5));
    controller->setFocusedWindowFrame(QRectF(0, 0, 10, 10), screen);
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
}

TEST_F(ControllerTest, AnApplicationGoneBeforeTheWriteCompletesIsNotActivated) {
    const qint32 browser = desk.addApplication("Browser");
    const SimWindowId browserWindow = desk.addWindow(browser, QRectF(50, 50, 300, 300));
    desk.setFocusedWindow(browser, browserWindow);
    start();
    desk.activateApplication(browser);
    desk.activateApplication(editor);
    controller->setFocusedWindowFrame(QRectF(0, 438, 720, 437), screen);
    desk.quitApplication(editor); // the last active app now has no window: the frontmost is gone too
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
}

TEST_F(ControllerTest, NoScreensMeansNothingIsReadOrWritten) {
    start();
    desk.setScreens({});
    EXPECT_FALSE(controller->focusedWindowFrame());
    controller->setFocusedWindowFrame(QRectF(0, 0, 100, 100), screen);
    controller->resizeFocusedWindow(500, 500);
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
}

TEST_F(ControllerTest, CyclingStepsAndWrapsAndEndsFiveSecondsAfterTheLastStep) {
    start();
    controller->applyLayout("Quadrant");
    desk.settle();
    EXPECT_EQ(frame(), kTopLeft);
    EXPECT_TRUE(controller->isCyclingActive());
    const QRectF expected[] = {kTopRight, kBottomLeft, kBottomRight, kTopLeft};
    for (const QRectF& e : expected) {
        desk.runLoop().advance(4.9);
        controller->cycleZone(1);
        desk.settle();
        EXPECT_EQ(frame(), e);
        EXPECT_TRUE(controller->isCyclingActive()) << "each step re-arms the time-out";
    }
    controller->cycleZone(-1);
    desk.settle();
    EXPECT_EQ(frame(), kBottomRight) << "back from the first zone wraps to the last";
    EXPECT_EQ(controller->currentZoneIndex(), 3);

    desk.runLoop().advance(4.99);
    EXPECT_TRUE(controller->isCyclingActive());
    desk.runLoop().advance(0.01);
    EXPECT_FALSE(controller->isCyclingActive());
    EXPECT_FALSE(controller->hasCycleTimeoutTimer());
    EXPECT_EQ(controller->lastActiveLayoutName(), QString("Quadrant")) << "the name outlives the time-out";
}

TEST_F(ControllerTest, ASizePresetEndsCyclingAndNamesThatResolveToNothingChangeNothing) {
    start();
    controller->addSizePreset("Laptop", 1000, 600);
    controller->applyLayout("Quadrant");
    desk.settle();
    controller->applyLayout("Laptop");
    desk.settle();
    EXPECT_FALSE(controller->isCyclingActive());
    EXPECT_FALSE(controller->lastActiveLayoutName());
    EXPECT_EQ(frame(), QRectF(220, 162.5, 1000, 600)) << "centred on the visible frame";

    controller->applyLayout("Rows");
    controller->applyLayout("quadrant"); // names match exactly
    controller->applyLayout("Nothing");
    desk.settle();
    EXPECT_EQ(controller->lastActiveLayoutName(), QString("Rows"));
    EXPECT_TRUE(controller->isCyclingActive());
}

TEST_F(ControllerTest, LayoutNamesResolveBuiltInsFirstThenTheFirstPresetOfThatName) {
    start();
    controller->addSizePreset("Mixed", 800, 600);
    controller->addGridPreset("Grid", 1, 2, {});
    EXPECT_EQ(controller->layout("Split")->zones.size(), 2);
    EXPECT_FALSE(controller->layout("split"));
    EXPECT_FALSE(controller->layout("Mixed")) << "a size preset is no layout";
    EXPECT_EQ(controller->layout("Grid")->zones.size(), 2);
}

TEST_F(ControllerTest, ResizeClampsEachDimensionAndCentresOnTheWindowsScreen) {
    start();
    controller->resizeFocusedWindow(50, 20000);
    desk.settle();
    EXPECT_EQ(desk.log().effects().first(), "write AXSize 100x10000");
    desk.log().clear();
    controller->resizeFocusedWindow(std::nan(""), 500);
    desk.settle();
    EXPECT_EQ(desk.log().effects().first(), "write AXSize 100x500") << "not a number is not a size";
}

class TwoScreenTest : public ControllerTest {
protected:
    Screen right = desk.addScreen(QRectF(1440, 0, 1920, 1080), QRectF(1440, 0, 1920, 1055));
};

TEST_F(TwoScreenTest, MovingToTheNextScreenKeepsTheRelativeFrameAndWraps) {
    desk.setWindowFrame(window, QRectF(0, 25, 720, 875)); // the left half of the first screen
    start();
    controller->moveToAdjacentScreen(1);
    desk.settle();
    // The left half of the second screen: 960 x 1055, top at AX 900 - 1055 = -155.
    EXPECT_EQ(frame(), QRectF(1440, -155, 960, 1055));
    controller->moveToAdjacentScreen(1);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 25, 720, 875)) << "from the last screen to the first";
    controller->moveToAdjacentScreen(-1);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(1440, -155, 960, 1055));
}

TEST_F(TwoScreenTest, AWindowInTheUpperPartKeepsItsVerticalPlaceOnAScreenOfAnotherHeight) {
    // 75 of the first screen's 875 usable points below its top edge, 400 of them high.
    desk.setWindowFrame(window, QRectF(100, 100, 800, 400));
    start();
    controller->moveToAdjacentScreen(1);
    desk.settle();
    // The same fractions of the second screen's 1920 x 1055: left 1573.3, top 90.4 points below its
    // top edge (AX 900 - 1055 + 90 = -65), 1066.7 wide and 482.3 high, each edge rounded.
    EXPECT_EQ(frame(), QRectF(1573, -65, 1067, 483));
}

TEST_F(TwoScreenTest, SnappingWithoutAScreenUsesTheScreenUnderTheWindowsCentre) {
    desk.setWindowFrame(window, QRectF(1200, 100, 600, 400)); // centre at x 1500: the second screen
    desk.events().setMouseLocation(QPointF(10, 10));
    start();
    controller->snapFocusedWindow(QRectF(0, 0, 0.5, 1));
    desk.settle();
    EXPECT_EQ(frame().x(), 1440);
}

TEST_F(TwoScreenTest, AScreenWithoutUsableAreaIsNotAPlaceToMeasureFrom) {
    start();
    desk.setScreens({Screen{1, "flat", QRectF(0, 0, 1440, 900), QRectF(0, 0, 0, 0)}, right});
    controller->moveToAdjacentScreen(1);
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
}

TEST_F(ControllerTest, MovingWithASingleScreenDoesNothingAndLeavesCycleMode) {
    start();
    controller->applyLayout("Split");
    desk.settle();
    desk.log().clear();
    controller->moveToAdjacentScreen(1);
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
    EXPECT_FALSE(controller->isCyclingActive());
}

TEST_F(ControllerTest, HotkeysNeedExactlyControlAndOptionAndNumbersOneToFour) {
    platform.defaults.setObject(kHotkeyAssignmentsKey,
                                QVariantMap{{"1", "Split"}, {"2", "Quadrant"}, {"5", "Rows"}, {"0", "Rows"}});
    start();
    struct Row {
        Event event;
        bool moves;
    };
    const Row rows[] = {
        {hotkey("1", 18, modifier::kShift), false},
        {hotkey("1", 18, modifier::kCommand), false},
        {hotkey("1", 18, modifier::kHelp), false},
        {hotkey("5", 23), false},
        {hotkey("0", 29), false},
        {hotkey("x", 7), false},
        {SimEvents::keyDown("1", 18, modifier::kControl), false},
        {SimEvents::keyDown("1", 18, modifier::kOption), false},
        {hotkey("1", 18, modifier::kCapsLock), true},
        {hotkey("1", 83, modifier::kNumericPad), true},
    };
    for (const Row& r : rows) {
        desk.setWindowFrame(window, QRectF(100, 100, 800, 600));
        desk.log().clear();
        desk.events().sendGlobal(r.event);
        desk.settle();
        EXPECT_EQ(frame() != QRectF(100, 100, 800, 600), r.moves)
            << r.event.charactersIgnoringModifiers->toStdString() << " flags " << r.event.modifierFlags;
    }
}

TEST_F(ControllerTest, ArrowsCycleInCycleModeAndReachUsFromOurOwnWindowsToo) {
    start();
    desk.events().sendGlobal(hotkey("2", 19));
    desk.settle();
    EXPECT_EQ(frame(), kTopLeft);
    const Event right = hotkey("", keycode::kRightArrow, modifier::kNumericPad | modifier::kFunction);
    const std::optional<Event> delivered = desk.events().sendLocal(right);
    desk.settle();
    EXPECT_EQ(frame(), kTopRight);
    ASSERT_TRUE(delivered) << "the keystroke still reaches our own window";
    EXPECT_EQ(delivered->keyCode, keycode::kRightArrow);
    desk.events().sendGlobal(hotkey("", keycode::kLeftArrow, modifier::kCommand));
    desk.events().sendGlobal(SimEvents::keyDown("", keycode::kLeftArrow, modifier::kControl));
    desk.settle();
    EXPECT_EQ(frame(), kTopRight) << "Command, or no Option, is no hotkey";
}

TEST_F(ControllerTest, AnEmptyStoredTableAssignsNothingAndAnAbsentOneGivesTheDefaults) {
    platform.defaults.setObject(kHotkeyAssignmentsKey, QVariantMap{});
    start();
    desk.events().sendGlobal(hotkey("2", 19));
    desk.settle();
    EXPECT_EQ(frame(), QRectF(100, 100, 800, 600));
    EXPECT_TRUE(controller->hotkeyAssignments().isEmpty());

    SimDesktop fresh;
    Platform freshPlatform = fresh.platform();
    GlobalKeyMonitor freshKeys(freshPlatform.events);
    WindowController withDefaults(freshPlatform, freshKeys, dragSnap, palette);
    EXPECT_EQ(withDefaults.hotkeyAssignments().value(2), "Quadrant");
}

} // namespace
} // namespace corvane

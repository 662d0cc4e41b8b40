// What a placing reports (at once, and once its write has run), zone N of a layout, and the frame a
// window had before Corvane first placed it: remembered by every writer, kept through later
// placements and user moves, written back and forgotten by a restore.
#include "ControllerFixture.h"

namespace corvane {
namespace {

// The outcome a WriteDone hears: none until it is called.
struct Heard {
    std::optional<bool> isWritten;
    int calls = 0;
    WriteDone done() {
        return [this](bool written) {
            isWritten = written;
            ++calls;
        };
    }
};

TEST_F(ControllerTest, APlacingSaysWhetherItsWriteFoundAWindowOnlyOnceTheWriteHasRun) {
    start();
    Heard heard;
    EXPECT_EQ(controller->applyLayout("Quadrant", heard.done()), Placement::Requested);
    desk.backgroundQueue().drain();
    EXPECT_EQ(heard.calls, 0) << "the outcome comes back on the main thread";
    desk.runLoop().runPending();
    EXPECT_EQ(heard.isWritten, true);

    // The window closes between the request and the write.
    Heard late;
    EXPECT_EQ(controller->cycleZone(1, late.done()), Placement::Requested);
    desk.removeWindow(window);
    desk.settle();
    EXPECT_EQ(late.isWritten, false);
    EXPECT_EQ(late.calls, 1);

    // Nothing to act on: said at once, and the WriteDone is never called.
    Heard none;
    EXPECT_EQ(controller->snapFocusedWindow(QRectF(0, 0, 1, 1), std::nullopt, none.done()),
              Placement::NoTargetWindow);
    EXPECT_EQ(controller->resizeFocusedWindow(500, 500, none.done()), Placement::NoTargetWindow);
    EXPECT_EQ(controller->moveToAdjacentScreen(1, none.done()), Placement::NoTargetWindow);
    EXPECT_EQ(controller->applyLayout("Split", none.done()), Placement::NoTargetWindow);
    EXPECT_TRUE(controller->isCyclingActive()) << "as with the hotkey, cycle mode starts all the same";
    EXPECT_EQ(controller->restoreFocusedWindow(none.done()), Placement::NoTargetWindow);
    desk.settle();
    EXPECT_EQ(none.calls, 0);
}

TEST_F(ControllerTest, NamesAndStepsThatLeadNowhereAreToldApart) {
    start();
    EXPECT_EQ(controller->cycleZone(1), Placement::NoCycledLayout) << "no layout applied yet";
    controller->addSizePreset("Big", 1200, 800);
    EXPECT_EQ(controller->applyLayout("quadrant"), Placement::UnknownLayout) << "names match exactly";
    EXPECT_EQ(controller->snapToZone("Big", 0), Placement::UnknownLayout) << "a size preset has no zones";
    EXPECT_EQ(controller->snapToZone("Nope", 0), Placement::UnknownLayout);
    EXPECT_EQ(controller->snapToZone("Six Pack", 6), Placement::NoSuchZone);
    EXPECT_EQ(controller->snapToZone("Six Pack", -1), Placement::NoSuchZone);
    EXPECT_FALSE(controller->isCyclingActive());
    EXPECT_EQ(controller->moveToAdjacentScreen(1), Placement::NoOtherScreen) << "a single screen";
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
    EXPECT_EQ(controller->applyLayout("Big"), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame().size(), QSizeF(1200, 800));
}

TEST_F(ControllerTest, ZoneNOfAGridWithMergesEntersCycleModeThere) {
    start();
    // Two rows of three columns, the right column merged: zones in reading order.
    ASSERT_TRUE(controller->addGridPreset("Desk", 2, 3, {{0, 2, 2, 1}}));
    EXPECT_EQ(controller->snapToZone("Desk", 2), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(960, 25, 480, 875)) << "zone 3: the merged column";
    EXPECT_TRUE(controller->isCyclingActive());
    EXPECT_EQ(controller->lastActiveLayoutName(), "Desk");
    EXPECT_EQ(controller->currentZoneIndex(), 2);
    controller->cycleZone(1);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 462, 480, 438)) << "the arrows go on from there, to zone 4";
    controller->snapToZone("Desk", 4);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(480, 462, 480, 438)) << "zone 5, the last";
}

TEST_F(ControllerTest, TheFirstFrameIsRememberedOnTheWindowAndRestoredAfterPlacementsAndUserMoves) {
    start();
    const QRectF first = frame();
    controller->applyLayout("Quadrant");
    desk.settle();
    EXPECT_EQ(desk.restoreFrame(window), first);
    controller->cycleZone(1);
    controller->resizeFocusedWindow(1000, 700);
    desk.settle();
    EXPECT_EQ(desk.restoreFrame(window), first) << "later placements keep the first frame";
    desk.setWindowFrame(window, QRectF(300, 200, 500, 400)); // the user moves it
    controller->applyLayout("Split");
    desk.settle();
    EXPECT_EQ(desk.restoreFrame(window), first);

    // Another Corvane (after a restart) finds the frame on the window.
    controller.reset();
    start();
    EXPECT_EQ(controller->restoreFocusedWindow(), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame(), first);
    EXPECT_EQ(desk.restoreFrame(window), std::nullopt) << "restored, the window forgets the frame";
    EXPECT_EQ(desk.log().effects().last(), QStringLiteral("activate %1").arg(editor));

    desk.log().clear();
    EXPECT_EQ(controller->restoreFocusedWindow(), Placement::NothingToRestore);
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty()) << "nothing to restore changes nothing";
    EXPECT_EQ(frame(), first);
}

TEST_F(ControllerTest, AFrameIsRememberedOnlyWhenTheWindowSaysItHasNone) {
    start();
    desk.failAttribute(desk.windowElement(window), ax::kRestoreFrame, AxError::CannotComplete);
    controller->applyLayout("Split");
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 25, 720, 875)) << "the placement goes ahead";
    EXPECT_EQ(desk.restoreFrame(window), std::nullopt) << "an unanswered read may hide a frame: none written";
}

TEST_F(ControllerTest, ARememberedFrameNoWindowCanHaveIsRemovedAndTheWindowStaysWhereItIs) {
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
        EXPECT_EQ(controller->restoreFocusedWindow(), Placement::InvalidRememberedFrame)
            << r.x() << " " << r.width();
        desk.settle();
        EXPECT_TRUE(desk.log().effects().isEmpty()) << r.x() << " " << r.width();
        EXPECT_EQ(desk.restoreFrame(window), std::nullopt) << "removed: " << r.x() << " " << r.width();
    }
    EXPECT_EQ(frame(), first);

    // A placement replaces such a value with the frame the window has.
    desk.setRestoreFrame(window, QRectF(0, 0, 0, 0));
    controller->applyLayout("Split");
    desk.settle();
    EXPECT_EQ(desk.restoreFrame(window), first);

    // The bounds are frames a window can have; the writer brings them back on screen.
    desk.setRestoreFrame(window, QRectF(-32767, 32767, 1, 32767));
    EXPECT_EQ(controller->restoreFocusedWindow(), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 836, 1, 32767)) << "up from below the screen until its title bar is on it";
    // A frame from a screen that is gone (right of this one) comes back onto this one.
    desk.setRestoreFrame(window, QRectF(2000, 300, 500, 400));
    EXPECT_EQ(controller->restoreFocusedWindow(), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(940, 300, 500, 400));
}

TEST_F(ControllerTest, TheWritersOfDragAndPaletteRememberToo) {
    start();
    const QRectF first = frame();
    writeWindowFrameTwice(platform.accessibility, desk.windowElement(window), QRectF(0, 0, 720, 875), 900,
                          screen.visibleFrame);
    EXPECT_EQ(desk.restoreFrame(window), first);
    EXPECT_EQ(frame(), QRectF(0, 25, 720, 875));
}

} // namespace
} // namespace corvane

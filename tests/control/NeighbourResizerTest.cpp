// Neighbours resized together: a user's resize of a placed window carries the placed windows across the
// moved edge, with the zone gap between them kept, and leaves them alone with the alone key held, for
// a move, or for windows on another screen; a neighbour whose minimum refuses the size keeps its far
// edge; the windows stay linked for the next resize until one of them is moved or changed otherwise.
#include "ControllerFixture.h"
#include "platform/sim/SimEvents.h"

namespace corvane {
namespace {

const QRectF kLeftHalf(0, 25, 720, 875);
const QRectF kRightHalf(720, 25, 720, 875);

class NeighbourResizerTest : public ControllerTest {
protected:
    qint32 terminal = desk.addApplication("Terminal");
    SimWindowId shell = desk.addWindow(terminal, QRectF(200, 200, 600, 400));
    double clock = 1000;

    void place(qint32 pid, SimWindowId placed, qint64 zone) {
        desk.setFocusedWindow(pid, placed);
        desk.activateApplication(pid);
        desk.settle();
        snapTo("Split", zone);
    }
    void placeBoth() {
        place(editor, window, 0);
        place(terminal, shell, 1);
    }
    // The user takes the window's border at `ax` and the window manager gives it `frame`, step by step.
    void resize(SimWindowId held, QPointF ax, const QList<QRectF>& steps, quint64 flags = 0) {
        desk.events().setMouseLocation(QPointF(ax.x(), 900 - ax.y()));
        desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDown, clock, flags));
        for (const QRectF& step : steps) {
            clock += 0.016;
            desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDragged, clock, flags));
            desk.setWindowFrame(held, step);
            desk.settle();
        }
        clock += 0.016;
        desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseUp, clock, flags));
        desk.runLoop().advance(ZoneTracker::restSeconds);
        desk.runLoop().advance(kFrameRequestTimeout);
    }
};

TEST_F(NeighbourResizerTest, TheNeighbourFollowsTheSharedEdgeAndStaysLinkedUntilMoved) {
    zoneSpacing.setGap(10);
    start();
    placeBoth();
    const QRectF left = frame();
    const QRectF right = desk.windowFrame(shell);
    ASSERT_EQ(right.left() - left.right(), 10) << "the zones are a gap apart";

    resize(window, QPointF(left.right() - 2, 400),
           {left.adjusted(0, 0, 100, 0), left.adjusted(0, 0, 200, 0)});
    EXPECT_EQ(frame(), left.adjusted(0, 0, 200, 0));
    EXPECT_EQ(desk.windowFrame(shell), right.adjusted(200, 0, 0, 0))
        << "its left edge moved as far, its right edge stayed, the gap kept";
    EXPECT_FALSE(controller->neighbourResizer().isFollowing()) << "over once the window has rested";

    // Neither is in its zone now; the link carries the next resize, from either side.
    const QRectF movedRight = desk.windowFrame(shell);
    // Its left edge taken: the window manager moves it a step before it resizes it.
    resize(shell, QPointF(movedRight.left() + 1, 400),
           {movedRight.translated(-300, 0), movedRight.adjusted(-300, 0, 0, 0)});
    EXPECT_EQ(frame(), left.adjusted(0, 0, -100, 0)) << "the linked window follows back";

    // A move unlinks the moved window: a later resize of the other carries nothing.
    const QRectF moved = frame().translated(0, 30);
    resize(window, QPointF(frame().center().x(), 40), {moved});
    EXPECT_TRUE(controller->neighbourResizer().linkedWith(desk.windowElement(shell)).isEmpty());
    const QRectF shellNow = desk.windowFrame(shell);
    resize(shell, QPointF(shellNow.left() + 1, 400), {shellNow.adjusted(-40, 0, 0, 0)});
    EXPECT_EQ(frame(), moved);
}

TEST_F(NeighbourResizerTest, TheAloneKeyAndChangesWithoutThePointerLeaveTheNeighbourWhereItIs) {
    start();
    placeBoth();
    // With the alone key held the neighbour stays, and the window leaves its zone alone.
    resize(window, QPointF(kLeftHalf.right() - 1, 400), {kLeftHalf.adjusted(0, 0, 50, 0)},
           modifier::kCommand);
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf);
    resize(shell, QPointF(kRightHalf.left() + 1, 400), {kRightHalf.adjusted(100, 0, 0, 0)});
    EXPECT_EQ(frame(), kLeftHalf.adjusted(0, 0, 50, 0)) << "no longer in its zone, nor linked";

    // Linked by a resize, then changed with no button held (a keyboard move, a placement): unlinked.
    placeBoth();
    resize(window, QPointF(kLeftHalf.right() - 1, 400), {kLeftHalf.adjusted(0, 0, 100, 0)});
    ASSERT_EQ(desk.windowFrame(shell), kRightHalf.adjusted(100, 0, 0, 0));
    desk.setWindowFrame(window, kLeftHalf.adjusted(0, 0, 100, -100));
    desk.settle();
    resize(window, QPointF(kLeftHalf.right() + 99, 400), {kLeftHalf.adjusted(0, 0, 150, -100)});
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf.adjusted(100, 0, 0, 0));
    const QRectF shellNow = desk.windowFrame(shell);
    resize(shell, QPointF(shellNow.left() + 1, 400), {shellNow.adjusted(-100, 0, 0, 0)});
    EXPECT_EQ(frame(), kLeftHalf.adjusted(0, 0, 150, -100));

    // Linked, then resized alone: its edges are its own, and its next resize carries nothing.
    placeBoth();
    resize(window, QPointF(kLeftHalf.right() - 1, 400), {kLeftHalf.adjusted(0, 0, 100, 0)});
    resize(window, QPointF(kLeftHalf.right() + 99, 400), {kLeftHalf.adjusted(0, 0, 50, 0)},
           modifier::kCommand);
    resize(window, QPointF(kLeftHalf.right() + 49, 400), {kLeftHalf.adjusted(0, 0, 150, 0)});
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf.adjusted(100, 0, 0, 0));
}

TEST_F(NeighbourResizerTest, StepsTheWindowManagerGivesAfterTheReleaseAreFollowedUntilTheWindowRests) {
    start();
    placeBoth();
    desk.events().setMouseLocation(QPointF(kLeftHalf.right() - 1, 500));
    desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDown, clock));
    desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDragged, clock + 0.016));
    desk.setWindowFrame(window, kLeftHalf.adjusted(0, 0, 50, 0));
    desk.settle();
    desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseUp, clock + 0.032));
    // A busy window manager behind the pointer: each step comes most of a rest after the one before.
    for (int step = 2; step <= 4; ++step) {
        desk.runLoop().advance(ZoneTracker::restSeconds * 0.8);
        desk.setWindowFrame(window, kLeftHalf.adjusted(0, 0, 50 * step, 0));
        desk.settle();
    }
    EXPECT_TRUE(controller->neighbourResizer().isFollowing());
    desk.runLoop().advance(ZoneTracker::restSeconds);
    desk.runLoop().advance(kFrameRequestTimeout);
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf.adjusted(200, 0, 0, 0)) << "the last step followed too";
    EXPECT_FALSE(controller->neighbourResizer().isFollowing()) << "over once the window has rested";
}

TEST_F(NeighbourResizerTest, ANeighbourThatRefusesTheSizeKeepsItsFarEdgeAndOtherScreensStay) {
    desk.addScreen(QRectF(1440, 0, 1440, 900), QRectF(1440, 0, 1440, 875));
    const qint32 viewer = desk.addApplication("Viewer");
    const SimWindowId image = desk.addWindow(viewer, QRectF(1500, 100, 600, 400));
    start();
    placeBoth();
    desk.setFocusedWindow(viewer, image);
    desk.activateApplication(viewer);
    desk.settle();
    desk.setWindowFrame(image, QRectF(1440, 25, 720, 875));
    ASSERT_EQ(controller->cycle().snapToZone("Split", 0), Placement::Requested);
    desk.runLoop().advance(kFrameRequestTimeout);
    const QRectF imageFrame = desk.windowFrame(image);
    ASSERT_EQ(imageFrame.left(), 1440) << "placed on the second screen";

    // The terminal will be no narrower than 600.
    desk.setSizeConstraint(shell,
                           [](QSizeF size) { return QSizeF(std::max(size.width(), 600.0), size.height()); });
    resize(window, QPointF(kLeftHalf.right() - 1, 400), {kLeftHalf.adjusted(0, 0, 300, 0)});
    EXPECT_EQ(desk.windowFrame(shell), QRectF(840, 25, 600, 875))
        << "stopped at its minimum with its right edge on the screen's";
    EXPECT_EQ(desk.windowFrame(image), imageFrame) << "a window on another screen is no neighbour";

    // A terminal sized in whole cells of 13 stops short of its zone's edge, and still follows.
    desk.setSizeConstraint(shell, {});
    desk.setSizeConstraint(
        window, [](QSizeF size) { return QSizeF(13 * std::floor(size.width() / 13), size.height()); });
    placeBoth();
    ASSERT_EQ(frame(), QRectF(0, 25, 715, 875)) << "5 short of its neighbour";
    resize(shell, QPointF(kRightHalf.left() + 1, 400), {kRightHalf.adjusted(-100, 0, 0, 0)});
    EXPECT_EQ(frame(), QRectF(0, 25, 611, 875))
        << "its right edge moved as far, less what its cells round off";

    // Windows of an application left alone never follow.
    excluded.add("Terminal");
    const QRectF shellNow = desk.windowFrame(shell);
    resize(window, QPointF(frame().right() - 1, 400), {frame().adjusted(0, 0, -200, 0)});
    EXPECT_EQ(desk.windowFrame(shell), shellNow);
}

TEST_F(NeighbourResizerTest, CorvanesOwnWritesUnplacedWindowsAndTheSwitchStartNothing) {
    start();
    place(editor, window, 0);
    desk.setWindowFrame(shell, kRightHalf); // put there by the user, not by Corvane
    desk.runLoop().advance(ZoneTracker::restSeconds);
    resize(window, QPointF(kLeftHalf.right() - 1, 400), {kLeftHalf.adjusted(0, 0, 100, 0)});
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf) << "only windows Corvane placed follow";

    // Dragged by its title bar, then given back a size of its own as the drag goes on: Corvane's write.
    placeBoth();
    desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDown, clock));
    desk.setWindowFrame(window, kLeftHalf.translated(40, 0));
    controller->neighbourResizer().windowDragged(desk.windowElement(window));
    desk.setWindowFrame(window, QRectF(340, 25, 500, 400));
    desk.settle();
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf) << "a dragged window's change of size is no resize";
    desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseUp, clock));
    desk.runLoop().advance(ZoneTracker::restSeconds);

    // A placement while a button is held.
    placeBoth();
    desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDown, clock));
    desk.setFocusedWindow(editor, window);
    desk.activateApplication(editor);
    desk.settle();
    ASSERT_EQ(controller->cycle().snapToZone("Thirds", 0), Placement::Requested);
    desk.runLoop().advance(kFrameRequestTimeout);
    desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseUp, clock));
    desk.runLoop().advance(ZoneTracker::restSeconds);
    EXPECT_EQ(frame(), QRectF(0, 25, 480, 875));
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf) << "Corvane's own write is no user's resize";

    place(editor, window, 0);
    place(terminal, shell, 1);
    controller->neighbourResizeSettings().setEnabled(false);
    EXPECT_FALSE(controller->neighbourResizer().isRunning());
    resize(window, QPointF(kLeftHalf.right() - 1, 400), {kLeftHalf.adjusted(0, 0, 100, 0)});
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf);
    EXPECT_EQ(platform.defaults.boolean("neighbourResizeEnabled"), false) << "the choice is stored";
}

TEST_F(NeighbourResizerTest, StoredChoicesAreReadAndDamagedOnesFallBack) {
    struct Row {
        QVariant stored;
        NeighbourResizeSettings::AloneKey key;
    };
    const Row rows[] = {{QStringLiteral("alt"), NeighbourResizeSettings::AloneKey::Alt},
                        {QStringLiteral("control"), NeighbourResizeSettings::AloneKey::Control},
                        {QStringLiteral("Shift"), NeighbourResizeSettings::AloneKey::Super},
                        {42, NeighbourResizeSettings::AloneKey::Super},
                        {QVariant(), NeighbourResizeSettings::AloneKey::Super}};
    struct NullMonitor final : FeatureMonitor {
        void start() override {}
        void stop() override {}
    } resizer;
    for (const Row& r : rows) {
        if (r.stored.isValid())
            platform.defaults.setObject("neighbourResizeAloneKey", r.stored);
        else
            platform.defaults.removeObject("neighbourResizeAloneKey");
        platform.defaults.setObject("neighbourResizeEnabled", QStringLiteral("yes"));
        const NeighbourResizeSettings settings(platform, resizer);
        EXPECT_EQ(settings.aloneKey(), r.key) << r.stored.toString().toStdString();
        EXPECT_TRUE(settings.isEnabled()) << "a value that is no boolean is the default, on";
    }
}

} // namespace
} // namespace corvane

// Swapping the target window with the window in the neighbouring zone: the two trade zones and the
// target keeps the focus; a target in no zone hands its frame over; only windows still in their zone, on
// the target's screen, in view and not left alone count, the front one of two in one zone; and each
// refusal writes nothing.
#include "ControllerFixture.h"

namespace corvane {
namespace {

const QRectF kLeftHalf(0, 25, 720, 875);
const QRectF kRightHalf(720, 25, 720, 875);

class ZoneSwapperTest : public ControllerTest {
protected:
    qint32 terminal = desk.addApplication("Terminal");
    SimWindowId shell = desk.addWindow(terminal, QRectF(200, 200, 600, 400));

    // Puts the window into zone `zone` of Split as a hotkey would, with its application in front.
    void place(qint32 pid, SimWindowId placed, qint64 zone) {
        desk.setFocusedWindow(pid, placed);
        desk.activateApplication(pid);
        desk.settle();
        snapTo("Split", zone);
    }
    void focusEditor() {
        desk.activateApplication(editor);
        desk.settle();
    }
    Placement swap(ZoneDirection direction, std::optional<bool>* written = nullptr) {
        const Placement placement =
            controller->swapper().swapWithNeighbour(direction, [written](bool isWritten) {
                if (written)
                    *written = isWritten;
            });
        desk.settle();
        return placement;
    }
};

TEST_F(ZoneSwapperTest, TwoWindowsInZonesTradeThemAndTheTargetKeepsTheFocus) {
    start();
    place(editor, window, 0);
    place(terminal, shell, 1);
    focusEditor();
    std::optional<bool> written;
    EXPECT_EQ(swap(ZoneDirection::Right, &written), Placement::Requested);
    EXPECT_EQ(frame(), kRightHalf);
    EXPECT_EQ(desk.windowFrame(shell), kLeftHalf);
    EXPECT_EQ(written, true) << "one answer once both writes landed";
    EXPECT_EQ(desk.frontmostPid(), editor) << "the neighbour's write leaves the focus with the target";
    EXPECT_EQ(controller->zoneTracker().zoneOf(desk.windowElement(shell))->fraction, QRectF(0, 0, 0.5, 1))
        << "the neighbour is in the target's old zone now, for the next swap";

    EXPECT_EQ(swap(ZoneDirection::Right), Placement::NoNeighbourWindow) << "nothing further that way";
    EXPECT_EQ(swap(ZoneDirection::Up), Placement::NoNeighbourWindow);
    desk.log().clear();
    EXPECT_EQ(swap(ZoneDirection::Left), Placement::Requested);
    EXPECT_EQ(frame(), kLeftHalf);
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf);

    // Two swaps asked before the first landed add up, as quick presses do.
    desk.setFrameLag(window, 0.05);
    desk.setFrameLag(shell, 0.05);
    controller->swapper().swapWithNeighbour(ZoneDirection::Right);
    desk.settle();
    EXPECT_EQ(swap(ZoneDirection::Left), Placement::Requested)
        << "the zones asked for count before the writes land";
    desk.runLoop().advance(kFrameRequestTimeout);
    EXPECT_EQ(frame(), kLeftHalf);
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf);
}

TEST_F(ZoneSwapperTest, ATargetInNoZoneGivesTheNeighbourItsFrame) {
    start();
    place(terminal, shell, 1);
    focusEditor();
    EXPECT_EQ(swap(ZoneDirection::Left), Placement::NoNeighbourWindow) << "the right half is not to its left";
    EXPECT_EQ(swap(ZoneDirection::Right), Placement::Requested);
    EXPECT_EQ(frame(), kRightHalf);
    EXPECT_EQ(desk.windowFrame(shell), QRectF(100, 100, 800, 600));
    EXPECT_FALSE(controller->zoneTracker().zoneOf(desk.windowElement(shell))) << "a frame names no zone";
}

TEST_F(ZoneSwapperTest, OnlyWindowsStillInTheirZoneOnTheTargetsScreenAndInViewCount) {
    desk.addScreen(QRectF(1440, 0, 1440, 900), QRectF(1440, 0, 1440, 900));
    start();
    place(editor, window, 0);
    place(terminal, shell, 1);

    // Moved off its zone by the user: no neighbour any more.
    desk.setWindowFrame(shell, QRectF(760, 60, 600, 400));
    desk.runLoop().advance(ZoneTracker::restSeconds);
    focusEditor();
    EXPECT_EQ(swap(ZoneDirection::Right), Placement::NoNeighbourWindow);

    // In the left half of the next screen: to the right, but on another screen.
    place(terminal, shell, 0);
    ASSERT_EQ(controller->cycle().moveToAdjacentScreen(1), Placement::Requested);
    desk.runLoop().advance(kFrameRequestTimeout);
    ASSERT_EQ(desk.windowFrame(shell), QRectF(1440, 0, 720, 900));
    focusEditor();
    desk.log().clear();
    EXPECT_EQ(swap(ZoneDirection::Right), Placement::NoNeighbourWindow);
    EXPECT_TRUE(desk.log().effects().isEmpty()) << "a refusal writes nothing";

    // Two in the right half: the one in front is the one the user sees, and the one swapped.
    desk.setWindowFrame(shell, QRectF(200, 200, 600, 400));
    place(terminal, shell, 1);
    const SimWindowId front = desk.addWindow(terminal, QRectF(300, 300, 400, 300));
    place(terminal, front, 1);
    focusEditor();
    EXPECT_EQ(swap(ZoneDirection::Right), Placement::Requested);
    EXPECT_EQ(desk.windowFrame(front), kLeftHalf);
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf);

    // Minimised, a window is out of view and no neighbour; shown again, it is one.
    desk.setOnScreen(front, false);
    EXPECT_EQ(swap(ZoneDirection::Left), Placement::NoNeighbourWindow);
    EXPECT_EQ(frame(), kRightHalf);
    desk.setOnScreen(front, true);
    EXPECT_EQ(swap(ZoneDirection::Left), Placement::Requested);
    EXPECT_EQ(frame(), kLeftHalf);
    EXPECT_EQ(desk.windowFrame(front), kRightHalf);
}

TEST_F(ZoneSwapperTest, AWindowLeftAloneIsNeitherTargetNorNeighbour) {
    start();
    place(editor, window, 0);
    place(terminal, shell, 1);
    focusEditor();
    excluded.add("Editor");
    desk.log().clear();
    EXPECT_EQ(swap(ZoneDirection::Right), Placement::ExcludedApplication);
    EXPECT_TRUE(desk.log().effects().isEmpty());
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf);

    // Left alone after it was placed, the terminal stays where it is.
    excluded.remove("Editor");
    excluded.add("Terminal");
    EXPECT_EQ(swap(ZoneDirection::Right), Placement::NoNeighbourWindow);
    EXPECT_TRUE(desk.log().effects().isEmpty());
    EXPECT_EQ(desk.windowFrame(shell), kRightHalf);
}

} // namespace
} // namespace corvane

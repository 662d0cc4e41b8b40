// The ordered writer: one request at a time, a newer request for a window takes the place of one not
// started yet, every caller hears the outcome once the write has completed, and a write goes to the
// window that was the target when it was asked for.
#include "ControllerFixture.h"

namespace corvane {
namespace {

// A compositor's lag: the frame lands with the client's next frame.
constexpr double kLag = 0.016;

class FrameWriteQueueTest : public ControllerTest {
protected:
    QList<std::pair<int, bool>> heard;
    WriteDone note(int request) {
        return [this, request](bool isWritten) { heard.append({request, isWritten}); };
    }
    void SetUp() override {
        ControllerTest::SetUp();
        desk.setFrameLag(window, kLag);
        start();
    }
};

TEST_F(FrameWriteQueueTest, ABurstLeavesTheWindowWhereTheLastRequestPutsItAndEveryCallerHears) {
    controller->cycle().snapToZone("Quadrant", 0, note(1)); // runs at once
    controller->cycle().snapToZone("Quadrant", 1, note(2));
    controller->cycle().snapToZone("Quadrant", 3, note(3)); // takes the place of the second
    desk.settle();
    EXPECT_TRUE(heard.isEmpty()) << "nothing has landed yet";
    desk.runLoop().advance(kLag);
    EXPECT_EQ(heard, (QList<std::pair<int, bool>>{{1, true}}));
    desk.runLoop().advance(kLag);
    EXPECT_EQ(frame(), kBottomRight);
    EXPECT_EQ(heard, (QList<std::pair<int, bool>>{{1, true}, {2, true}, {3, true}}));
    const QString activate = QStringLiteral("activate %1").arg(editor);
    EXPECT_EQ(desk.log().effects(),
              (QStringList{"write AXSize 720x437", "write AXPosition 0,25", activate, "write AXSize 720x438",
                           "write AXPosition 720,462", activate}));

    // A window that rounds its size to its steps completes once its frame has stayed put, and counts
    // as written.
    desk.setSizeConstraint(window, [](QSizeF s) { return QSizeF(s.width() - 3, s.height()); });
    heard.clear();
    controller->cycle().snapToZone("Quadrant", 0, note(4));
    desk.runLoop().advance(kLag);
    EXPECT_TRUE(heard.isEmpty());
    desk.runLoop().advance(kFrameSettleTime);
    EXPECT_EQ(heard, (QList<std::pair<int, bool>>{{4, true}}));
    EXPECT_EQ(frame(), QRectF(0, 25, 717, 437));
}

TEST_F(FrameWriteQueueTest, AWindowClosedMidWriteCompletesAsGoneForEveryCallerAndTheQueueGoesOn) {
    const SimWindowId other = desk.addWindow(editor, QRectF(200, 200, 300, 300));
    controller->cycle().snapToZone("Quadrant", 1, note(1));
    controller->cycle().snapToZone("Quadrant", 2, note(2));
    desk.setFocusedWindow(editor, other);
    controller->cycle().snapToZone("Quadrant", 3, note(3));
    desk.runLoop().advance(kLag / 2);
    desk.removeWindow(window);
    desk.log().clear();
    desk.runLoop().advance(kLag);
    EXPECT_EQ(heard, (QList<std::pair<int, bool>>{{1, false}, {2, false}, {3, true}}));
    EXPECT_EQ(desk.windowFrame(other), kBottomRight) << "the other window's request runs after";
    EXPECT_EQ(desk.log().effects(), (QStringList{"write AXSize 720x438", "write AXPosition 720,462",
                                                 QStringLiteral("activate %1").arg(editor)}))
        << "nothing is written to a window gone, nor activated for it";
}

TEST_F(FrameWriteQueueTest, APointedWriteQueuedBehindAHotkeysLandsAfterIt) {
    controller->cycle().snapToZone("Quadrant", 0, note(1));
    writePointed(QRectF(720, 438, 720, 437), note(2));
    desk.runLoop().advance(3 * kLag);
    EXPECT_EQ(frame(), kTopRight);
    EXPECT_EQ(heard, (QList<std::pair<int, bool>>{{1, true}, {2, true}}));
    EXPECT_EQ(desk.log().summaries({SimAction::Kind::WriteAttribute}).filter("AXPosition"),
              (QStringList{"write AXPosition 0,25", "write AXPosition 720,25"}));
}

TEST_F(ControllerTest, EachWriteGoesToTheWindowThatWasTheTargetWhenItWasAskedFor) {
    const qint32 browser = desk.addApplication("Browser");
    const SimWindowId browserWindow = desk.addWindow(browser, QRectF(50, 50, 300, 300));
    desk.setFocusedWindow(browser, browserWindow);
    const SimWindowId second = desk.addWindow(editor, QRectF(200, 200, 300, 300));
    desk.setFrameLag(window, kLag);
    start();

    controller->cycle().snapToZone("Quadrant", 0);
    desk.activateApplication(browser);
    controller->cycle().snapToZone("Quadrant", 1);
    desk.activateApplication(editor);
    controller->cycle().snapToZone("Quadrant", 3);
    desk.setFocusedWindow(editor, second); // after the request: the request keeps its window
    desk.log().clear();
    desk.runLoop().advance(3 * kLag);
    EXPECT_EQ(frame(), kBottomRight) << "the editor's newest request";
    EXPECT_EQ(desk.windowFrame(browserWindow), kTopRight);
    EXPECT_EQ(desk.windowFrame(second), QRectF(200, 200, 300, 300));
    EXPECT_EQ(
        desk.log().summaries({SimAction::Kind::Activate}),
        (QStringList{QStringLiteral("activate %1").arg(editor), QStringLiteral("activate %1").arg(editor)}))
        << "the browser, which the user left before its write landed, is not brought back over the editor";
    EXPECT_EQ(desk.frontmostPid(), editor);
}

} // namespace
} // namespace corvane

// The ordered writer: a newer request for a window takes the place of one not started yet, every
// caller hears the outcome once the write has landed, and a write goes to the window that was the
// target when it was asked for.
#include "ControllerFixture.h"

namespace corvane {
namespace {

TEST_F(ControllerTest, ANewerRequestReplacesOneNotStartedAndEveryCallerHearsOnceItLanded) {
    start();
    QList<std::pair<int, bool>> heard;
    const auto note = [&heard](int request) {
        return [&heard, request](bool isWritten) { heard.append({request, isWritten}); };
    };
    controller->cycle().snapToZone("Quadrant", 0, note(1));
    controller->cycle().snapToZone("Quadrant", 1, note(2));
    controller->cycle().snapToZone("Quadrant", 3, note(3));
    EXPECT_EQ(desk.backgroundQueue().pendingCount(), 1) << "one write for the window";
    desk.backgroundQueue().drain();
    EXPECT_TRUE(heard.isEmpty()) << "the answers come on the main thread";
    desk.runLoop().runPending();
    EXPECT_EQ(desk.log().effects(),
              (QStringList{"write AXSize 720x438", "pause 10000", "write AXPosition 720,462", "pause 10000",
                           "write AXPosition 720,462", QStringLiteral("activate %1").arg(editor)}));
    EXPECT_EQ(frame(), kBottomRight);
    EXPECT_EQ(heard, (QList<std::pair<int, bool>>{{1, true}, {2, true}, {3, true}}));

    // A request made while the window's write runs comes after it: it is not lost in the running one.
    bool isAsked = false;
    desk.setSizeConstraint(window, [&](QSizeF size) {
        if (!std::exchange(isAsked, true))
            controller->cycle().snapToZone("Quadrant", 2, note(5));
        return size;
    });
    heard.clear();
    controller->cycle().snapToZone("Quadrant", 0, note(4));
    desk.settle();
    EXPECT_EQ(frame(), kBottomLeft);
    EXPECT_EQ(heard, (QList<std::pair<int, bool>>{{4, true}, {5, true}}));

    // The window went away before its write: every caller hears so, and nothing is activated.
    desk.setSizeConstraint(window, {});
    heard.clear();
    controller->cycle().snapToZone("Quadrant", 1, note(6));
    controller->cycle().snapToZone("Quadrant", 2, note(7));
    desk.removeWindow(window);
    desk.log().clear();
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
    EXPECT_EQ(heard, (QList<std::pair<int, bool>>{{6, false}, {7, false}}));
}

TEST_F(ControllerTest, EachWriteGoesToTheWindowThatWasTheTargetWhenItWasAskedFor) {
    const qint32 browser = desk.addApplication("Browser");
    const SimWindowId browserWindow = desk.addWindow(browser, QRectF(50, 50, 300, 300));
    desk.setFocusedWindow(browser, browserWindow);
    const SimWindowId second = desk.addWindow(editor, QRectF(200, 200, 300, 300));
    start();

    controller->cycle().snapToZone("Quadrant", 0);
    desk.activateApplication(browser);
    controller->cycle().snapToZone("Quadrant", 1);
    desk.activateApplication(editor);
    controller->cycle().snapToZone("Quadrant", 3);
    desk.setFocusedWindow(editor, second); // after the request: the request keeps its window
    desk.log().clear();
    desk.settle();
    EXPECT_EQ(frame(), kBottomRight) << "the editor's newest request";
    EXPECT_EQ(desk.windowFrame(browserWindow), kTopRight);
    EXPECT_EQ(desk.windowFrame(second), QRectF(200, 200, 300, 300));
    EXPECT_EQ(
        desk.log().summaries({SimAction::Kind::Activate}),
        (QStringList{QStringLiteral("activate %1").arg(editor), QStringLiteral("activate %1").arg(browser)}))
        << "in the order the windows were first asked for";
}

} // namespace
} // namespace corvane

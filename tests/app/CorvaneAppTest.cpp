// The whole program on the simulated desktop: it moves between its panel window and the tray icon
// as a tray appears and goes, and a second launch's request brings forward the panel window
// (closed before) or, with a tray, the settings window. Where the desktop's agent draws the preview,
// a drag shows it there and builds no window of Corvane's own; where it draws the palette, the chord
// opens it there, and a drag into a screen's top band shows the row there.
#include "app/CorvaneApp.h"

#include "dragsnap/SnapPreviewView.h"
#include "platform/sim/SimCanvas.h"
#include "platform/sim/SimDesktop.h"
#include "support/EditorDesktop.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CorvaneAppTest, FollowsTheTrayAndComesForwardAsAsked) {
    SimDesktop desk;
    desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
    Platform platform = desk.platform();
    CorvaneApp app(platform);
    QWidget* settings = app.settingsWindow().window();

    EXPECT_TRUE(app.panel().isVisible()) << "without a tray the panel is a window, shown at start";
    EXPECT_FALSE(app.panel().windowFlags().testFlag(Qt::Popup));
    EXPECT_FALSE(app.tray().isVisible());
    app.panel().close();
    EXPECT_FALSE(app.panel().isVisible());
    app.bringForward();
    EXPECT_TRUE(app.panel().isVisible()) << "a second launch brings the closed panel back";
    EXPECT_FALSE(settings->isVisible());

    desk.application().setSystemTrayAvailable(true);
    EXPECT_TRUE(app.tray().isVisible()) << "a tray that comes later gets the icon";
    EXPECT_FALSE(app.panel().isVisible());
    EXPECT_TRUE(app.panel().windowFlags().testFlag(Qt::Popup)) << "the panel opens from the icon now";
    app.bringForward();
    desk.settle();
    EXPECT_TRUE(settings->isVisible()) << "with a tray, a second launch opens the settings window";
    EXPECT_FALSE(app.panel().isVisible());

    desk.application().setSystemTrayAvailable(false);
    EXPECT_FALSE(app.tray().isVisible());
    EXPECT_TRUE(app.panel().isVisible()) << "the tray gone, the panel window is the way in again";
    EXPECT_FALSE(app.panel().windowFlags().testFlag(Qt::Popup));
}

TEST(CorvaneAppTest, TheDesktopsAgentDrawsThePreviewWhereItHasOne) {
    struct AgentPreview final : SnapPreview {
        std::optional<QRectF> current;
        void show(const QRectF& frame, const std::optional<QRectF>&) override { current = frame; }
        void hide() override { current.reset(); }
    } agent;
    EditorDesktop scene;
    scene.platform.agentPreview = &agent;
    scene.platform.defaults.setBool("dragSnapEnabled", true);
    CorvaneApp app(scene.platform);
    SimDesktop& desk = scene.desk;
    const auto mouse = [&](EventType type, QPointF ax) {
        desk.events().setMouseLocation(QPointF(ax.x(), 900 - ax.y()));
        desk.events().sendGlobal(SimEvents::mouse(type, desk.runLoop().now()));
    };

    mouse(EventType::LeftMouseDown, {300, 110});
    desk.runLoop().advance(0.05);
    desk.setWindowFrame(scene.window, desk.windowFrame(scene.window).translated(40, 0));
    mouse(EventType::LeftMouseDragged, {100, 200});
    EXPECT_EQ(agent.current, QRectF(0, 438, 720, 437)) << "the top-left zone, in screen coordinates";
    for (const QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<const SnapPreviewView*>(widget), nullptr) << "no window of our own";
    mouse(EventType::LeftMouseUp, {100, 200});
    EXPECT_FALSE(agent.current);
}

TEST(CorvaneAppTest, TheDesktopsAgentDrawsThePaletteWhereItHasACanvas) {
    SimCanvas canvas;
    EditorDesktop scene;
    scene.platform.agentCanvas = &canvas;
    scene.platform.capabilities.setFlag(Capability::MaximizeButtonPalette, false); // as on GNOME
    scene.platform.defaults.setBool("dragSnapEnabled", true);
    SimDesktop& desk = scene.desk;
    desk.setFocusedWindow(scene.editor, scene.window);
    desk.setFrontmostApplication(scene.editor);
    CorvaneApp app(scene.platform);
    desk.settle();

    desk.events().sendGlobal(SimEvents::keyDown("0", 29, modifier::kControl | modifier::kOption));
    desk.settle();
    ASSERT_TRUE(canvas.scene()) << "Control+Alt+0 opens the palette on the agent's canvas";
    EXPECT_TRUE(canvas.scene()->isInteractive);
    EXPECT_DOUBLE_EQ(canvas.scene()->frame.center().x(), 500);
    for (const QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_NE(widget->objectName(), "corvane-palette") << "no window of our own";
    desk.events().sendGlobal(SimEvents::keyDown("0", 29, modifier::kControl | modifier::kOption));
    desk.settle();
    EXPECT_FALSE(canvas.scene());

    // A drag into the top band: the row, on by default here.
    const auto mouse = [&](EventType type, QPointF ax) {
        desk.events().setMouseLocation(QPointF(ax.x(), 900 - ax.y()));
        desk.events().sendGlobal(SimEvents::mouse(type, desk.runLoop().now()));
    };
    mouse(EventType::LeftMouseDown, {300, 110});
    desk.runLoop().advance(0.05);
    desk.setWindowFrame(scene.window, desk.windowFrame(scene.window).translated(40, 0));
    mouse(EventType::LeftMouseDragged, {700, 30});
    ASSERT_TRUE(canvas.scene());
    EXPECT_FALSE(canvas.scene()->isInteractive);
    mouse(EventType::LeftMouseUp, {700, 30});
    EXPECT_FALSE(canvas.scene());
}

} // namespace
} // namespace corvane

// The whole program on the simulated desktop: it moves between its panel window and the tray icon
// as a tray appears and goes, and a second launch's request brings forward the panel window
// (closed before) or, with a tray, the settings window.
#include "app/CorvaneApp.h"

#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CorvaneAppTest, FollowsTheTrayAndComesForwardAsAsked) {
    SimDesktop desk;
    desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
    Platform platform = desk.platform();
    CorvaneApp app(platform);
    QWidget& panel = app.panel();
    QWidget* settings = app.settingsWindow().window();

    EXPECT_TRUE(panel.isVisible()) << "without a tray the panel is a window, shown at start";
    EXPECT_FALSE(panel.windowFlags().testFlag(Qt::Popup));
    EXPECT_FALSE(app.tray().isVisible());
    panel.close();
    EXPECT_FALSE(panel.isVisible());
    app.bringForward();
    EXPECT_TRUE(panel.isVisible()) << "a second launch brings the closed panel back";
    EXPECT_FALSE(settings->isVisible());

    desk.application().setSystemTrayAvailable(true);
    EXPECT_TRUE(app.tray().isVisible()) << "a tray that comes later gets the icon";
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(panel.windowFlags().testFlag(Qt::Popup)) << "the panel opens from the icon now";
    app.bringForward();
    desk.settle();
    EXPECT_TRUE(settings->isVisible()) << "with a tray, a second launch opens the settings window";
    EXPECT_FALSE(panel.isVisible());

    desk.application().setSystemTrayAvailable(false);
    EXPECT_FALSE(app.tray().isVisible());
    EXPECT_TRUE(panel.isVisible()) << "the tray gone, the panel window is the way in again";
    EXPECT_FALSE(panel.windowFlags().testFlag(Qt::Popup));
}

} // namespace
} // namespace corvane

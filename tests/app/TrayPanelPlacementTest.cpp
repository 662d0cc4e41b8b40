// The tray panel beside its icon: below a top panel, above a bottom one, inside the icon's screen,
// at any scale and with the primary screen anywhere in the root window.
#include "app/TrayPanelPlacement.h"

#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(TrayPanelPlacementTest, BelowATopPanelAboveABottomOneAndInsideTheScreen) {
    SimDesktop desk;
    const Platform platform = desk.platform();
    EXPECT_FALSE(panelOriginAtTray(platform.screens, QRect(0, 0, 22, 22), QSize(280, 500))) << "no screen";

    // A tray along the top that reserves no strip; its icon near the right end.
    desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 900));
    EXPECT_EQ(panelOriginAtTray(platform.screens, QRect(1400, 4, 22, 22), QSize(280, 500)), QPoint(1160, 26))
        << "just under the icon, its right edge on the screen's";
    EXPECT_EQ(panelOriginAtTray(platform.screens, QRect(500, 4, 22, 22), QSize(280, 500)), QPoint(371, 26))
        << "centred under the icon";
    EXPECT_EQ(panelOriginAtTray(platform.screens, QRect(500, 4, 22, 22), QSize(280, 1000)), QPoint(371, 0))
        << "taller than the screen: its top edge wins";

    // The panel along the bottom of a primary at root (1280, 0), Qt at twice the scale.
    desk.setScreens({});
    desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 30, 1440, 870));
    desk.addScreen(QRectF(-1280, 100, 1280, 800), QRectF(-1280, 100, 1280, 800));
    desk.screens().setPrimaryRootOrigin(QPoint(1280, 0));
    desk.screens().setWindowScale(2);
    // The icon at root (2680, 874): 1400 pixels into the primary, 700 logical.
    EXPECT_EQ(panelOriginAtTray(platform.screens, QRect(1280 + 700, 437, 11, 11), QSize(280, 400)),
              QPoint(1280 + 440, 35))
        << "above the bottom panel (root row 70 up to 869), its right edge on the screen's";
}

TEST(TrayPanelPlacementTest, AnIconOfUnknownPlaceIsTakenAtTheFarEndOfTheFirstScreensPanel) {
    SimDesktop desk;
    const Platform platform = desk.platform();
    const QSize panel(280, 500);
    // Screen coordinates are y up: a visible frame starting at 40 leaves a strip at the bottom.
    desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 40, 1440, 860));
    desk.addScreen(QRectF(1440, 0, 1280, 800), QRectF(1440, 0, 1280, 800));
    EXPECT_EQ(panelOriginAtTray(platform.screens, QRect(), panel), QPoint(1160, 360))
        << "above the bottom panel's right end";
    desk.setScreens({});
    desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 870));
    EXPECT_EQ(panelOriginAtTray(platform.screens, QRect(), panel), QPoint(1160, 30))
        << "under the top panel's right end";
    desk.setScreens({});
    desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(48, 0, 1392, 900));
    EXPECT_EQ(panelOriginAtTray(platform.screens, QRect(), panel), QPoint(48, 352))
        << "beside the left panel, just above its bottom end";
    desk.setScreens({});
    desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 900));
    EXPECT_EQ(panelOriginAtTray(platform.screens, QRect(), panel), QPoint(1160, 399))
        << "no panel: over a point at the bottom-right corner";
}

} // namespace
} // namespace corvane

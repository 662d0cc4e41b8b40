// Which screen a point or a rectangle is on: every pixel on exactly one screen, top and left rows
// included, whatever the arrangement.
#include "control/ScreenLookup.h"

#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class ScreenLookupTest : public ::testing::Test {
protected:
    SimDesktop desk;
    Platform platform = desk.platform();

    // The name of the screen a point in screen coordinates is on, "" for none.
    QString at(double x, double y) {
        const std::optional<Screen> s = screenAt(platform.screens, QPointF(x, y));
        return s ? s->name : QString();
    }
    Screen add(const QString& name, const QRectF& frame) {
        Screen s = desk.addScreen(frame, frame);
        s.name = name;
        QList<Screen> all = platform.screens.screens();
        all.last().name = name;
        desk.setScreens(all);
        return s;
    }
    // A pointer on a root pixel, as the X11 events report it: the flip of its top-left corner.
    QString atRootPixel(int x, int y, QPoint primaryOrigin, double primaryHeight) {
        return at(x - primaryOrigin.x(), primaryOrigin.y() + primaryHeight - y);
    }
};

TEST_F(ScreenLookupTest, StackedMonitorsShareNoRowAndTheTopRowsBelongToTheirOwnMonitor) {
    add("upper", QRectF(0, 0, 1440, 900));
    add("lower", QRectF(0, -900, 1440, 900)); // root rows 900...1799
    EXPECT_EQ(atRootPixel(100, 0, {}, 900), "upper") << "the very top row";
    EXPECT_EQ(atRootPixel(100, 899, {}, 900), "upper");
    EXPECT_EQ(atRootPixel(100, 900, {}, 900), "lower") << "the lower monitor's top row";
    EXPECT_EQ(atRootPixel(100, 1799, {}, 900), "lower");
    EXPECT_EQ(atRootPixel(100, 1800, {}, 900), "");
    EXPECT_EQ(atRootPixel(0, 450, {}, 900), "upper") << "the left column";
    EXPECT_EQ(atRootPixel(1440, 450, {}, 900), "");
    // A window whose centre lies on the lower monitor's top row is on the lower monitor.
    EXPECT_EQ(screenContaining(platform.screens, QRectF(100, -100, 400, 200))->name, "lower");
    EXPECT_EQ(screenContaining(platform.screens, QRectF(100, -99, 400, 200))->name, "upper");
}

TEST_F(ScreenLookupTest, APrimaryOffTheOriginAndThreeMonitorsOfDifferentSizesTileEveryPixelOnce) {
    // The primary 1920 x 1080 at root (1440, 0), a 1440 x 900 monitor at the root's origin, and a
    // 1280 x 1024 one below the primary's right part, at root (2080, 1080).
    add("primary", QRectF(0, 0, 1920, 1080));
    add("left", QRectF(-1440, 180, 1440, 900));
    add("below", QRectF(640, -1024, 1280, 1024));
    const QPoint origin(1440, 0);
    const QList<QPair<QPoint, QString>> pixels{
        {{0, 0}, "left"},          {{1439, 0}, "left"},       {{1440, 0}, "primary"},
        {{1439, 899}, "left"},     {{1439, 900}, ""},         {{3359, 1079}, "primary"},
        {{3360, 0}, ""},           {{2080, 1080}, "below"},   {{2079, 1080}, ""},
        {{3359, 1080}, "below"},   {{3359, 2103}, "below"},   {{3359, 2104}, ""},
        {{2080, 1079}, "primary"}, {{1440, 1079}, "primary"},
    };
    for (const auto& [pixel, name] : pixels)
        EXPECT_EQ(atRootPixel(pixel.x(), pixel.y(), origin, 1080), name) << pixel.x() << "," << pixel.y();
    // Off every screen a rectangle falls back to the main screen.
    desk.setMainScreen(desk.addScreen(QRectF(5000, 0, 10, 10), QRectF(5000, 0, 10, 10)).id);
    EXPECT_EQ(screenContaining(platform.screens, QRectF(-1000, -1000, 10, 10))->frame,
              QRectF(5000, 0, 10, 10));
}

TEST_F(ScreenLookupTest, AWindowOfOurOwnCoversMorePixelsOnAScaledScreen) {
    add("primary", QRectF(0, 0, 1440, 900));
    EXPECT_EQ(screenSizeOfWindow(platform.screens, QSize(280, 500), QPointF(700, 450)), QSizeF(280, 500));
    desk.screens().setWindowScale(2);
    EXPECT_EQ(screenSizeOfWindow(platform.screens, QSize(280, 500), QPointF(700, 450)), QSizeF(560, 1000));
    desk.screens().setWindowScale(1.5);
    EXPECT_EQ(screenSizeOfWindow(platform.screens, QSize(280, 500), QPointF(1439, 900)), QSizeF(420, 750))
        << "by the scale of the screen under the point, even at its corner";
}

} // namespace
} // namespace corvane

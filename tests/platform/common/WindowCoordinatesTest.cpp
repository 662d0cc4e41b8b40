// Our windows' geometry against screen coordinates: Qt's per-screen scale about each screen's
// top-left, the flip about a primary monitor anywhere in the root window, and both on the
// simulated desktop at the scale and primary origin a test sets.
#include "platform/common/WindowCoordinates.h"

#include "platform/sim/SimDesktop.h"

#include <cmath>
#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(WindowCoordinatesTest, QtScalesEachScreenAboutItsOwnTopLeft) {
    // A plain monitor on the left and a 4K one at ratio 2 on its right (QT_SCREEN_SCALE_FACTORS).
    const QList<ScreenScale> scales{{QRect(0, 0, 1440, 900), 1}, {QRect(1440, 0, 3840, 2160), 2}};
    EXPECT_EQ(logicalFromRoot(QRectF(100, 50, 400, 300), scales), QRectF(100, 50, 400, 300));
    // The right monitor keeps its top-left at 1440 and halves what lies beyond it.
    EXPECT_EQ(logicalFromRoot(QRectF(3360, 1080, 1920, 1080), scales), QRectF(2400, 540, 960, 540));
    EXPECT_EQ(rootFromLogical(QRectF(2400, 540, 960, 540), scales), QRectF(3360, 1080, 1920, 1080));
    EXPECT_EQ(rootFromLogical(QRectF(100, 50, 400, 300), scales), QRectF(100, 50, 400, 300));
    // The logical right screen is 1920 wide: a logical rectangle at x 3000 is on it, not beyond it.
    EXPECT_EQ(rootFromLogical(QRectF(3000, 0, 100, 100), scales), QRectF(4560, 0, 200, 200));
    // A rectangle across both goes by the screen of its centre.
    EXPECT_EQ(logicalFromRoot(QRectF(1400, 0, 200, 100), scales), QRectF(1420, 0, 100, 50));
    EXPECT_EQ(logicalFromRoot(QRectF(1300, 0, 200, 100), scales), QRectF(1300, 0, 200, 100));
    // Off every screen, the first screen's scale; without screens, none.
    EXPECT_EQ(logicalFromRoot(QRectF(0, 5000, 10, 10), {{QRect(0, 0, 1440, 900), 2}}), QRectF(0, 2500, 5, 5));
    EXPECT_EQ(logicalFromRoot(QRectF(7, 8, 9, 10), {}), QRectF(7, 8, 9, 10));
}

TEST(WindowCoordinatesTest, ARectangleCentredOnASeamGoesByTheScreenBeyondIt) {
    // Half-open screens: the seam belongs to the right (or lower) screen alone, so a rectangle
    // centred on it is scaled once, by that screen, never by the one it leaves.
    const QList<ScreenScale> sideBySide{{QRect(0, 0, 1440, 900), 1}, {QRect(1440, 0, 3840, 2160), 2}};
    EXPECT_EQ(logicalFromRoot(QRectF(1340, 0, 200, 100), sideBySide), QRectF(1390, 0, 100, 50));
    EXPECT_EQ(rootFromLogical(QRectF(1390, 0, 100, 50), sideBySide), QRectF(1340, 0, 200, 100));
    const QList<ScreenScale> stacked{{QRect(0, 0, 1440, 900), 1}, {QRect(0, 900, 2880, 1800), 2}};
    EXPECT_EQ(logicalFromRoot(QRectF(0, 850, 200, 100), stacked), QRectF(0, 875, 100, 50));
    EXPECT_EQ(rootFromLogical(QRectF(0, 875, 100, 50), stacked), QRectF(0, 850, 200, 100));
}

TEST(WindowCoordinatesTest, NeighboursWithFractionalEdgesMeetWithoutAGapOrAnOverlap) {
    // Left 100.375 and width 200.375: the right edge 300.75 rounds up while the width rounds down,
    // so only rounding each edge on its own lands the window on its neighbour's left edge.
    const QRect primary(0, 0, 1440, 900);
    const QRect left = windowGeometryOf(QRectF(100.375, 0, 200.375, 900), primary, {});
    const QRect right = windowGeometryOf(QRectF(300.75, 0, 400, 900), primary, {});
    EXPECT_EQ(left, QRect(100, 0, 201, 900));
    EXPECT_EQ(left.x() + left.width(), right.x());
    // The same down the root (screen y is up): the upper zone spans root rows 100.375 to 300.75.
    const QRect upper = windowGeometryOf(QRectF(0, 599.25, 1440, 200.375), primary, {});
    const QRect lower = windowGeometryOf(QRectF(0, 199.25, 1440, 400), primary, {});
    EXPECT_EQ(upper, QRect(0, 100, 1440, 201));
    EXPECT_EQ(upper.y() + upper.height(), lower.y());
}

TEST(WindowCoordinatesTest, TheFlipIsExactAboutAPrimaryAnywhereInTheRoot) {
    // The primary to the right of the other monitor, and below it: y up from its bottom-left.
    const QRect primary(1440, 300, 1920, 1080);
    EXPECT_EQ(rootFromScreen(QRectF(0, 540, 960, 540), primary), QRectF(1440, 300, 960, 540));
    EXPECT_EQ(screenFromRoot(QRectF(1440, 300, 960, 540), primary), QRectF(0, 540, 960, 540));
    // The monitor at the root's origin lies left of the primary and above its bottom edge.
    EXPECT_EQ(screenFromRoot(QRectF(0, 0, 1440, 900), primary), QRectF(-1440, 480, 1440, 900));
    EXPECT_EQ(rootFromScreen(QRectF(-1440, 480, 1440, 900), primary), QRectF(0, 0, 1440, 900));
    // A point, as the pointer is: the top row of the primary.
    EXPECT_EQ(screenFromRoot(QRectF(1500, 300, 0, 0), primary).topLeft(), QPointF(60, 1080));
}

class SimWindowCoordinatesTest : public ::testing::Test {
protected:
    SimDesktop desk;
    Platform platform = desk.platform();
    const Screens& screens = platform.screens;

    // Window geometry and back, the frame reached again.
    void expectRoundTrip(const QRectF& frame, const QRect& geometry, const char* what = "") {
        EXPECT_EQ(screens.windowGeometry(frame), geometry) << what;
        EXPECT_EQ(screens.screenFrame(geometry), frame) << what;
    }
};

TEST_F(SimWindowCoordinatesTest, APrimaryRightOfTheOriginAtScalesOneAndTwo) {
    // The primary 1920 x 1080 at root (1440, 0), a 1440 x 900 monitor at the root's origin.
    desk.addScreen(QRectF(0, 0, 1920, 1080), QRectF(0, 0, 1920, 1080));
    desk.addScreen(QRectF(-1440, 180, 1440, 900), QRectF(-1440, 180, 1440, 900));
    desk.screens().setPrimaryRootOrigin(QPoint(1440, 0));
    expectRoundTrip(QRectF(0, 540, 960, 540), QRect(1440, 0, 960, 540));
    expectRoundTrip(QRectF(-1440, 180, 1440, 900), QRect(0, 0, 1440, 900));
    desk.screens().setWindowScale(2);
    expectRoundTrip(QRectF(0, 540, 960, 540), QRect(1440, 0, 480, 270));
    expectRoundTrip(QRectF(960, 0, 960, 540), QRect(1920, 270, 480, 270), "bottom-right quarter");
    expectRoundTrip(QRectF(-1440, 180, 1440, 900), QRect(0, 0, 720, 450));
}

TEST_F(SimWindowCoordinatesTest, StackedMonitorsAndThreeOfDifferentSizesAtScalesTwoAndOneAndAHalf) {
    // Stacked: the primary on top, a second below it (root y 900 on).
    desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 900));
    desk.addScreen(QRectF(0, -900, 1440, 900), QRectF(0, -900, 1440, 900));
    desk.screens().setWindowScale(2);
    expectRoundTrip(QRectF(0, -900, 720, 450), QRect(0, 1125, 360, 225), "lower bottom-left quarter");
    expectRoundTrip(QRectF(0, -900, 1440, 900), QRect(0, 900, 720, 450), "the lower monitor whole");
    expectRoundTrip(QRectF(0, 450, 720, 450), QRect(0, 0, 360, 225));

    // Three: 1920 x 1080 primary, 2560 x 1440 on its right, 1280 x 1024 beyond, 200 rows down.
    desk.setScreens({});
    desk.addScreen(QRectF(0, 0, 1920, 1080), QRectF(0, 0, 1920, 1080));
    desk.addScreen(QRectF(1920, -360, 2560, 1440), QRectF(1920, -360, 2560, 1440));
    desk.addScreen(QRectF(4480, -144, 1280, 1024), QRectF(4480, -144, 1280, 1024));
    desk.screens().setWindowScale(1.5);
    expectRoundTrip(QRectF(0, 0, 960, 540), QRect(0, 360, 640, 360));
    expectRoundTrip(QRectF(3120, -360, 1200, 720), QRect(2720, 480, 800, 480), "on the second");
    expectRoundTrip(QRectF(4480, 370, 600, 510), QRect(4480, 200, 400, 340), "at the third's top-left");
    // Where 1.5 leaves a fraction, the window comes within a pixel of the frame.
    const QRectF frame(1000, 101, 301, 299);
    const QRectF back = screens.screenFrame(screens.windowGeometry(frame));
    for (const double edge : {back.left() - frame.left(), back.right() - frame.right(),
                              back.top() - frame.top(), back.bottom() - frame.bottom()})
        EXPECT_LE(std::abs(edge), 1) << back.x() << "," << back.y() << " " << back.width() << "x"
                                     << back.height();
}

} // namespace
} // namespace corvane

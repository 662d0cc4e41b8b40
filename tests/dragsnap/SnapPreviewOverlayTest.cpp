// The preview window's life and its pixels, with real Qt windows on the offscreen platform.
#include "dragsnap/SnapPreviewOverlay.h"

#include "platform/sim/SimDesktop.h"

#include <QImage>
#include <gtest/gtest.h>

namespace corvane {
namespace {

class SnapPreviewOverlayTest : public ::testing::Test {
protected:
    SimDesktop desk;
    Platform platform = desk.platform();
    Screen screen = desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
    SnapPreviewOverlay overlay{platform};
};

TEST_F(SnapPreviewOverlayTest, ShowBuildsOnceMovesAtOnceAndSurvivesAQuickHide) {
    EXPECT_EQ(overlay.window(), nullptr);
    overlay.show(QRectF(0, 438, 720, 437), std::nullopt);
    SnapPreviewView* window = overlay.window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->geometry(), QRect(0, 25, 720, 437)) << "screen coordinates to window coordinates";
    EXPECT_TRUE(window->isVisible());
    overlay.show(QRectF(720, 438, 720, 437), std::nullopt);
    EXPECT_EQ(overlay.window(), window) << "the same window is reused";
    EXPECT_EQ(window->geometry(), QRect(720, 25, 720, 437));

    overlay.hide();
    desk.runLoop().advance(0.05);
    overlay.show(QRectF(720, 438, 720, 437), std::nullopt);
    desk.runLoop().advance(0.1);
    EXPECT_TRUE(window->isVisible()) << "a show during the fade-out keeps the window";
    overlay.hide();
    desk.runLoop().advance(0.1);
    EXPECT_FALSE(window->isVisible());
    overlay.hide();
    EXPECT_FALSE(overlay.isVisible());
}

TEST_F(SnapPreviewOverlayTest, ASwapShowsASecondWindowThatFadesAndGoesWithTheFirst) {
    overlay.show(QRectF(0, 438, 720, 437), QRectF(720, 438, 720, 437));
    SnapPreviewView* swap = overlay.displacedWindow();
    ASSERT_NE(swap, nullptr);
    EXPECT_EQ(swap->windowTitle(), "Corvane Swap Preview");
    EXPECT_EQ(overlay.window()->windowTitle(), "Corvane Snap Preview");
    EXPECT_EQ(swap->geometry(), QRect(720, 25, 720, 437));
    EXPECT_TRUE(swap->isVisible());
    desk.runLoop().advance(0.13);
    EXPECT_EQ(swap->opacity(), 1) << "faded in with the first";

    overlay.show(QRectF(0, 438, 720, 437), std::nullopt);
    EXPECT_EQ(overlay.displacedWindow(), nullptr) << "a zone no window fills: no swap to show";
    EXPECT_FALSE(swap->isVisible());
    overlay.show(QRectF(720, 0, 720, 438), QRectF(0, 0, 720, 438));
    EXPECT_EQ(overlay.displacedWindow(), swap) << "the same window is reused";
    EXPECT_EQ(swap->opacity(), 1) << "shown at the first one's opacity, not faded in again";
    EXPECT_EQ(swap->geometry(), QRect(0, 462, 720, 438));

    overlay.hide();
    desk.runLoop().advance(0.05);
    EXPECT_TRUE(swap->isVisible());
    EXPECT_LT(swap->opacity(), 1) << "fading out with the first";
    desk.runLoop().advance(0.06);
    EXPECT_FALSE(swap->isVisible());
    EXPECT_FALSE(overlay.window()->isVisible());
}

TEST_F(SnapPreviewOverlayTest, OverlappingFadesRunOneAtATimeAndOnlyTheLastHideEndsTheWindow) {
    const QRectF frame(0, 438, 720, 437);
    overlay.show(frame, std::nullopt);
    SnapPreviewView* window = overlay.window();
    const auto opacity = [window] { return window->opacity(); };
    EXPECT_EQ(opacity(), 0) << "fades in from nothing";
    desk.runLoop().advance(0.06);
    EXPECT_NEAR(opacity(), 0.5, 0.1);
    desk.runLoop().advance(0.07);
    EXPECT_EQ(opacity(), 1);

    overlay.hide(); // at t = 0, to end at 0.1
    desk.runLoop().advance(0.05);
    EXPECT_NEAR(opacity(), 0.5, 0.1);
    const double halfway = opacity();
    overlay.show(frame, std::nullopt); // at 0.05: back up from where the fade-out left it
    desk.runLoop().advance(0.03);
    EXPECT_GT(opacity(), halfway);
    const double reached = opacity();
    overlay.hide(); // at 0.08, to end at 0.18
    desk.runLoop().advance(0.04);
    EXPECT_TRUE(window->isVisible()) << "past the first hide's end, the window waits for the last hide's";
    EXPECT_LT(opacity(), reached) << "only the fade-out runs";
    EXPECT_GT(opacity(), 0);
    desk.runLoop().advance(0.07);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(opacity(), 0);
    desk.runLoop().advance(1);
    EXPECT_EQ(opacity(), 0) << "no fade-in left over";
    EXPECT_EQ(desk.runLoop().activeTimerCount(), 0);

    overlay.show(frame, std::nullopt);
    EXPECT_EQ(opacity(), 0) << "the next show fades in again";
    desk.runLoop().advance(0.13);
    EXPECT_EQ(opacity(), 1);
}

TEST_F(SnapPreviewOverlayTest, TheWindowCoversTheFrameAtAnyScaleWhereverThePrimaryLies) {
    desk.addScreen(QRectF(-1440, 0, 1440, 900), QRectF(-1440, 0, 1440, 900)); // left of the primary
    desk.screens().setPrimaryRootOrigin(QPoint(1440, 0));
    overlay.show(QRectF(0, 438, 720, 437), std::nullopt);
    EXPECT_EQ(overlay.window()->geometry(), QRect(1440, 25, 720, 437));
    desk.screens().setWindowScale(2);
    overlay.show(QRectF(720, 0, 720, 438), std::nullopt);
    EXPECT_EQ(overlay.window()->geometry(), QRect(1440 + 360, 231, 360, 219))
        << "halved about the primary's corner";
    overlay.show(QRectF(-1440, 450, 720, 450), std::nullopt);
    EXPECT_EQ(overlay.window()->geometry(), QRect(0, 0, 360, 225));
}

TEST_F(SnapPreviewOverlayTest, AWakeOrAScreenChangeDiscardsOnlyAHiddenWindow) {
    overlay.show(QRectF(0, 0, 100, 100), std::nullopt);
    emit desk.workspace().didWake();
    EXPECT_NE(overlay.window(), nullptr) << "a visible preview is left alone";
    overlay.hide();
    desk.changeScreens({screen});
    EXPECT_EQ(overlay.window(), nullptr);
    overlay.show(QRectF(0, 0, 100, 100), std::nullopt);
    EXPECT_NE(overlay.window(), nullptr);
}

QImage rendered(SnapPreviewView& view) {
    view.resize(200, 120);
    view.show();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TEST(SnapPreviewViewTest, TheHighlightSitsFourPointsInsideWithAnOutlineOnItsEdge) {
    for (const bool isCompositing : {true, false}) {
        SnapPreviewView view(isCompositing, false);
        const QImage image = rendered(view);
        const auto alpha = [&](int x, int y) { return qAlpha(image.pixel(x, y)); };
        if (isCompositing) {
            EXPECT_EQ(alpha(2, 60), 0) << "outside the 4-point inset";
            EXPECT_GT(alpha(5, 60), 150) << "the outline at 0.85";
            EXPECT_NEAR(alpha(100, 60), 56, 3) << "the fill at 0.22";
        } else {
            // Without compositing the window's shape is the outline alone.
            EXPECT_TRUE(view.mask().contains(QPoint(5, 60)));
            EXPECT_FALSE(view.mask().contains(QPoint(2, 60)));
            EXPECT_FALSE(view.mask().contains(QPoint(100, 60)));
        }
    }
}

TEST(SnapPreviewViewTest, AViewThatPaintsItsOpacityFadesItsPixelsAndNotItsWindow) {
    SnapPreviewView view(true, true);
    EXPECT_EQ(qAlpha(rendered(view).pixel(100, 60)), 0) << "starts transparent";
    view.setOpacity(0.5);
    EXPECT_NEAR(qAlpha(rendered(view).pixel(100, 60)), 28, 3) << "half the fill's 0.22";
    EXPECT_EQ(view.windowOpacity(), 1);
    SnapPreviewView windowFaded(true, false);
    windowFaded.setOpacity(0.5);
    EXPECT_NEAR(windowFaded.windowOpacity(), 0.5, 0.01) << "kept in 8 bits";
    EXPECT_NEAR(qAlpha(rendered(windowFaded).pixel(100, 60)), 56, 3) << "drawn in full, faded as a window";
}

} // namespace
} // namespace corvane

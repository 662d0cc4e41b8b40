// The palette window on the offscreen platform: placement below, above and clamped on the button's
// screen, one panel at a time, a window that never takes the focus, and clicks that pick.
#include "palette/QuickSnapPanel.h"

#include "control/ZoneSpacingSettings.h"
#include "model/BuiltInLayouts.h"
#include "palette/QuickSnapView.h"
#include "platform/sim/SimDesktop.h"
#include "ui/SnapLayoutView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace corvane {
namespace {

class QuickSnapPanelTest : public ::testing::Test {
protected:
    SimDesktop desk;
    Platform platform = desk.platform();
    // 1440 x 900 with a 25-point menu bar; a second screen to the right with a 40-point dock.
    Screen left = desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
    Screen right = desk.addScreen(QRectF(1440, 0, 1280, 800), QRectF(1440, 40, 1280, 760));
    const QSizeF size{374, 164};
    ZoneSpacingSettings zoneSpacing{platform.defaults};

    std::optional<QRectF> frameFor(QRectF axButton) {
        return QuickSnapPanel::frameNear(axButton, size, platform.screens);
    }
};

TEST_F(QuickSnapPanelTest, ThePanelSitsBelowTheButtonOrAboveItAndStaysInsideTheButtonsScreen) {
    // Below: left edge 8 before the button, top edge 6 under it (screen coordinates, y up).
    EXPECT_EQ(frameFor({148, 104, 14, 16}), QRectF(140, 900 - 120 - 6 - 164, 374, 164));
    // Near the bottom: above the button, 6 clear of its top edge.
    EXPECT_EQ(frameFor({148, 800, 14, 16}), QRectF(140, 900 - 800 + 6, 374, 164));
    // Near the right edge: shifted left to end 8 inside.
    EXPECT_EQ(frameFor({1420, 104, 14, 16})->right(), 1440 - 8);
    // Near the left edge: 8 inside.
    EXPECT_EQ(frameFor({2, 104, 14, 16})->left(), 8);
    // On the second screen, clamped to its visible frame above the dock.
    const QRectF second = *frameFor({2600, 700, 14, 16});
    EXPECT_EQ(second.right(), 1440 + 1280 - 8);
    EXPECT_EQ(second.top(), 900 - 700 + 6) << "above the button: below it would reach into the dock";
    EXPECT_GE(second.top(), 48);
    // A panel taller than the screen keeps its top 8 below the visible top.
    const QRectF tall = *QuickSnapPanel::frameNear({148, 104, 14, 16}, {374, 2000}, platform.screens);
    EXPECT_EQ(tall.bottom(), 875 - 8);
    desk.setScreens({});
    EXPECT_FALSE(frameFor({148, 104, 14, 16}));
}

TEST_F(QuickSnapPanelTest, ShowsOneNonActivatingPanelWhoseClicksPickTheZonesFractions) {
    QuickSnapPanel palette(platform, zoneSpacing);
    QList<QRectF> picked;
    const auto record = [&](const QRectF& r) { picked.append(r); };
    palette.show({148, 104, 14, 16}, record);
    palette.show({148, 104, 14, 16}, record);
    QApplication::processEvents(); // the replaced panel is deleted on this turn
    const auto shown = [] {
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            count += w->objectName() == QLatin1String("corvane-palette") && w->isVisible();
        return count;
    };
    EXPECT_EQ(shown(), 1);
    QWidget* panel = palette.panel();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(panel->testAttribute(Qt::WA_ShowWithoutActivating));
    const std::optional<QRectF> frame = palette.shownFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(*frame, *QuickSnapPanel::frameNear({148, 104, 14, 16}, panel->size(), platform.screens));
    EXPECT_EQ(panel->geometry().top(), 104 + 16 + 6) << "window geometry is y down from the top";

    const auto* view = panel->findChild<QuickSnapView*>();
    ASSERT_TRUE(view);
    ASSERT_EQ(view->thumbnails().size(), builtInLayouts().size());
    for (qsizetype i = 0; i < view->thumbnails().size(); ++i) {
        SnapLayoutView* thumbnail = view->thumbnails()[i];
        EXPECT_EQ(thumbnail->toolTip(), builtInLayouts()[i].name);
        EXPECT_EQ(thumbnail->zoneButton(0)->focusPolicy(), Qt::NoFocus) << "a click never takes the focus";
    }
    QTest::mouseClick(view->thumbnails()[0]->zoneButton(1), Qt::LeftButton);
    EXPECT_EQ(picked, QList<QRectF>{builtInLayouts()[0].zones[1].rect});

    palette.hide();
    EXPECT_FALSE(palette.panel());
    EXPECT_FALSE(palette.shownFrame());
    QApplication::processEvents();
    EXPECT_EQ(shown(), 0);
    desk.setScreens({});
    palette.show({148, 104, 14, 16}, record);
    EXPECT_FALSE(palette.panel()) << "no screen, no panel";
}

TEST_F(QuickSnapPanelTest, ScaledAndBesideAPrimaryOffTheOriginThePanelStaysNextToTheButton) {
    // The primary at root (1280, 0), another monitor at the root's origin, Qt at twice the scale.
    desk.setScreens({left, Screen{9, "other", QRectF(-1280, 100, 1280, 800), QRectF(-1280, 100, 1280, 800)}});
    desk.screens().setPrimaryRootOrigin(QPoint(1280, 0));
    desk.screens().setWindowScale(2);
    QuickSnapPanel palette(platform, zoneSpacing);
    palette.show({148, 104, 14, 16}, [](const QRectF&) {});
    QWidget* panel = palette.panel();
    ASSERT_TRUE(panel);
    // 8 pixels left of the button and 6 below it, in the root: (1420, 126), halved about (1280, 0).
    EXPECT_EQ(panel->geometry().topLeft(), QPoint(1280 + 70, 63));
    const QRectF frame =
        *QuickSnapPanel::frameNear({148, 104, 14, 16}, QSizeF(panel->size()) * 2, platform.screens);
    EXPECT_EQ(palette.shownFrame(), frame) << "the keep zone is where the panel shows, at its scaled size";
}

TEST_F(QuickSnapPanelTest, TheRowDuringADragTakesNoPointerAndLightsTheZoneTheCoreFinds) {
    QuickSnapPanel palette(platform, zoneSpacing);
    const QRectF rowFrame =
        QuickSnapPanel::rowFrame(left.visibleFrame, QuickSnapFace::row(builtInLayouts().size()).size);
    const QuickSnapFace face = QuickSnapFace::row(builtInLayouts().size());
    // The middle of Quadrant's bottom right zone, in screen coordinates (y up).
    const QPointF local = faceZoneRect(face, builtInLayouts(), zoneSpacing.spacing(), {1, 3}).center();
    const QPointF onZone(rowFrame.left() + local.x(), rowFrame.bottom() - local.y());

    EXPECT_EQ(palette.showRow(left, onZone), (PaletteZone{"Quadrant", builtInLayouts()[1].zones[3].rect}));
    QWidget* window = palette.panel();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowTransparentForInput))
        << "the drag keeps the pointer";
    EXPECT_EQ(palette.shownFrame(), rowFrame);
    EXPECT_EQ(rowFrame.bottom(), 875 - 8) << "at the top of the visible frame, y up";
    const auto* row = window->findChild<QuickSnapView*>();
    ASSERT_TRUE(row);
    EXPECT_FALSE(row->findChild<QLabel*>()) << "no header";
    EXPECT_EQ(row->thumbnails()[1]->hoveredZoneId(), builtInLayouts()[1].zones[3].id);
    EXPECT_FALSE(row->thumbnails()[0]->hoveredZoneId());

    EXPECT_FALSE(palette.showRow(left, QPointF(rowFrame.left() + 2, rowFrame.top() + 2))) << "the margin";
    EXPECT_EQ(palette.panel(), window) << "the same row, not a new window";
    EXPECT_FALSE(row->thumbnails()[1]->hoveredZoneId());

    palette.showRow(right, right.visibleFrame.center());
    EXPECT_NE(palette.panel(), window) << "another screen: a row of its own";
    EXPECT_EQ(palette.shownFrame()->center().x(), right.visibleFrame.center().x());
    palette.hide();
    EXPECT_FALSE(palette.shownFrame());
}

} // namespace
} // namespace corvane

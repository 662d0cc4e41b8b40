// The row of layouts at the top of a monitor during a drag, drawn by the desktop's agent: shown while
// the pointer is in the monitor's top band or on the row, the zone under the pointer lit and previewed,
// the drop putting the window there, and ordinary drag to snap again once the pointer leaves the band.
#include "DragSnapFixture.h"
#include "model/BuiltInLayouts.h"
#include "palette/DrawnQuickSnap.h"
#include "palette/QuickSnapPanel.h"
#include "platform/sim/SimCanvas.h"

namespace corvane {
namespace {

class DragSnapRowTest : public DragSnapTest {
protected:
    void SetUp() override {
        DragSnapTest::SetUp();
        settings.setShowsTopPalette(true);
        monitor.setRowPalette(&row);
    }
    // Where the row lies at the top of the visible frame (0, 0, 1440, 875), screen coordinates.
    static QRectF rowFrame() {
        return QuickSnapPanel::rowFrame(QRectF(0, 0, 1440, 875),
                                        QuickSnapFace::row(builtInLayouts().size()).size);
    }
    // The middle of a zone of the row, or a point 3 above its bottom, in AX coordinates as the fixture's
    // pointer takes them.
    QPointF zonePoint(qsizetype thumbnail, qsizetype zone, bool isLow) const {
        const QuickSnapFace face = QuickSnapFace::row(builtInLayouts().size());
        const QRectF shape = faceZoneRect(face, builtInLayouts(), zoneSpacing.spacing(), {thumbnail, zone});
        const QPointF local(shape.center().x(), isLow ? shape.bottom() - 3 : shape.center().y());
        return {rowFrame().left() + local.x(), 900 - (rowFrame().bottom() - local.y())};
    }
    QPointF zoneCentre(qsizetype thumbnail, qsizetype zone) const {
        return zonePoint(thumbnail, zone, false);
    }
    void startDrag() {
        press({300, 110});
        moveWindowBy(40);
        drag({600, 600});
        ASSERT_TRUE(monitor.isDragConfirmed());
    }

    SimCanvas canvas;
    DrawnQuickSnap row{canvas, platform.screens, zoneSpacing};
};

TEST_F(DragSnapRowTest, TheTopBandShowsTheRowItsZoneUnderThePointerIsPreviewedAndTheDropPlacesTheWindow) {
    startDrag();
    EXPECT_FALSE(canvas.scene()) << "no row below the band";
    EXPECT_EQ(preview.current, QRectF(0, 0, 720, 438)) << "Quadrant's bottom left, as ever";

    drag({700, 30}); // in the band, left of the row's zones: the row, no zone
    ASSERT_TRUE(canvas.scene());
    EXPECT_TRUE(monitor.isOnRow());
    EXPECT_FALSE(canvas.scene()->isInteractive) << "the drag holds the pointer";
    EXPECT_EQ(canvas.scene()->frame, rowFrame());
    EXPECT_DOUBLE_EQ(rowFrame().center().x(), 720) << "centred at the top of the monitor";
    EXPECT_EQ(rowFrame().top() + rowFrame().height(), 875 - 8);
    EXPECT_EQ(canvas.scene()->texts.size(), 0) << "no header in the row";
    EXPECT_EQ(canvas.scene()->shapes.size(), 1 + 2 + 4 + 3 + 2 + 2 + 2 + 6 + 3) << "every layout in one row";

    drag(zoneCentre(0, 1)); // Split's right half
    EXPECT_EQ(row.hoveredZone(), (FaceZone{0, 1}));
    EXPECT_EQ(preview.current, QRectF(720, 0, 720, 875)) << "the zone's frame previewed";
    const QPointF low = zonePoint(2, 0, true); // Thirds' first third, low in the row
    ASSERT_GT(low.y(), 25 + DragSnapSettings::edgeMargin) << "below the band";
    drag(low);
    EXPECT_TRUE(monitor.isOnRow()) << "the row keeps the pointer below the band";
    EXPECT_EQ(preview.current, QRectF(0, 0, 480, 875));
    drag(QPointF(zoneCentre(0, 0).x() + 20, zoneCentre(0, 0).y())); // between Split's halves
    EXPECT_FALSE(preview.current) << "on no zone: no preview";
    EXPECT_TRUE(canvas.scene());

    drag({600, 600});
    EXPECT_FALSE(canvas.scene()) << "out of the band: the row goes";
    EXPECT_FALSE(monitor.isOnRow());
    EXPECT_EQ(preview.current, QRectF(0, 0, 720, 438)) << "and ordinary drag to snap comes back";

    drag(zoneCentre(1, 1)); // Quadrant's top right
    EXPECT_EQ(preview.current, QRectF(720, 438, 720, 437));
    release();
    EXPECT_FALSE(canvas.scene()) << "the drop hides the row";
    desk.runLoop().advance(DragSnapMonitor::applyDelaySeconds);
    EXPECT_EQ(desk.windowFrame(window), QRectF(720, 25, 720, 437));
}

TEST_F(DragSnapRowTest, WithTheSettingOffOrSuperHeldTheBandIsOrdinaryDragToSnap) {
    settings.setShowsTopPalette(false);
    EXPECT_EQ(platform.defaults.boolean("dragSnapTopPalette"), false) << "stored";
    startDrag();
    drag(zoneCentre(0, 1));
    EXPECT_FALSE(canvas.scene());
    EXPECT_EQ(preview.current, QRectF(0, 438, 720, 437)) << "Quadrant's top left: the row's Split lies left";
    release();

    settings.setShowsTopPalette(true);
    startDrag();
    drag(zoneCentre(0, 1));
    EXPECT_TRUE(canvas.scene());
    drag(zoneCentre(0, 1), 0.05, modifier::kCommand);
    EXPECT_FALSE(canvas.scene()) << "Super places the window freely";
    EXPECT_FALSE(preview.current);
    release();
}

TEST(DragSnapRowDefaultTest, TheRowIsOnByDefaultOnlyWhereNoMaximizeButtonOpensThePalette) {
    SimDesktop desk;
    Platform platform = desk.platform();
    struct NullMonitor final : FeatureMonitor {
        void start() override {}
        void stop() override {}
    } monitor;
    EXPECT_FALSE(DragSnapSettings(platform, monitor).showsTopPalette());
    platform.capabilities.setFlag(Capability::MaximizeButtonPalette, false);
    EXPECT_TRUE(DragSnapSettings(platform, monitor).showsTopPalette()) << "GNOME";
    platform.defaults.setBool("dragSnapTopPalette", false);
    EXPECT_FALSE(DragSnapSettings(platform, monitor).showsTopPalette()) << "the user's choice wins";
}

} // namespace
} // namespace corvane

// The palette the desktop's agent draws: the face it is built from is the one Corvane's own palette
// window lays out, the scene holds every zone where the thumbnails draw it, and the pointer the agent
// reports is hit-tested here: the zone under it lit, a click picking it, a press released on another
// zone of the same layout picking both.
#include "palette/DrawnQuickSnap.h"

#include "control/ZoneSpacingSettings.h"
#include "model/BuiltInLayouts.h"
#include "palette/QuickSnapPanel.h"
#include "palette/QuickSnapView.h"
#include "platform/sim/SimCanvas.h"
#include "platform/sim/SimDesktop.h"
#include "ui/SnapLayoutView.h"
#include "ui/ViewStyle.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace corvane {
namespace {

class DrawnQuickSnapTest : public ::testing::Test {
protected:
    // A face point (y down from the palette's top-left) in screen coordinates (y up).
    QPointF onScreen(QPointF local) const {
        const QRectF frame = *palette.shownFrame();
        return {frame.left() + local.x(), frame.bottom() - local.y()};
    }
    QPointF zoneCentre(qsizetype thumbnail, qsizetype zone) const {
        return onScreen(
            faceZoneRect(face(), builtInLayouts(), zoneSpacing.spacing(), {thumbnail, zone}).center());
    }
    QuickSnapFace face() const {
        return QuickSnapFace::palette(builtInLayouts().size(), QuickSnapFace::headerHeight());
    }
    // The fill of a zone's shape in the scene shown: shape 0 is the palette's face.
    QRgb fillOf(qsizetype thumbnail, qsizetype zone) const {
        qsizetype index = 1;
        for (qsizetype t = 0; t < thumbnail; ++t)
            index += builtInLayouts()[t].zones.size();
        return canvas.scene()->shapes[index + zone].fill;
    }
    void report(CanvasPointer kind, QPointF at) { canvas.report(kind, at); }

    SimDesktop desk;
    Platform platform = desk.platform();
    Screen screen = desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
    ZoneSpacingSettings zoneSpacing{platform.defaults};
    SimCanvas canvas;
    DrawnQuickSnap palette{canvas, platform.screens, zoneSpacing};
    QList<QRectF> picked;
    PalettePresenter::PickHandler record = [this](const QRectF& r) { picked.append(r); };
    const QRgb lit = accentColor(QGuiApplication::palette()).rgba();
    const QRgb unlit = controlColor(QGuiApplication::palette()).rgba();
};

TEST_F(DrawnQuickSnapTest, TheDrawnSceneIsTheFaceOurOwnPaletteWindowLaysOut) {
    zoneSpacing.setGap(16);
    zoneSpacing.setMargin(8);
    QuickSnapView view([](const QRectF&) {}, zoneSpacing);
    const QuickSnapFace& face = view.face();
    EXPECT_EQ(view.size(), face.size.toSize());
    EXPECT_EQ(face.size.width(), 2 * 12 + 4 * 80 + 3 * 10) << "four 80-point columns 10 apart, 12 inside";
    ASSERT_EQ(view.thumbnails().size(), builtInLayouts().size());
    for (qsizetype t = 0; t < view.thumbnails().size(); ++t) {
        SnapLayoutView* thumbnail = view.thumbnails()[t];
        EXPECT_EQ(QRectF(thumbnail->geometry()), face.thumbnails[t]) << t;
        EXPECT_EQ(face.thumbnails[t].left(), 12 + (t % 4) * 90) << t;
        for (qsizetype z = 0; z < thumbnail->layout().zones.size(); ++z) {
            const QRectF widget =
                thumbnail->zoneButtonRect(thumbnail->layout().zones[z].rect).translated(thumbnail->pos());
            EXPECT_EQ(widget, faceZoneRect(face, builtInLayouts(), zoneSpacing.spacing(), {t, z})) << t << z;
        }
    }
    EXPECT_GT(face.thumbnails[4].top(), face.thumbnails[3].bottom()) << "the fifth starts the second row";

    palette.show({148, 104, 14, 16}, record);
    ASSERT_TRUE(canvas.scene());
    const CanvasScene& scene = *canvas.scene();
    EXPECT_EQ(scene.frame, *QuickSnapPanel::frameNear({148, 104, 14, 16}, face.size, platform.screens))
        << "placed as the palette window is";
    EXPECT_EQ(palette.shownFrame(), scene.frame);
    EXPECT_TRUE(scene.isInteractive);
    EXPECT_EQ(scene.shapes[0].rect, QRectF(QPointF(0, 0), face.size)) << "the face first, under the zones";
    EXPECT_EQ(scene.shapes[0].radius, QuickSnapFace::cornerRadius);
    qsizetype zones = 0;
    for (const SnapLayout& layout : builtInLayouts())
        zones += layout.zones.size();
    ASSERT_EQ(scene.shapes.size(), 1 + zones);
    EXPECT_EQ(scene.shapes[1].rect, faceZoneRect(face, builtInLayouts(), zoneSpacing.spacing(), {0, 0}));
    EXPECT_EQ(scene.shapes[1].fill, unlit);
    ASSERT_EQ(scene.texts.size(), 1);
    EXPECT_EQ(scene.texts[0].text, "QUICK SNAP");
    EXPECT_EQ(scene.texts[0].rect, face.header);
    EXPECT_TRUE(scene.texts[0].isBold);

    zoneSpacing.setGap(0);
    zoneSpacing.setMargin(0);
    EXPECT_EQ(canvas.scene()->shapes[1].rect, faceZoneRect(face, builtInLayouts(), {0, 0}, {0, 0}))
        << "the spacing followed while shown";
    palette.hide();
    EXPECT_FALSE(canvas.scene());
    EXPECT_FALSE(palette.shownFrame());
}

TEST_F(DrawnQuickSnapTest, TheHitTestFindsTheZoneUnderAPointAndNoneBetweenThem) {
    zoneSpacing.setGap(16);
    zoneSpacing.setMargin(16);
    const QuickSnapFace f = face();
    const QList<SnapLayout>& layouts = builtInLayouts();
    for (qsizetype t = 0; t < layouts.size(); ++t) {
        for (qsizetype z = 0; z < layouts[t].zones.size(); ++z) {
            const QRectF shape = faceZoneRect(f, layouts, zoneSpacing.spacing(), {t, z});
            EXPECT_EQ(faceZoneAt(f, layouts, zoneSpacing.spacing(), shape.center()), (FaceZone{t, z}));
            EXPECT_EQ(faceZoneAt(f, layouts, zoneSpacing.spacing(), shape.topLeft()), (FaceZone{t, z}));
        }
    }
    const QRectF split = f.thumbnails[0];
    EXPECT_FALSE(faceZoneAt(f, layouts, zoneSpacing.spacing(), split.center())) << "the gap between halves";
    EXPECT_FALSE(faceZoneAt(f, layouts, zoneSpacing.spacing(), split.topLeft())) << "the margin";
    EXPECT_FALSE(faceZoneAt(f, layouts, zoneSpacing.spacing(), f.header.center()));
    EXPECT_FALSE(
        faceZoneAt(f, layouts, zoneSpacing.spacing(), QPointF(split.right() + 5, split.center().y())))
        << "between thumbnails";
    EXPECT_FALSE(faceZoneAt(f, layouts, zoneSpacing.spacing(), QPointF(-1, -1)));
}

TEST_F(DrawnQuickSnapTest, TheReportedPointerLightsZonesAndPicksAsTheThumbnailsDo) {
    palette.show({148, 104, 14, 16}, record);
    const QRectF left = builtInLayouts()[0].zones[0].rect;
    const QRectF right = builtInLayouts()[0].zones[1].rect;

    report(CanvasPointer::Motion, zoneCentre(0, 1));
    EXPECT_EQ(palette.hoveredZone(), (FaceZone{0, 1}));
    EXPECT_EQ(fillOf(0, 1), lit);
    EXPECT_EQ(fillOf(0, 0), unlit);
    const int shown = canvas.showCount();
    report(CanvasPointer::Motion, zoneCentre(0, 1) + QPointF(1, 1));
    EXPECT_EQ(canvas.showCount(), shown) << "the same zone: nothing drawn again";
    report(CanvasPointer::Leave, zoneCentre(0, 1));
    EXPECT_FALSE(palette.hoveredZone());
    EXPECT_EQ(fillOf(0, 1), unlit);

    // A click on a zone picks it.
    report(CanvasPointer::Press, zoneCentre(0, 1));
    report(CanvasPointer::Release, zoneCentre(0, 1));
    EXPECT_EQ(picked, QList<QRectF>{right});

    // Pressed on the left half, held onto the right one: both lit, and the release picks both.
    picked.clear();
    report(CanvasPointer::Press, zoneCentre(0, 0));
    report(CanvasPointer::Motion, zoneCentre(0, 1));
    EXPECT_EQ(fillOf(0, 0), lit);
    EXPECT_EQ(fillOf(0, 1), lit);
    report(CanvasPointer::Release, zoneCentre(0, 1));
    EXPECT_EQ(picked, QList<QRectF>{left.united(right)});

    // Released on another layout, on no zone, or outside: nothing.
    picked.clear();
    report(CanvasPointer::Press, zoneCentre(0, 0));
    report(CanvasPointer::Motion, zoneCentre(1, 0));
    EXPECT_EQ(fillOf(0, 0), unlit) << "no span across layouts";
    report(CanvasPointer::Release, zoneCentre(1, 0));
    report(CanvasPointer::Press, zoneCentre(0, 0));
    report(CanvasPointer::Release, onScreen(face().header.center()));
    report(CanvasPointer::Press, zoneCentre(0, 0));
    report(CanvasPointer::Release, QPointF(1400, 20));
    report(CanvasPointer::Release, zoneCentre(0, 0));
    EXPECT_TRUE(picked.isEmpty()) << "a release without its press picks nothing either";

    // A press off every zone released on one is no click on it.
    report(CanvasPointer::Press, onScreen(face().header.center()));
    report(CanvasPointer::Release, zoneCentre(0, 0));
    EXPECT_TRUE(picked.isEmpty());

    // The handler closes the palette; reports that crossed the hide do nothing.
    palette.show({148, 104, 14, 16}, [this](const QRectF& r) {
        picked.append(r);
        palette.hide();
    });
    report(CanvasPointer::Press, zoneCentre(2, 2));
    report(CanvasPointer::Release, zoneCentre(2, 2));
    EXPECT_EQ(picked, QList<QRectF>{builtInLayouts()[2].zones[2].rect});
    EXPECT_FALSE(canvas.scene());
    palette.show({148, 104, 14, 16}, record);
    const QPointF onZone = zoneCentre(0, 0);
    report(CanvasPointer::Press, onZone);
    palette.hide();
    emit canvas.pointer(CanvasPointer::Release, onZone);
    EXPECT_EQ(picked.size(), 1);
}

TEST_F(DrawnQuickSnapTest, NoScreenNoPalette) {
    desk.setScreens({});
    palette.show({148, 104, 14, 16}, record);
    EXPECT_FALSE(canvas.scene());
    EXPECT_FALSE(palette.shownFrame());
}

} // namespace
} // namespace corvane

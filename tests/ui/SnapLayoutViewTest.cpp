// Layout thumbnails, preset cells and the title-bar glyph, on the offscreen platform: zone geometry
// and seams, the fractions a click passes, hover, what a preset cell shows and what its clicks do.
#include "ui/SnapLayoutView.h"

#include "control/ControllerFixture.h"
#include "model/BuiltInLayouts.h"
#include "ui/ElidedLabel.h"
#include "ui/PresetCell.h"
#include "ui/WindowButtonsGlyph.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QEnterEvent>
#include <QImage>
#include <QTest>

namespace corvane {
namespace {

const SnapLayout& builtIn(const QString& name) {
    for (const SnapLayout& layout : builtInLayouts())
        if (layout.name == name)
            return layout;
    throw std::logic_error("no such layout");
}

// The widget and its children as drawn over nothing: no window background.
QImage rendered(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}
QColor pixelAt(QWidget& widget, QPoint p) {
    return rendered(widget).pixelColor(p);
}

void enter(QWidget* w) {
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(w, &event);
}
void leave(QWidget* w) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(w, &event);
}

TEST(SnapLayoutViewTest, ZonesArePartedByASeamAndAClickPassesTheStoredFractions) {
    QList<QRectF> picked;
    SnapLayoutView split(builtIn("Split"), [&](const QRectF& r) { picked.append(r); });
    split.resize(80, SnapLayoutView::height);
    EXPECT_EQ(split.zoneButtonRect(QRectF(0, 0, 0, 0.5)).size(), QSizeF(0, 27)) << "never negative";

    split.show();
    QTest::mouseClick(split.zoneButton(1), Qt::LeftButton);
    QTest::mouseClick(split.zoneButton(0), Qt::LeftButton);
    EXPECT_EQ(picked, (QList<QRectF>{QRectF(0.5, 0, 0.5, 1), QRectF(0, 0, 0.5, 1)}));
    EXPECT_EQ(split.zoneButton(1)->accessibleName(), "Split, zone 2 of 2");
    EXPECT_EQ(split.zoneButton(1)->accessibleDescription(),
              "50% wide and 100% tall, from 50% left and 0% top");

    // The seam between the halves stays unpainted; a zone is drawn in the accent colour only while hovered.
    const QColor separator = pixelAt(split, QPoint(20, 27));
    EXPECT_EQ(pixelAt(split, QPoint(39, 27)).alpha(), 0) << "the seam";
    enter(split.zoneButton(0));
    EXPECT_EQ(split.hoveredZoneId(), split.layout().zones[0].id);
    EXPECT_EQ(pixelAt(split, QPoint(20, 27)), split.palette().color(QPalette::Highlight));
    EXPECT_EQ(pixelAt(split, QPoint(60, 27)), separator);
    // Entering the next zone before the previous one reports its leave: the late leave clears the
    // highlight, and the next movement in the zone brings it back.
    enter(split.zoneButton(1));
    leave(split.zoneButton(0));
    EXPECT_FALSE(split.hoveredZoneId());
    QTest::mouseMove(split.zoneButton(1), QPoint(10, 10));
    EXPECT_EQ(split.hoveredZoneId(), split.layout().zones[1].id);
    leave(split.zoneButton(1));
    EXPECT_FALSE(split.hoveredZoneId());
    EXPECT_EQ(pixelAt(split, QPoint(60, 27)), separator);
}

// What a press on a zone button starts: the button holds the pointer, so every later move and the
// release go to it, wherever the pointer is over the view.
class HeldPress {
public:
    HeldPress(SnapLayoutView& view, int zone)
        : m_view(view)
        , m_button(view.zoneButton(zone)) {
        QTest::mousePress(m_button, Qt::LeftButton, {}, m_button->rect().center());
    }
    void moveTo(int zone) {
        const QPointF local = m_button->mapFrom(&m_view, centre(zone));
        QMouseEvent move(QEvent::MouseMove, local, m_button->mapToGlobal(local), Qt::NoButton, Qt::LeftButton,
                         {});
        QApplication::sendEvent(m_button, &move);
    }
    void releaseAt(QPoint viewPoint) {
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, m_button->mapFrom(&m_view, viewPoint));
    }
    QPoint centre(int zone) const { return m_view.zoneButton(zone)->geometry().center(); }

private:
    SnapLayoutView& m_view;
    QAbstractButton* m_button;
};

TEST(SnapLayoutViewTest, APressReleasedOnAnotherZoneSpansBothAndLightsEveryZoneBetween) {
    QList<QRectF> picked;
    SnapLayoutView quadrant(builtIn("Quadrant"), [&](const QRectF& r) { picked.append(r); });
    quadrant.resize(80, SnapLayoutView::height);
    quadrant.show();
    const QColor unlit = pixelAt(quadrant, QPoint(60, 10));

    HeldPress topLeft(quadrant, 0);
    topLeft.moveTo(3);
    EXPECT_EQ(quadrant.spannedFraction(), QRectF(0, 0, 1, 1));
    EXPECT_EQ(pixelAt(quadrant, QPoint(60, 10)), quadrant.palette().color(QPalette::Highlight))
        << "a zone inside the span is lit though the pointer never crossed it";
    topLeft.moveTo(1);
    EXPECT_EQ(quadrant.spannedFraction(), QRectF(0, 0, 1, 0.5)) << "the span follows the pointer back";
    EXPECT_EQ(pixelAt(quadrant, QPoint(20, 45)), unlit);
    topLeft.releaseAt(topLeft.centre(1));
    EXPECT_FALSE(quadrant.spannedFraction());
    EXPECT_EQ(picked, (QList<QRectF>{QRectF(0, 0, 1, 0.5)}));

    picked.clear();
    HeldPress bottomLeft(quadrant, 2);
    bottomLeft.moveTo(3);
    bottomLeft.moveTo(2);
    bottomLeft.releaseAt(bottomLeft.centre(2));
    HeldPress again(quadrant, 2);
    again.releaseAt(QPoint(79, 54));
    EXPECT_EQ(picked, (QList<QRectF>{QRectF(0, 0.5, 0.5, 0.5)}))
        << "back on the pressed zone it is a click; released on the seam, nothing";
}

class PresetCellTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
    }
};

TEST_F(PresetCellTest, ShowsAGridThumbnailBeforeASizeTileAndAppliesWhatIsStored) {
    Preset both{QUuid::createUuid(), "Both", 1000, 700, 2, 2, QList<GridSpan>{}};
    PresetCell gridCell(both, controller->placer());
    ASSERT_TRUE(gridCell.gridThumbnail());
    EXPECT_FALSE(gridCell.sizeTile()) << "rows and columns win over a size";
    EXPECT_EQ(gridCell.gridThumbnail()->layout().zones.size(), 4);
    gridCell.resize(100, 120);
    gridCell.show();
    QTest::mouseClick(gridCell.gridThumbnail()->zoneButton(3), Qt::LeftButton);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(720, 462.5, 720, 437.5).toAlignedRect()) << "the bottom-right quarter";

    desk.log().clear();
    PresetCell sizeCell(Preset{QUuid::createUuid(), "Wide", 1440.7, 900.9, {}, {}, {}}, controller->placer());
    ASSERT_TRUE(sizeCell.sizeTile());
    EXPECT_FALSE(sizeCell.gridThumbnail());
    EXPECT_EQ(sizeCell.sizeTile()->text(), "1440×900") << "cut, not rounded";
    sizeCell.show();
    QTest::mouseClick(sizeCell.sizeTile(), Qt::LeftButton);
    desk.settle();
    ASSERT_FALSE(desk.log().effects().isEmpty());
    EXPECT_EQ(desk.log().effects().first(), "write AXSize 1440.7x900.9")
        << "the stored values, not the label's";

    PresetCell nameOnly(Preset{QUuid::createUuid(), "Only a width", 800, {}, {}, {}, {}},
                        controller->placer());
    EXPECT_FALSE(nameOnly.gridThumbnail());
    EXPECT_FALSE(nameOnly.sizeTile());
    EXPECT_EQ(nameOnly.nameLabel()->text(), "Only a width");

    EXPECT_EQ(PresetCell::sizeLabel(-0.5, 99.99), "0×99");
    EXPECT_EQ(PresetCell::sizeLabel(std::nan(""), std::numeric_limits<double>::infinity()), "—×—");
    EXPECT_EQ(PresetCell::sizeLabel(1e19, -1e19), "—×—") << "beyond 64 bits";
    EXPECT_EQ(PresetCell::sizeLabel(9007199254740992.0, 1), "9007199254740992×1");
}

TEST_F(PresetCellTest, ThumbnailsDrawTheSpacingAnEighthItsSizeAndFollowItsChanges) {
    EXPECT_EQ(SnapLayoutView::thumbnailSpacing({1, 100}), ZoneSpacing({1, 13})) << "any spacing shows";
    EXPECT_EQ(SnapLayoutView::thumbnailSpacing({0, 0}), ZoneSpacing({0, 0}));
    EXPECT_EQ(SnapLayoutView::thumbnailSpacing({-8, 400}), ZoneSpacing({0, 13}));

    SnapLayoutView split(builtIn("Split"), {});
    split.followZoneSpacing(zoneSpacing);
    split.resize(80, SnapLayoutView::height);
    split.show();
    EXPECT_EQ(split.zoneButton(1)->geometry(), QRect(40, 0, 39, 54)) << "no spacing: the seam alone";
    EXPECT_NE(pixelAt(split, QPoint(41, 27)).alpha(), 0);

    zoneSpacing.setGap(20);    // 3 points drawn: 2 after the shared edge, 1 before it and the seam
    zoneSpacing.setMargin(12); // 2 points drawn
    EXPECT_EQ(split.zoneButton(0)->geometry(), QRect(2, 2, 36, 50));
    EXPECT_EQ(split.zoneButton(1)->geometry(), QRect(42, 2, 35, 50));
    EXPECT_EQ(pixelAt(split, QPoint(41, 27)).alpha(), 0) << "the gap";
    EXPECT_EQ(pixelAt(split, QPoint(1, 27)).alpha(), 0) << "the margin";
    EXPECT_NE(pixelAt(split, QPoint(43, 27)).alpha(), 0);

    // A preset's thumbnail follows the placer's spacing, and places with it.
    PresetCell cell(Preset{QUuid::createUuid(), "Grid", {}, {}, 2, 2, QList<GridSpan>{}},
                    controller->placer());
    cell.resize(80, 120);
    cell.show();
    EXPECT_EQ(cell.gridThumbnail()->zoneButton(0)->geometry().topLeft(), QPoint(2, 2));
    QTest::mouseClick(cell.gridThumbnail()->zoneButton(0), Qt::LeftButton);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(12, 37, 698, 415)) << "the top-left quarter of (0, 25, 1440, 875), spaced";
}

TEST(WindowButtonsGlyphTest, DrawsTheWindowManagersButtonsWithMaximizeLitAndIsHiddenFromScreenReaders) {
    // openbox's stock "NLIMC": close outermost on the right, maximize next to it, then minimize.
    WindowButtonsGlyph laidOut(ButtonLayout{
        {TitleButton::Other}, {TitleButton::Close, TitleButton::Maximize, TitleButton::Minimize}});
    const int step = WindowButtonsGlyph::buttonSizePixels + WindowButtonsGlyph::spacingPixels;
    const QColor lit = laidOut.palette().color(QPalette::Highlight);
    const QImage image = rendered(laidOut);
    const int right = laidOut.width() - WindowButtonsGlyph::buttonSizePixels;
    const auto centreOf = [&](int left) {
        return image.pixelColor(left + 4, 5);
    }; // inside, clear of the strokes
    EXPECT_EQ(centreOf(right - step), lit) << "maximize, second from the right";
    EXPECT_NE(centreOf(right), lit) << "close";
    EXPECT_NE(centreOf(right - 2 * step), lit) << "minimize";
    EXPECT_NE(centreOf(0), lit) << "the button on the left";

    // A layout with maximize on the left draws it there.
    WindowButtonsGlyph onTheLeft(ButtonLayout{{TitleButton::Close, TitleButton::Maximize}, {}});
    EXPECT_EQ(rendered(onTheLeft).pixelColor(step + 4, 5), lit);

    // Where the layout cannot be told, a lone maximize button.
    WindowButtonsGlyph unknown(std::nullopt);
    EXPECT_EQ(rendered(unknown).pixelColor(4, 5), lit);

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&laidOut);
    ASSERT_TRUE(accessible);
    EXPECT_TRUE(accessible->state().invisible);
}

} // namespace
} // namespace corvane

// The grid builder on the offscreen platform, driven by clicks, pointer moves and keys: grouping,
// ungrouping and clearing, when the buttons allow them, grid-size changes, and which zones are drawn
// selected or hovered.
#include "ui/GridBuilderView.h"

#include "ui/GridBuilderCanvas.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace corvane {
namespace {

using Spans = QList<GridSpan>;
using Cells = QSet<GridCell>;

GridSpan cell(qint64 row, qint64 col) {
    return {row, col, 1, 1};
}

QPoint centreOf(const GridBuilderView& view, const GridSpan& span) {
    return view.canvas()->spanRect(span).center().toPoint();
}

void click(GridBuilderView& view, const GridSpan& zone) {
    QTest::mouseClick(view.canvas(), Qt::LeftButton, {}, centreOf(view, zone));
}

// The canvas as drawn over nothing, so a fill reads back with its own opacity.
QImage rendered(GridBuilderView& view) {
    QImage image(view.canvas()->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    view.canvas()->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

enum class Fill { Selected, Hovered, Plain, Other };

Fill fillOf(GridBuilderView& view, const GridSpan& zone) {
    const QColor c = rendered(view).pixelColor(centreOf(view, zone));
    // A translucent pixel read back has its channels rounded through premultiplication.
    const auto isNear = [&](const QColor& expected, int alpha) {
        const auto near = [](int value, int wanted) { return std::abs(value - wanted) <= 4; };
        return near(c.alpha(), alpha) && near(c.red(), expected.red()) && near(c.green(), expected.green()) &&
               near(c.blue(), expected.blue());
    };
    const QColor purple(175, 82, 222);
    if (isNear(purple, 140))
        return Fill::Selected;
    if (isNear(purple, 56))
        return Fill::Hovered;
    if (isNear(view.canvas()->palette().color(QPalette::WindowText), 51))
        return Fill::Plain;
    return Fill::Other;
}

void showGrid(GridBuilderView& view, qint64 rows, qint64 cols, const Spans& merges = {}) {
    view.setGridSize(rows, cols);
    view.setMerges(merges);
    view.resize(300, 240);
    view.show();
}

class GridBuilderViewTest : public ::testing::Test {
protected:
    void build(qint64 rows, qint64 cols, const Spans& merges = {}) { showGrid(view, rows, cols, merges); }

    GridBuilderView view;
};

TEST_F(GridBuilderViewTest, GroupingTakesTheBoundingBlockAndDissolvesEveryMergeItOverlaps) {
    struct Case {
        const char* name;
        qint64 size;
        Spans merges;
        Spans clicks;
        Spans expected;
        qsizetype zoneCount;
    };
    const QList<Case> cases = {
        {"opposite corners", 2, {}, {cell(0, 0), cell(1, 1)}, {{0, 0, 2, 2}}, 1},
        {"beside a merge", 3, {{0, 0, 2, 2}}, {cell(1, 2), cell(2, 2)}, {{0, 0, 2, 2}, {1, 2, 2, 1}}, 5},
        {"a merge and a cell", 3, {{0, 0, 2, 2}}, {{0, 0, 2, 2}, cell(2, 2)}, {{0, 0, 3, 3}}, 1},
        // (0, 1) of the dissolved merge lies outside the new block and is a zone of its own again.
        {"partly overlapping a merge", 3, {{0, 1, 2, 1}}, {cell(1, 0), cell(2, 1)}, {{1, 0, 2, 2}}, 6},
    };
    for (const Case& c : cases) {
        GridBuilderView fresh;
        showGrid(fresh, c.size, c.size, c.merges);
        QSignalSpy mergeSpy(&fresh, &GridBuilderView::mergesChanged);
        for (const GridSpan& zone : c.clicks)
            click(fresh, zone);
        EXPECT_TRUE(fresh.groupButton()->isEnabled()) << c.name;
        QTest::mouseClick(fresh.groupButton(), Qt::LeftButton);
        EXPECT_EQ(fresh.merges(), c.expected) << c.name;
        EXPECT_EQ(fresh.zones().size(), c.zoneCount) << c.name;
        EXPECT_TRUE(fresh.selection().isEmpty()) << c.name;
        EXPECT_EQ(mergeSpy.count(), 1) << c.name;
    }
}

TEST_F(GridBuilderViewTest, ButtonsAreEnabledOnlyWhenTheirOperationWouldChangeSomething) {
    build(3, 3);
    QSignalSpy mergeSpy(&view, &GridBuilderView::mergesChanged);
    QSignalSpy selectionSpy(&view, &GridBuilderView::selectionChanged);
    EXPECT_FALSE(view.groupButton()->isEnabled());
    EXPECT_FALSE(view.ungroupButton()->isEnabled());
    EXPECT_FALSE(view.clearButton()->isEnabled()) << "nothing to clear";

    click(view, cell(2, 2));
    EXPECT_FALSE(view.groupButton()->isEnabled()) << "one cell is no block";
    EXPECT_FALSE(view.ungroupButton()->isEnabled()) << "the cell is in no merge";
    EXPECT_TRUE(view.clearButton()->isEnabled());

    view.setMerges({{0, 0, 2, 2}, {2, 0, 1, 2}});
    view.setSelection({{1, 1}});
    EXPECT_FALSE(view.groupButton()->isEnabled());
    EXPECT_TRUE(view.ungroupButton()->isEnabled()) << "the cell lies in a merge";
    view.setMerges(view.merges());
    view.setSelection(view.selection());
    EXPECT_EQ(mergeSpy.count(), 1) << "setting the same merges again is no change";
    EXPECT_EQ(selectionSpy.count(), 2);

    QTest::mouseClick(view.ungroupButton(), Qt::LeftButton);
    EXPECT_EQ(view.merges(), (Spans{{2, 0, 1, 2}})) << "only the merge holding the cell goes";
    EXPECT_TRUE(view.selection().isEmpty());
    EXPECT_FALSE(view.ungroupButton()->isEnabled());
    EXPECT_TRUE(view.clearButton()->isEnabled()) << "a merge is left";

    click(view, cell(0, 0));
    QTest::mouseClick(view.clearButton(), Qt::LeftButton);
    EXPECT_TRUE(view.merges().isEmpty());
    EXPECT_TRUE(view.selection().isEmpty());
    EXPECT_FALSE(view.clearButton()->isEnabled());
}

TEST_F(GridBuilderViewTest, AMergedZoneIsSelectedAndDrawnAsAWhole) {
    build(3, 3, {{0, 0, 2, 2}});
    const GridSpan merged{0, 0, 2, 2};
    click(view, merged);
    EXPECT_EQ(view.selection(), (Cells{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    EXPECT_EQ(fillOf(view, merged), Fill::Selected);
    EXPECT_EQ(fillOf(view, cell(0, 2)), Fill::Plain);

    click(view, merged);
    EXPECT_TRUE(view.selection().isEmpty());
    EXPECT_EQ(fillOf(view, merged), Fill::Hovered) << "the pointer still rests on it";

    view.setSelection({{1, 1}});
    EXPECT_EQ(fillOf(view, merged), Fill::Hovered) << "partly selected is drawn unselected";
    click(view, merged);
    EXPECT_EQ(view.selection().size(), 4) << "a click selects the rest";

    const QPoint gutter = view.canvas()->spanRect(cell(2, 0)).topRight().toPoint();
    QTest::mouseClick(view.canvas(), Qt::LeftButton, {}, gutter);
    EXPECT_EQ(view.selection().size(), 4) << "a click between zones toggles none";
}

TEST_F(GridBuilderViewTest, TheHoverFollowsThePointerAndNeverHidesTheSelection) {
    build(2, 2);
    QWidget* canvas = view.canvas();
    QTest::mouseMove(canvas, centreOf(view, cell(0, 0)));
    EXPECT_EQ(view.canvas()->hoveredZone(), cell(0, 0));
    EXPECT_EQ(fillOf(view, cell(0, 0)), Fill::Hovered);

    // Into the neighbour: the zone left behind can no longer clear the one entered.
    QTest::mouseMove(canvas, centreOf(view, cell(0, 1)));
    EXPECT_EQ(view.canvas()->hoveredZone(), cell(0, 1));
    EXPECT_EQ(fillOf(view, cell(0, 0)), Fill::Plain);
    EXPECT_EQ(fillOf(view, cell(0, 1)), Fill::Hovered);

    click(view, cell(0, 1));
    EXPECT_EQ(fillOf(view, cell(0, 1)), Fill::Selected) << "selected wins over hovered";

    QTest::mouseMove(canvas, view.canvas()->spanRect(cell(1, 1)).topLeft().toPoint());
    EXPECT_FALSE(view.canvas()->hoveredZone()) << "the gutter is no zone";

    // The grid changes under a resting pointer: the hover is the zone now under it.
    QTest::mouseMove(canvas, centreOf(view, cell(1, 1)));
    view.setGridSize(3, 3);
    EXPECT_EQ(view.canvas()->hoveredZone(), cell(2, 2));
    EXPECT_EQ(fillOf(view, cell(2, 2)), Fill::Hovered);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(canvas, &leave);
    EXPECT_FALSE(view.canvas()->hoveredZone());
    EXPECT_EQ(fillOf(view, cell(2, 2)), Fill::Plain);
}

TEST_F(GridBuilderViewTest, ArrowKeysWalkTheZonesAndSpaceOrEnterTogglesOne) {
    build(3, 3, {{0, 0, 2, 2}});
    GridBuilderCanvas* canvas = view.canvas();
    EXPECT_EQ(canvas->focusedZone(), (GridSpan{0, 0, 2, 2}));
    EXPECT_EQ(canvas->accessibleDescription(), "Rows 1–2, columns 1–2");
    QTest::keyClick(canvas, Qt::Key_Space);
    EXPECT_EQ(view.selection().size(), 4);
    EXPECT_EQ(canvas->accessibleDescription(), "Rows 1–2, columns 1–2, selected");

    QTest::keyClick(canvas, Qt::Key_Right);
    EXPECT_EQ(canvas->focusedZone(), cell(0, 2)) << "one step leaves the whole merged zone";
    QTest::keyClick(canvas, Qt::Key_Right);
    EXPECT_EQ(canvas->focusedZone(), cell(0, 2)) << "the edge stops the cursor";
    QTest::keyClick(canvas, Qt::Key_Down);
    QTest::keyClick(canvas, Qt::Key_Down);
    QTest::keyClick(canvas, Qt::Key_Return);
    EXPECT_EQ(canvas->accessibleDescription(), "Row 3, column 3, selected");
    QTest::keyClick(canvas, Qt::Key_Left);
    QTest::keyClick(canvas, Qt::Key_Up);
    EXPECT_EQ(canvas->focusedZone(), (GridSpan{0, 0, 2, 2})) << "up from (2, 1) enters the merge";
    QTest::keyClick(canvas, Qt::Key_Enter);
    EXPECT_EQ(view.selection(), (Cells{{2, 2}}));

    click(view, cell(2, 0));
    EXPECT_EQ(canvas->focusedZone(), cell(2, 0)) << "a click moves the cursor too";
    view.setGridSize(2, 2);
    EXPECT_EQ(canvas->focusedZone(), (GridSpan{0, 0, 2, 2})) << "kept inside a smaller grid, at (1, 0)";
}

TEST_F(GridBuilderViewTest, ANewGridSizeClipsTheMergesAndEmptiesTheSelection) {
    build(3, 3, {{1, 0, 2, 2}});
    click(view, cell(0, 2));
    QSignalSpy mergeSpy(&view, &GridBuilderView::mergesChanged);
    QSignalSpy selectionSpy(&view, &GridBuilderView::selectionChanged);

    view.setGridSize(2, 3);
    EXPECT_EQ(view.merges(), (Spans{{1, 0, 1, 2}}));
    EXPECT_TRUE(view.selection().isEmpty());
    EXPECT_EQ(mergeSpy.count(), 1);
    EXPECT_EQ(selectionSpy.count(), 1);

    view.setGridSize(1, 3);
    EXPECT_TRUE(view.merges().isEmpty()) << "a single cell is no merge";
    EXPECT_EQ(view.zones().size(), 3);

    view.setMerges({{0, 0, 1, 2}});
    click(view, cell(0, 2));
    mergeSpy.clear();
    selectionSpy.clear();
    view.setGridSize(4, 4);
    EXPECT_EQ(view.merges(), (Spans{{0, 0, 1, 2}}));
    EXPECT_EQ(mergeSpy.count(), 0) << "growing changes no merge";
    EXPECT_EQ(selectionSpy.count(), 1);
    view.setGridSize(4, 4);
    EXPECT_EQ(selectionSpy.count(), 1) << "the same size is no change";
    view.setGridSize(4, 1);
    EXPECT_TRUE(view.merges().isEmpty()) << "columns alone reconcile too";
    view.setGridSize(3, 0);
    EXPECT_EQ(view.canvas()->heightForWidth(300), 0) << "no columns, no grid";
}

} // namespace
} // namespace corvane

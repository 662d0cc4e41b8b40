#pragma once
// The cells of GridBuilderView: draws its zones and the outline of the selection, and turns clicks,
// arrow keys and Space or Enter into the view's toggle(). The view holds every value it draws.

#include "model/GridCell.h"
#include "model/GridSpan.h"

#include <QWidget>
#include <optional>

namespace corvane {

class GridBuilderView;

class GridBuilderCanvas : public QWidget {
    Q_OBJECT
public:
    explicit GridBuilderCanvas(GridBuilderView& view);

    // The zone under the pointer, none over a gutter or outside the canvas.
    std::optional<GridSpan> hoveredZone() const;
    // The zone of the keyboard cursor, which Space or Enter toggles.
    std::optional<GridSpan> focusedZone() const;

    // The grid drawn as large as the canvas allows with square cells, centred at the top.
    QRectF gridRect() const;
    // The span's share of the grid.
    QRectF spanRect(const GridSpan& span) const;
    // What a zone fills: its share less the inset on every side, a gutter between neighbours.
    QRectF zoneShape(const GridSpan& zone) const;

    // Redraws and re-describes after the view's grid, merges or selection changed.
    void refresh();

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override { return QSize(240, heightForWidth(240)); }

    static constexpr double maxHeight = 150;
    static constexpr double cornerRadius = 6;
    static constexpr double inset = 2;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::optional<GridSpan> zoneAt(QPointF point) const;
    // The pointer is remembered rather than its zone, so the hover follows a grid that changes
    // under a resting pointer and a zone's late leave can never clear the zone entered after it.
    void setPointer(std::optional<QPointF> point);
    // The cursor cell kept inside a grid that may have shrunk since it was set.
    GridCell cursorCell() const;
    // Moves the cursor to the cell if it is in the grid; false when it is not.
    bool moveCursor(GridCell cell);

    GridBuilderView& m_view;
    std::optional<QPointF> m_pointer;
    std::optional<GridSpan> m_pressedZone;
    GridCell m_cursor;
};

} // namespace corvane

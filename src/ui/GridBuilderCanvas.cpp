// Drawing and input of the grid builder's cells. Zones are hit-tested here rather than being widgets
// of their own, so a grid that changes rebuilds nothing.
#include "GridBuilderCanvas.h"

#include "model/GridAlgebra.h"
#include "ui/GridBuilderView.h"
#include "ui/ViewStyle.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

namespace corvane {

namespace {

QColor purple(double opacity) {
    QColor color(175, 82, 222);
    color.setAlphaF(float(opacity));
    return color;
}

// One-based, as people count: "Row 2, column 3", "Rows 1–2, columns 1–3".
QString zoneName(const GridSpan& zone) {
    const auto range = [](const QString& one, const QString& many, qint64 start, qint64 extent) {
        return extent == 1 ? one.arg(start + 1) : many.arg(start + 1).arg(start + extent);
    };
    return GridBuilderCanvas::tr("%1, %2").arg(
        range(GridBuilderCanvas::tr("Row %1"), GridBuilderCanvas::tr("Rows %1–%2"), zone.row, zone.rowSpan),
        range(GridBuilderCanvas::tr("column %1"), GridBuilderCanvas::tr("columns %1–%2"), zone.col,
              zone.colSpan));
}

} // namespace

GridBuilderCanvas::GridBuilderCanvas(GridBuilderView& view)
    : QWidget(&view)
    , m_view(view) {
    setMouseTracking(true);
    // Reached by Tab only: a focus ring after every click would be noise.
    setFocusPolicy(Qt::TabFocus);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(tr("Grid cells"));
}

std::optional<GridSpan> GridBuilderCanvas::hoveredZone() const {
    return m_pointer ? zoneAt(*m_pointer) : std::nullopt;
}

std::optional<GridSpan> GridBuilderCanvas::focusedZone() const {
    const QList<GridSpan> zones = m_view.zones();
    const GridCell cell = cursorCell();
    const auto zone =
        std::find_if(zones.begin(), zones.end(), [&](const GridSpan& z) { return z.contains(cell); });
    return zone == zones.end() ? std::nullopt : std::optional(*zone);
}

QRectF GridBuilderCanvas::gridRect() const {
    if (m_view.zones().isEmpty())
        return {};
    const double cols = double(m_view.cols());
    const double rows = double(m_view.rows());
    const double cell = std::min(width() / cols, height() / rows);
    // A whole-pixel origin keeps the edges of a grid of whole-pixel cells crisp.
    return QRectF(std::round((width() - cols * cell) / 2), 0, cols * cell, rows * cell);
}

QRectF GridBuilderCanvas::spanRect(const GridSpan& span) const {
    const QRectF grid = gridRect();
    const double cols = double(m_view.cols());
    const double rows = double(m_view.rows());
    return QRectF(grid.x() + double(span.col) / cols * grid.width(),
                  grid.y() + double(span.row) / rows * grid.height(),
                  double(span.colSpan) / cols * grid.width(), double(span.rowSpan) / rows * grid.height());
}

QRectF GridBuilderCanvas::zoneShape(const GridSpan& zone) const {
    const QRectF share = spanRect(zone);
    const QSizeF size(std::max(share.width() - 2 * inset, 0.0), std::max(share.height() - 2 * inset, 0.0));
    QRectF shape(QPointF(), size);
    shape.moveCenter(share.center());
    return shape;
}

void GridBuilderCanvas::refresh() {
    const std::optional<GridSpan> zone = focusedZone();
    QString description;
    if (zone)
        description = m_view.isSelected(*zone) ? tr("%1, selected").arg(zoneName(*zone)) : zoneName(*zone);
    if (description != accessibleDescription())
        setAccessibleDescription(description);
    update();
}

int GridBuilderCanvas::heightForWidth(int width) const {
    if (m_view.zones().isEmpty())
        return 0;
    return int(std::min(maxHeight, double(width) * double(m_view.rows()) / double(m_view.cols())));
}

void GridBuilderCanvas::paintEvent(QPaintEvent*) {
    // An empty grid has no geometry to place even a selection's outline in.
    const QList<GridSpan> zones = m_view.zones();
    if (zones.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const std::optional<GridSpan> hovered = hoveredZone();
    // Every zone is outlined, so the cells a user can click show on any theme; the fill tells its state.
    painter.setPen(QPen(controlColor(palette()), 1));
    for (const GridSpan& zone : zones) {
        if (m_view.isSelected(zone))
            painter.setBrush(purple(0.55));
        else if (zone == hovered)
            painter.setBrush(purple(0.22));
        else
            painter.setBrush(primaryColor(palette(), 0.2));
        // On whole pixels, so the 1-point outline is drawn crisp rather than smeared over two.
        painter.drawRoundedRect(QRectF(zoneShape(zone).toRect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius,
                                cornerRadius);
    }

    const std::optional<GridSpan> focused = focusedZone();
    if (hasFocus() && focused) {
        painter.setPen(QPen(accentColor(palette()), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(zoneShape(*focused).adjusted(0.75, 0.75, -0.75, -0.75), cornerRadius,
                                cornerRadius);
    }

    if (const std::optional<GridSpan> bounding = boundingSpan(m_view.selection())) {
        constexpr double strokeWidth = 2;
        QPen pen(purple(1), strokeWidth, Qt::CustomDashLine, Qt::FlatCap);
        // Dash lengths are in stroke widths: 5 points on, 3 off.
        pen.setDashPattern({5 / strokeWidth, 3 / strokeWidth});
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        // The stroke runs half its width inside the span, so the whole line lies within it.
        const double half = strokeWidth / 2;
        painter.drawRoundedRect(spanRect(*bounding).adjusted(half, half, -half, -half), cornerRadius - half,
                                cornerRadius - half);
    }
}

void GridBuilderCanvas::mouseMoveEvent(QMouseEvent* event) {
    setPointer(event->position());
}

void GridBuilderCanvas::mousePressEvent(QMouseEvent* event) {
    setPointer(event->position());
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressedZone = zoneAt(event->position());
    if (m_pressedZone)
        moveCursor({m_pressedZone->row, m_pressedZone->col});
}

void GridBuilderCanvas::mouseReleaseEvent(QMouseEvent* event) {
    setPointer(event->position());
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    // Like a button: the click counts only if it ends on the zone it began on.
    const std::optional<GridSpan> pressed = std::exchange(m_pressedZone, std::nullopt);
    if (pressed && zoneAt(event->position()) == pressed)
        m_view.toggle(*pressed);
}

void GridBuilderCanvas::leaveEvent(QEvent*) {
    setPointer(std::nullopt);
}

void GridBuilderCanvas::keyPressEvent(QKeyEvent* event) {
    const std::optional<GridSpan> zone = focusedZone();
    if (!zone)
        return QWidget::keyPressEvent(event);
    // Steps leave the whole zone, and keep the cursor's other coordinate, to cross merged blocks
    // in a straight line.
    const GridCell cursor = cursorCell();
    bool isHandled = true;
    switch (event->key()) {
    case Qt::Key_Left:
        isHandled = moveCursor({cursor.row, zone->col - 1});
        break;
    case Qt::Key_Right:
        isHandled = moveCursor({cursor.row, zone->col + zone->colSpan});
        break;
    case Qt::Key_Up:
        isHandled = moveCursor({zone->row - 1, cursor.col});
        break;
    case Qt::Key_Down:
        isHandled = moveCursor({zone->row + zone->rowSpan, cursor.col});
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_view.toggle(*zone);
        break;
    default:
        isHandled = false;
    }
    if (!isHandled)
        QWidget::keyPressEvent(event);
}

void GridBuilderCanvas::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void GridBuilderCanvas::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

std::optional<GridSpan> GridBuilderCanvas::zoneAt(QPointF point) const {
    for (const GridSpan& zone : m_view.zones()) {
        if (zoneShape(zone).contains(point))
            return zone;
    }
    return std::nullopt;
}

void GridBuilderCanvas::setPointer(std::optional<QPointF> point) {
    const std::optional<GridSpan> before = hoveredZone();
    m_pointer = point;
    if (hoveredZone() != before)
        update();
}

GridCell GridBuilderCanvas::cursorCell() const {
    return {std::clamp<qint64>(m_cursor.row, 0, std::max<qint64>(m_view.rows() - 1, 0)),
            std::clamp<qint64>(m_cursor.col, 0, std::max<qint64>(m_view.cols() - 1, 0))};
}

bool GridBuilderCanvas::moveCursor(GridCell cell) {
    if (cell.row < 0 || cell.row >= m_view.rows() || cell.col < 0 || cell.col >= m_view.cols())
        return false;
    m_cursor = cell;
    refresh();
    return true;
}

} // namespace corvane

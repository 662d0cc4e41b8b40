// Cells, containment and overlap of a span, all on half-open ranges and safe for any 64-bit value.
#include "GridSpan.h"

#include "model/GridAlgebra.h"

namespace corvane {

namespace {

// Whether start <= value < start + extent, without forming start + extent (it may overflow).
bool inHalfOpenRange(qint64 value, qint64 start, qint64 extent) {
    if (extent <= 0 || value < start)
        return false;
    return static_cast<quint64>(value) - static_cast<quint64>(start) < static_cast<quint64>(extent);
}

// Whether [a, a + aExtent) and [b, b + bExtent) intersect.
bool rangesIntersect(qint64 a, qint64 aExtent, qint64 b, qint64 bExtent) {
    if (aExtent <= 0 || bExtent <= 0)
        return false;
    return a <= b ? inHalfOpenRange(b, a, aExtent) : inHalfOpenRange(a, b, bExtent);
}

} // namespace

QSet<GridCell> GridSpan::cells() const {
    QSet<GridCell> result;
    if (rowSpan <= 0 || colSpan <= 0)
        return result;
    // Listing a stored span of absurd extent would exhaust memory; no real grid is that large.
    if (rowSpan > kMaxGridCells || colSpan > kMaxGridCells || rowSpan * colSpan > kMaxGridCells)
        return result;
    qint64 lastRow = 0;
    qint64 lastCol = 0;
    if (__builtin_add_overflow(row, rowSpan - 1, &lastRow) ||
        __builtin_add_overflow(col, colSpan - 1, &lastCol))
        return result;
    result.reserve(rowSpan * colSpan);
    for (qint64 r = row; r <= lastRow; ++r) {
        for (qint64 c = col; c <= lastCol; ++c)
            result.insert({r, c});
    }
    return result;
}

bool GridSpan::contains(GridCell cell) const {
    return inHalfOpenRange(cell.row, row, rowSpan) && inHalfOpenRange(cell.col, col, colSpan);
}

bool GridSpan::overlaps(const GridSpan& other) const {
    return rangesIntersect(row, rowSpan, other.row, other.rowSpan) &&
           rangesIntersect(col, colSpan, other.col, other.colSpan);
}

} // namespace corvane

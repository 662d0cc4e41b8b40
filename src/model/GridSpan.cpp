// Cells, containment and overlap of a span, all on half-open ranges and safe for any 64-bit value.
#include "GridSpan.h"

#include "model/GridAlgebra.h"

#include <optional>

namespace corvane {

namespace {

// The end of the half-open range [start, start + extent); none for an empty range, and none for one
// whose end lies beyond the largest 64-bit value. No real grid reaches that far, and taking such a
// range as ending there would let one damaged stored span swallow every cell after its start.
std::optional<qint64> rangeEnd(qint64 start, qint64 extent) {
    qint64 end = 0;
    if (extent <= 0 || __builtin_add_overflow(start, extent, &end))
        return std::nullopt;
    return end;
}

bool inHalfOpenRange(qint64 value, qint64 start, qint64 extent) {
    const std::optional<qint64> end = rangeEnd(start, extent);
    return end && start <= value && value < *end;
}

bool rangesIntersect(qint64 a, qint64 aExtent, qint64 b, qint64 bExtent) {
    const std::optional<qint64> aEnd = rangeEnd(a, aExtent);
    const std::optional<qint64> bEnd = rangeEnd(b, bExtent);
    return aEnd && bEnd && b < *aEnd && a < *bEnd;
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

// The grid arithmetic of GridAlgebra.h. Every sum of a stored row and extent is checked, since
// stored spans may hold any 64-bit value.
#include "GridAlgebra.h"

#include <QRectF>
#include <QUuid>
#include <algorithm>
#include <limits>

namespace corvane {

namespace {

bool isTileable(qint64 rows, qint64 cols) {
    return rows > 0 && cols > 0 && rows <= kMaxGridCells && cols <= kMaxGridCells &&
           rows * cols <= kMaxGridCells;
}

// The span clipped to [0, rows) x [0, cols); none when it leaves nothing or its end overflows.
std::optional<GridSpan> clipped(const GridSpan& span, qint64 rows, qint64 cols) {
    qint64 rowEnd = 0;
    qint64 colEnd = 0;
    if (__builtin_add_overflow(span.row, span.rowSpan, &rowEnd) ||
        __builtin_add_overflow(span.col, span.colSpan, &colEnd))
        return std::nullopt;
    const qint64 rowStart = std::max<qint64>(span.row, 0);
    const qint64 colStart = std::max<qint64>(span.col, 0);
    rowEnd = std::min(rowEnd, rows);
    colEnd = std::min(colEnd, cols);
    if (rowEnd <= rowStart || colEnd <= colStart)
        return std::nullopt;
    return GridSpan{rowStart, colStart, rowEnd - rowStart, colEnd - colStart};
}

} // namespace

QList<GridSpan> normalizedMerges(const QList<GridSpan>& merges, qint64 rows, qint64 cols) {
    QList<GridSpan> accepted;
    if (!isTileable(rows, cols))
        return accepted;
    for (const GridSpan& merge : merges) {
        // A clipped span lies within the grid, so the product of its extents cannot overflow.
        const std::optional<GridSpan> span = clipped(merge, rows, cols);
        if (!span || span->rowSpan * span->colSpan < 2)
            continue;
        const bool overlapsEarlier = std::any_of(accepted.begin(), accepted.end(),
                                                 [&](const GridSpan& a) { return a.overlaps(*span); });
        if (!overlapsEarlier)
            accepted.append(*span);
    }
    return accepted;
}

QList<GridSpan> cellSpans(qint64 rows, qint64 cols, const QList<GridSpan>& merges) {
    QList<GridSpan> zones;
    if (!isTileable(rows, cols))
        return zones;
    const QList<GridSpan> blocks = normalizedMerges(merges, rows, cols);
    for (qint64 row = 0; row < rows; ++row) {
        for (qint64 col = 0; col < cols; ++col) {
            const GridCell cell{row, col};
            auto block = std::find_if(blocks.begin(), blocks.end(),
                                      [&](const GridSpan& b) { return b.contains(cell); });
            if (block == blocks.end())
                zones.append({row, col, 1, 1});
            else if (block->row == row && block->col == col)
                zones.append(*block);
        }
    }
    return zones;
}

SnapLayout makeGridLayout(const QString& name, qint64 rows, qint64 cols, const QList<GridSpan>& merges) {
    SnapLayout layout{QUuid::createUuid(), name, {}};
    const QList<GridSpan> spans = cellSpans(rows, cols, merges);
    if (spans.isEmpty())
        return layout;
    // One reciprocal per axis, so zones that share a grid line share the same double.
    const double columnWidth = 1.0 / double(cols);
    const double rowHeight = 1.0 / double(rows);
    for (const GridSpan& s : spans) {
        layout.zones.append(
            {QUuid::createUuid(), QRectF(double(s.col) * columnWidth, double(s.row) * rowHeight,
                                         double(s.colSpan) * columnWidth, double(s.rowSpan) * rowHeight)});
    }
    return layout;
}

std::optional<GridSpan> boundingSpan(const QSet<GridCell>& cells) {
    if (cells.size() < 2)
        return std::nullopt;
    qint64 minRow = std::numeric_limits<qint64>::max();
    qint64 maxRow = std::numeric_limits<qint64>::min();
    qint64 minCol = minRow;
    qint64 maxCol = maxRow;
    for (const GridCell& c : cells) {
        minRow = std::min(minRow, c.row);
        maxRow = std::max(maxRow, c.row);
        minCol = std::min(minCol, c.col);
        maxCol = std::max(maxCol, c.col);
    }
    qint64 rowSpan = 0;
    qint64 colSpan = 0;
    if (__builtin_sub_overflow(maxRow, minRow, &rowSpan) || __builtin_add_overflow(rowSpan, 1, &rowSpan) ||
        __builtin_sub_overflow(maxCol, minCol, &colSpan) || __builtin_add_overflow(colSpan, 1, &colSpan))
        return std::nullopt;
    return GridSpan{minRow, minCol, rowSpan, colSpan};
}

QList<GridSpan> mergesAdding(const GridSpan& span, const QList<GridSpan>& merges) {
    QList<GridSpan> result;
    for (const GridSpan& m : merges) {
        if (!m.overlaps(span))
            result.append(m);
    }
    result.append(span);
    return result;
}

QList<GridSpan> mergesRemoving(const QSet<GridCell>& cells, const QList<GridSpan>& merges) {
    QList<GridSpan> result;
    for (const GridSpan& m : merges) {
        const bool touched =
            std::any_of(cells.begin(), cells.end(), [&](const GridCell& c) { return m.contains(c); });
        if (!touched)
            result.append(m);
    }
    return result;
}

} // namespace corvane

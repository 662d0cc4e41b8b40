#include "GridAlgebra.h"

#include <algorithm>

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
    if (rows <= 0 || cols <= 0)
        return accepted;
    for (const GridSpan& merge : merges) {
        const std::optional<GridSpan> span = clipped(merge, rows, cols);
        // Extents are at most rows and cols here, but their product can still overflow.
        qint64 area = 0;
        if (!span || __builtin_mul_overflow(span->rowSpan, span->colSpan, &area) || area < 2)
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

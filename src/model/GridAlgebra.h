#pragma once
// The arithmetic of custom grids: cleaning merged blocks, tiling a grid into zones, and the
// grid builder's grouping operations.

#include "model/GridCell.h"
#include "model/GridSpan.h"

#include <QList>
#include <QSet>
#include <optional>

namespace corvane {

// Stored grids are not checked when read, so a grid of more cells than this is treated as empty:
// tiling a grid of 10^12 cells would never finish. The grid builder makes at most 5 x 5.
inline constexpr qint64 kMaxGridCells = 10000;

// Merges clipped to a rows x cols grid, without single-cell blocks and without blocks that overlap
// an earlier kept one. Negative counts give an empty grid; a span whose end overflows is dropped.
QList<GridSpan> normalizedMerges(const QList<GridSpan>& merges, qint64 rows, qint64 cols);

// The zones that tile the grid: merged blocks and single cells, ordered by their top-left cells, row by row.
QList<GridSpan> cellSpans(qint64 rows, qint64 cols, const QList<GridSpan>& merges);

// The smallest span holding at least two cells; none for fewer.
std::optional<GridSpan> boundingSpan(const QSet<GridCell>& cells);

// The merges without every one that overlaps the new span, with the new span appended.
QList<GridSpan> mergesAdding(const GridSpan& span, const QList<GridSpan>& merges);

// The merges without every one that contains one of the cells, in their order.
QList<GridSpan> mergesRemoving(const QSet<GridCell>& cells, const QList<GridSpan>& merges);

} // namespace corvane

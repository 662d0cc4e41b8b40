#pragma once
// The arithmetic of custom grids: cleaning merged blocks, tiling a grid into zones, and the
// grid builder's grouping operations. Grid presets and the built-in grids both use it.

#include "model/GridCell.h"
#include "model/GridSpan.h"
#include "model/SnapLayout.h"

#include <QList>
#include <QSet>
#include <optional>

namespace corvane {

// Stored grids are not checked when read, so a grid of more cells than this is treated as empty:
// tiling a grid of 10^12 cells would never finish. The grid builder makes at most 5 x 5.
inline constexpr qint64 kMaxGridCells = 10000;

// Merges clipped to a rows x cols grid, without single-cell blocks and without blocks that overlap
// an earlier kept one. Negative counts give an empty grid; a span whose end overflows is dropped.
// A grid treated as empty has no merges either.
QList<GridSpan> normalizedMerges(const QList<GridSpan>& merges, qint64 rows, qint64 cols);

// The zones that tile the grid: merged blocks and single cells, ordered by their top-left cells, row by row.
QList<GridSpan> cellSpans(qint64 rows, qint64 cols, const QList<GridSpan>& merges);

// A layout named `name` with a fresh id, one zone (with a fresh id) per entry of cellSpans, in
// fractions of the grid.
SnapLayout makeGridLayout(const QString& name, qint64 rows, qint64 cols, const QList<GridSpan>& merges);

// The smallest span holding at least two cells; none for fewer, or when its extent would not fit.
std::optional<GridSpan> boundingSpan(const QSet<GridCell>& cells);

// The merges without every one that overlaps the new span, with the new span appended.
QList<GridSpan> mergesAdding(const GridSpan& span, const QList<GridSpan>& merges);

// The merges without every one that contains one of the cells, in their order.
QList<GridSpan> mergesRemoving(const QSet<GridCell>& cells, const QList<GridSpan>& merges);

} // namespace corvane

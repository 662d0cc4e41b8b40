#pragma once
// A rectangular block of grid cells: rows row ..< row + rowSpan, columns col ..< col + colSpan.
// Stored spans are not checked, so every operation here copes with negative and huge values.

#include "model/GridCell.h"

#include <QSet>

namespace corvane {

struct GridSpan {
    qint64 row = 0;
    qint64 col = 0;
    qint64 rowSpan = 0;
    qint64 colSpan = 0;

    friend bool operator==(const GridSpan&, const GridSpan&) = default;

    // Every cell the span covers; empty when an extent is 0 or less, or the span is too large to list.
    QSet<GridCell> cells() const;
    bool contains(GridCell cell) const;
    bool overlaps(const GridSpan& other) const;
};

inline size_t qHash(const GridSpan& span, size_t seed = 0) {
    return qHashMulti(seed, span.row, span.col, span.rowSpan, span.colSpan);
}

} // namespace corvane

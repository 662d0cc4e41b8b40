#pragma once
// One cell of a custom grid, as the grid builder selects it.

#include <QHashFunctions>
#include <QtGlobal>

namespace corvane {

struct GridCell {
    qint64 row = 0; // 0 is the top row
    qint64 col = 0; // 0 is the left column

    friend bool operator==(const GridCell&, const GridCell&) = default;
};

inline size_t qHash(const GridCell& cell, size_t seed = 0) {
    return qHashMulti(seed, cell.row, cell.col);
}

} // namespace corvane

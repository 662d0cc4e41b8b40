// Preset hashing and the grid preset's layout; equality is memberwise (Preset.h).
#include "Preset.h"

#include "model/GridAlgebra.h"

namespace corvane {

namespace {

// Optionals hash as a presence marker, then the value when present.
template <typename T> size_t hashOptional(size_t seed, const std::optional<T>& value) {
    return value ? qHashMulti(seed, 1, *value) : qHashMulti(seed, 0);
}

} // namespace

size_t qHash(const Preset& p, size_t seed) {
    size_t h = qHashMulti(seed, p.id, p.name);
    h = hashOptional(h, p.width);
    h = hashOptional(h, p.height);
    h = hashOptional(h, p.rows);
    h = hashOptional(h, p.cols);
    if (!p.merges)
        return qHashMulti(h, 0);
    h = qHashMulti(h, 1, p.merges->size());
    for (const GridSpan& s : *p.merges)
        h = qHashMulti(h, s.row, s.col, s.rowSpan, s.colSpan);
    return h;
}

std::optional<SnapLayout> Preset::gridLayout() const {
    if (!isGridPreset())
        return std::nullopt;
    return makeGridLayout(name, *rows, *cols, merges.value_or(QList<GridSpan>{}));
}

} // namespace corvane

#pragma once
// A user preset: a window size (width and height) or a custom grid (rows, columns, merged blocks).
// Only presets are stored; PresetCoding turns them into JSON and back.

#include "model/GridSpan.h"
#include "model/SnapLayout.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace corvane {

struct Preset {
    QUuid id;
    QString name;
    std::optional<double> width;
    std::optional<double> height;
    std::optional<qint64> rows;
    std::optional<qint64> cols;
    std::optional<QList<GridSpan>> merges; // absent and empty both merge nothing, but differ in equality

    friend bool operator==(const Preset&, const Preset&) = default;

    bool isGridPreset() const { return rows.has_value() && cols.has_value(); }
    bool isSizePreset() const { return width.has_value() && height.has_value(); }
    // The grid as a layout named after the preset, with fresh ids each time; none for a size preset.
    std::optional<SnapLayout> gridLayout() const;
};

size_t qHash(const Preset& preset, size_t seed = 0);

} // namespace corvane

// The eight built-in layouts; "Thirds" and "Six Pack" come from the same grid rule as grid presets.
#include "BuiltInLayouts.h"

#include "model/GridAlgebra.h"

namespace corvane {

namespace {

// The same doubles the grid rule gives for one and two thirds.
constexpr double kThird = 1.0 / 3.0;
constexpr double kTwoThirds = 2.0 / 3.0;

SnapLayout layoutOf(const QString& name, std::initializer_list<QRectF> rects) {
    SnapLayout layout{QUuid::createUuid(), name, {}};
    for (const QRectF& r : rects)
        layout.zones.append({QUuid::createUuid(), r});
    return layout;
}

QList<SnapLayout> makeBuiltInLayouts() {
    return {
        layoutOf(QStringLiteral("Split"), {{0, 0, 0.5, 1}, {0.5, 0, 0.5, 1}}),
        layoutOf(QStringLiteral("Quadrant"),
                 {{0, 0, 0.5, 0.5}, {0.5, 0, 0.5, 0.5}, {0, 0.5, 0.5, 0.5}, {0.5, 0.5, 0.5, 0.5}}),
        makeGridLayout(QStringLiteral("Thirds"), 1, 3, {}),
        layoutOf(QStringLiteral("Rows"), {{0, 0, 1, 0.5}, {0, 0.5, 1, 0.5}}),
        layoutOf(QStringLiteral("Right Bias"), {{0, 0, kThird, 1}, {kThird, 0, kTwoThirds, 1}}),
        layoutOf(QStringLiteral("Bias"), {{0, 0, kTwoThirds, 1}, {kTwoThirds, 0, kThird, 1}}),
        makeGridLayout(QStringLiteral("Six Pack"), 2, 3, {}),
        layoutOf(QStringLiteral("Focus"), {{0, 0, 0.25, 1}, {0.25, 0, 0.5, 1}, {0.75, 0, 0.25, 1}}),
    };
}

} // namespace

const QList<SnapLayout>& builtInLayouts() {
    static const QList<SnapLayout> layouts = makeBuiltInLayouts();
    return layouts;
}

} // namespace corvane

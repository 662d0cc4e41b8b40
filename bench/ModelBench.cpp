// The geometry every placement path shares: a zone to a screen rectangle, a grid to its zones.
// These run on every confirmed drag event, so they must stay in the nanoseconds.
#include "model/BuiltInLayouts.h"
#include "model/GridAlgebra.h"
#include "model/Preset.h"
#include "model/ScreenGeometry.h"

#include <benchmark/benchmark.h>

namespace corvane {
namespace {

void BM_ScreenRectForEveryZoneOfSixPack(benchmark::State& state) {
    const SnapLayout& layout = builtInLayouts().at(6);
    const QRectF visible(0, 25, 1440, 875);
    for (auto _ : state) {
        for (const SnapZone& zone : layout.zones)
            benchmark::DoNotOptimize(screenRect(zone.rect, visible));
    }
}
BENCHMARK(BM_ScreenRectForEveryZoneOfSixPack);

void BM_CellSpansOfAFiveByFiveGridWithMerges(benchmark::State& state) {
    const QList<GridSpan> merges{{0, 0, 2, 2}, {2, 2, 3, 3}, {0, 3, 1, 2}};
    for (auto _ : state)
        benchmark::DoNotOptimize(cellSpans(5, 5, merges));
}
BENCHMARK(BM_CellSpansOfAFiveByFiveGridWithMerges);

void BM_GridLayoutOfAPreset(benchmark::State& state) {
    Preset preset;
    preset.name = QStringLiteral("Work");
    preset.rows = 2;
    preset.cols = 3;
    preset.merges = QList<GridSpan>{{0, 0, 2, 2}};
    for (auto _ : state)
        benchmark::DoNotOptimize(preset.gridLayout());
}
BENCHMARK(BM_GridLayoutOfAPreset);

} // namespace
} // namespace corvane

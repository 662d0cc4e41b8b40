// The per-event costs of the two pointer features on a simulated desktop: one drag event once the
// drag is confirmed (zone search and preview update, with the real preview window on the offscreen
// platform) and one mouse move outside every title-bar corner with the palette on.
#include "control/WindowController.h"
#include "dragsnap/DragSnapMonitor.h"
#include "dragsnap/DragSnapSettings.h"
#include "dragsnap/SnapPreviewOverlay.h"
#include "input/GlobalKeyMonitor.h"
#include "palette/ZoomPaletteMonitor.h"
#include "platform/sim/SimDesktop.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace corvane {
namespace {

struct IdleSwitch final : FeatureSwitch {
    void applyStartRule() override {}
};
struct IdleMonitor final : FeatureMonitor {
    void start() override {}
    void stop() override {}
};
struct HiddenPalette final : PalettePresenter {
    void show(const QRectF&, PickHandler) override {}
    void hide() override {}
    std::optional<QRectF> shownFrame() const override { return std::nullopt; }
};

// One 1440 x 900 screen with a menu bar and a dozen ordinary windows of other applications.
struct Desktop {
    SimDesktop desk;
    Platform platform = desk.platform();
    QList<SimWindowId> windows;
    Desktop() {
        desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
        for (int i = 0; i < 12; ++i) {
            const qint32 app = desk.addApplication(QStringLiteral("App %1").arg(i));
            windows.append(desk.addWindow(app, QRectF(40 + 30 * i, 60 + 20 * i, 700, 500)));
            desk.addTitleBarButtons(windows.last());
        }
    }
    void pointerAt(QPointF ax) { desk.events().setMouseLocation(QPointF(ax.x(), 900 - ax.y())); }
};

// The pointer moves between the two spots on every event: within one zone, or across a zone border
// so that the preview window moves each time.
void BM_ConfirmedDragEvent(benchmark::State& state, QPointF first, QPointF second) {
    Desktop d;
    GlobalKeyMonitor keys(d.platform.events);
    IdleSwitch idle;
    WindowController controller(d.platform, keys, idle, idle);
    IdleMonitor settingsMonitor;
    DragSnapSettings settings(d.platform, settingsMonitor);
    SnapPreviewOverlay preview(d.platform);
    DragSnapMonitor monitor(d.platform, [&](const QString& name) { return controller.layout(name); }, settings,
                            preview);
    const SimWindowId front = d.windows.last();
    const QRectF frame = d.desk.windowFrame(front);
    double clock = 1000;
    d.pointerAt(frame.topLeft() + QPointF(300, 8));
    monitor.handleMouseDown(SimEvents::mouse(EventType::LeftMouseDown, clock));
    d.desk.setWindowFrame(front, frame.translated(40, 0));
    d.pointerAt(frame.topLeft() + QPointF(340, 8));
    monitor.handleMouseDragged(SimEvents::mouse(EventType::LeftMouseDragged, clock += 0.05));
    if (!monitor.isDragConfirmed()) {
        state.SkipWithError("the drag did not confirm");
        return;
    }
    const QPointF spots[] = {first, second};
    int i = 0;
    for (auto _ : state) {
        d.pointerAt(spots[i ^= 1]);
        monitor.handleMouseDragged(SimEvents::mouse(EventType::LeftMouseDragged, clock += 0.01));
    }
    benchmark::DoNotOptimize(monitor.pendingRect());
}
BENCHMARK_CAPTURE(BM_ConfirmedDragEvent, within_a_zone, QPointF(300, 300), QPointF(310, 305));
BENCHMARK_CAPTURE(BM_ConfirmedDragEvent, across_a_zone_border, QPointF(700, 300), QPointF(740, 300));

void BM_MouseMoveOutsideEveryCorner(benchmark::State& state) {
    Desktop d;
    HiddenPalette palette;
    ZoomPaletteMonitor monitor(d.platform, palette);
    monitor.start();
    d.pointerAt(QPointF(1200, 800));
    monitor.evaluate(true); // fetches the corner list; the manual clock keeps it fresh
    for (auto _ : state)
        monitor.evaluate(true);
    if (d.desk.windowServer().copyCount() != 1)
        state.SkipWithError("the corner list was fetched more than once");
}
BENCHMARK(BM_MouseMoveOutsideEveryCorner);

} // namespace
} // namespace corvane

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The per-event costs of the two pointer features on a simulated desktop: one drag event once the
// drag is confirmed (zone search and preview update, with the real preview window on the offscreen
// platform; with no spacing around zones and with some; with a layout given to the monitor itself) and
// one mouse move outside every title-bar corner with the palette on; one step of a user's resize of a
// window with placed neighbours, to the neighbours written.
#include "control/MonitorKey.h"
#include "control/WindowController.h"
#include "control/WindowLookup.h"
#include "dragsnap/DragSnapMonitor.h"
#include "dragsnap/DragSnapSettings.h"
#include "dragsnap/SnapPreviewOverlay.h"
#include "palette/QuickSnapMonitor.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimTitleBar.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstring>
#include <valgrind/callgrind.h>

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

// One 1440 x 900 screen with a menu bar and ordinary windows of other applications, a dozen unless
// said otherwise, stacked down and to the right.
struct Desktop {
    SimDesktop desk;
    Platform platform = desk.platform();
    QList<SimWindowId> windows;
    QList<qint32> applications; // one a window
    explicit Desktop(int windowCount = 12) {
        desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
        for (int i = 0; i < windowCount; ++i) {
            const qint32 app = desk.addApplication(QStringLiteral("App %1").arg(i));
            applications.append(app);
            windows.append(desk.addWindow(app, QRectF(40 + 30 * (i % 20), 60 + 20 * (i % 20), 700, 500)));
            addTitleBarButtons(desk, windows.last());
        }
    }
    void pointerAt(QPointF ax) { desk.events().setMouseLocation(QPointF(ax.x(), 900 - ax.y())); }
};

// A drag confirmed on the front window; each step is one drag event with the pointer at the next of
// two spots: within one zone, or across a zone border so that the preview window moves each time.
// With a monitor layout, the screen has a drag layout of its own (the same Quadrant), looked up by
// its key at each event.
class DragScenario {
public:
    DragScenario(QPointF first, QPointF second, ZoneSpacing spacing = {}, bool hasMonitorLayout = false)
        : m_spots{first, second} {
        m_zoneSpacing.setGap(spacing.gap);
        m_zoneSpacing.setMargin(spacing.margin);
        if (hasMonitorLayout) {
            const QList<Screen> screens = m_desktop.platform.screens.screens();
            m_settings.setMonitorLayoutName(MonitorKey::of(screens.first(), screens),
                                            m_settings.layoutName());
        }
        const SimWindowId front = m_desktop.windows.last();
        const QRectF frame = m_desktop.desk.windowFrame(front);
        m_desktop.pointerAt(frame.topLeft() + QPointF(300, 8));
        m_monitor.handleMouseDown(SimEvents::mouse(EventType::LeftMouseDown, m_clock));
        m_desktop.desk.setWindowFrame(front, frame.translated(40, 0));
        m_desktop.pointerAt(frame.topLeft() + QPointF(340, 8));
        m_monitor.handleMouseDragged(SimEvents::mouse(EventType::LeftMouseDragged, m_clock += 0.05));
    }
    bool isReady() const { return m_monitor.isDragConfirmed(); }
    void step() {
        m_desktop.pointerAt(m_spots[m_next ^= 1]);
        m_monitor.handleMouseDragged(SimEvents::mouse(EventType::LeftMouseDragged, m_clock += 0.01));
        benchmark::DoNotOptimize(m_monitor.pendingRect());
    }

private:
    Desktop m_desktop;
    IdleSwitch m_idle;
    FrameWriteQueue m_frameWrites{m_desktop.platform};
    ZoneSpacingSettings m_zoneSpacing{m_desktop.platform.defaults};
    ExcludedApplications m_excluded{m_desktop.platform};
    WindowController m_controller{m_desktop.platform, m_frameWrites, m_zoneSpacing, m_idle, m_idle,
                                  m_excluded};
    IdleMonitor m_settingsMonitor;
    DragSnapSettings m_settings{m_desktop.platform, m_settingsMonitor};
    SnapPreviewOverlay m_preview{m_desktop.platform};
    DragSnapMonitor m_monitor{m_desktop.platform,
                              m_frameWrites,
                              [this](const QString& name) { return m_controller.presets().layout(name); },
                              m_settings,
                              m_zoneSpacing,
                              m_excluded,
                              m_preview};
    QPointF m_spots[2];
    int m_next = 0;
    double m_clock = 1000;
};

// The palette on, the corner list fetched; each step is one mouse move outside every corner. The
// windows stay as they are, so no step reads the list again.
class CornerScenario {
public:
    CornerScenario() {
        m_monitor.start();
        m_desktop.pointerAt(QPointF(1200, 800));
        m_monitor.evaluate(true);
    }
    bool isReady() { return m_desktop.desk.windowServer().wholeListCopyCount() == 1; }
    void step() { m_monitor.evaluate(true); }

private:
    Desktop m_desktop;
    HiddenPalette m_palette;
    FrameWriteQueue m_frameWrites{m_desktop.platform};
    ZoneSpacingSettings m_zoneSpacing{m_desktop.platform.defaults};
    ExcludedApplications m_excluded{m_desktop.platform};
    QuickSnapMonitor m_monitor{m_desktop.platform, m_frameWrites, m_zoneSpacing, m_palette, m_excluded};
};

// Fifty windows open, four of them placed in the quadrants; the top-left one held by its right border,
// each step is one change of its width that the window server reports, to the window on its right
// written (the simulated window server applies a write at once); the two below share no edge with it.
class NeighbourScenario {
public:
    NeighbourScenario() {
        for (qsizetype i = 0; i < 4; ++i) {
            const SimWindowId w = m_desktop.windows[i];
            const qint32 pid = m_desktop.applications[i];
            m_desktop.desk.setFocusedWindow(pid, w);
            m_desktop.desk.activateApplication(pid);
            m_desktop.desk.settle();
            m_controller.cycle().snapToZone(QStringLiteral("Quadrant"), i);
            m_desktop.desk.runLoop().advance(kFrameRequestTimeout);
        }
        m_held = m_desktop.windows[0];
        m_start = m_desktop.desk.windowFrame(m_held);
        m_desktop.desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDown, 1000));
        step();
    }
    bool isReady() { return m_controller.neighbourResizer().isFollowing() && m_followed == m_steps; }
    void step() {
        m_desktop.desk.setWindowFrame(m_held, m_start.adjusted(0, 0, (++m_steps % 2) ? 40 : 20, 0));
        m_desktop.desk.settle();
    }

private:
    Desktop m_desktop{50};
    IdleSwitch m_idle;
    FrameWriteQueue m_frameWrites{m_desktop.platform};
    ZoneSpacingSettings m_zoneSpacing{m_desktop.platform.defaults};
    ExcludedApplications m_excluded{m_desktop.platform};
    WindowController m_controller{m_desktop.platform, m_frameWrites, m_zoneSpacing, m_idle, m_idle,
                                  m_excluded};
    SimWindowId m_held = 0;
    QRectF m_start;
    int m_steps = 0;
    int m_followed = 0;
    QMetaObject::Connection m_counting =
        QObject::connect(&m_controller.neighbourResizer(), &NeighbourResizer::neighboursFollowed,
                         [this](int count) { m_followed += count; });
};

template <typename Scenario, typename... Args> void runSteps(benchmark::State& state, Args... args) {
    Scenario scenario(args...);
    for (auto _ : state)
        scenario.step();
    if (!scenario.isReady())
        state.SkipWithError("the scenario did not set up as intended");
}

void BM_ConfirmedDragEventWithinAZone(benchmark::State& state) {
    runSteps<DragScenario>(state, QPointF(300, 300), QPointF(310, 305));
}
BENCHMARK(BM_ConfirmedDragEventWithinAZone);

void BM_ConfirmedDragEventAcrossAZoneBorder(benchmark::State& state) {
    runSteps<DragScenario>(state, QPointF(700, 300), QPointF(740, 300));
}
BENCHMARK(BM_ConfirmedDragEventAcrossAZoneBorder);

void BM_ConfirmedDragEventWithinAZoneOfAMonitorsOwnLayout(benchmark::State& state) {
    runSteps<DragScenario>(state, QPointF(300, 300), QPointF(310, 305), ZoneSpacing{}, true);
}
BENCHMARK(BM_ConfirmedDragEventWithinAZoneOfAMonitorsOwnLayout);

// The same two with a gap and a margin: the preview shows the spaced frame.
void BM_ConfirmedDragEventWithinAZoneWithSpacing(benchmark::State& state) {
    runSteps<DragScenario>(state, QPointF(300, 300), QPointF(310, 305), ZoneSpacing{11, 8});
}
BENCHMARK(BM_ConfirmedDragEventWithinAZoneWithSpacing);

void BM_ConfirmedDragEventAcrossAZoneBorderWithSpacing(benchmark::State& state) {
    runSteps<DragScenario>(state, QPointF(700, 300), QPointF(740, 300), ZoneSpacing{11, 8});
}
BENCHMARK(BM_ConfirmedDragEventAcrossAZoneBorderWithSpacing);

void BM_MouseMoveOutsideEveryCorner(benchmark::State& state) {
    runSteps<CornerScenario>(state);
}
BENCHMARK(BM_MouseMoveOutsideEveryCorner);

void BM_NeighbourFollowAmong50Windows(benchmark::State& state) {
    runSteps<NeighbourScenario>(state);
}
BENCHMARK(BM_NeighbourFollowAmong50Windows);

// With 500 windows open: the window-list lookup a press makes and the palette's corner-list fetch.
// The list is built once and handed out as is, so what is timed is reading it, not the simulation.
struct ListedDesktop : Desktop {
    explicit ListedDesktop(int windowCount)
        : Desktop(windowCount) {
        desk.faults().setWindowListResult(
            platform.windowServer.copyWindowList(WindowListOption::OnScreenOnlyExcludingDesktop, 0));
    }
};

void BM_PressLookupAmong500Windows(benchmark::State& state) {
    ListedDesktop d(500);
    const QPointF point(1300, 850); // only the backmost windows reach here: the whole list is read
    for (auto _ : state)
        benchmark::DoNotOptimize(windowAt(d.platform, point));
}
BENCHMARK(BM_PressLookupAmong500Windows);

void BM_CornerListFetchOf500Windows(benchmark::State& state) {
    ListedDesktop d(500);
    for (auto _ : state)
        benchmark::DoNotOptimize(titleBarCorners(d.platform));
}
BENCHMARK(BM_CornerListFetchOf500Windows);

// Instruction counts under callgrind, which the timing varies around: only the steps are counted.
template <typename Scenario, typename... Args> void countInstructions(const char* name, Args... args) {
    constexpr int kSteps = 10000;
    Scenario scenario(args...);
    scenario.step(); // first-use costs stay out
    CALLGRIND_ZERO_STATS;
    CALLGRIND_TOGGLE_COLLECT;
    for (int i = 0; i < kSteps; ++i)
        scenario.step();
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(name);
}

} // namespace
} // namespace corvane

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--callgrind") == 0) {
        using namespace corvane;
        countInstructions<DragScenario>("drag-within-zone", QPointF(300, 300), QPointF(310, 305));
        countInstructions<DragScenario>("drag-across-border", QPointF(700, 300), QPointF(740, 300));
        countInstructions<DragScenario>("drag-within-zone-spaced", QPointF(300, 300), QPointF(310, 305),
                                        ZoneSpacing{11, 8});
        countInstructions<DragScenario>("drag-within-zone-own-layout", QPointF(300, 300), QPointF(310, 305),
                                        ZoneSpacing{}, true);
        countInstructions<CornerScenario>("move-outside-corners");
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#pragma once
// Drag to snap on a simulated desktop: one 1440 x 900 screen with a 25-point menu bar, an editor
// window at AX (100, 100, 800, 600), the real preset store and settings, and a recorded preview.

#include "control/PresetStore.h"
#include "dragsnap/DragSnapMonitor.h"
#include "dragsnap/DragSnapSettings.h"
#include "support/EditorDesktop.h"

#include <gtest/gtest.h>

namespace corvane {

struct RecordingPreview final : SnapPreview {
    QList<QRectF> shown;
    int hides = 0;
    std::optional<QRectF> current;
    std::optional<QRectF> displaced;
    void show(const QRectF& frame, const std::optional<QRectF>& displacedFrame) override {
        shown.append(frame);
        current = frame;
        displaced = displacedFrame;
    }
    void hide() override {
        ++hides;
        current.reset();
        displaced.reset();
    }
};

class DragSnapTest : public ::testing::Test, protected EditorDesktop {
protected:
    PresetStore presets{platform.defaults};
    RecordingPreview preview;
    struct NullMonitor final : FeatureMonitor {
        void start() override {}
        void stop() override {}
    } settingsMonitor;
    DragSnapSettings settings{platform, settingsMonitor};
    FrameWriteQueue frameWrites{platform};
    ZoneSpacingSettings zoneSpacing{platform.defaults};
    ExcludedApplications excluded{platform};
    DragSnapMonitor monitor{
        platform, frameWrites, [this](const QString& name) { return presets.layout(name); },
        settings, zoneSpacing, excluded,
        preview};
    double clock = 1000;

    void SetUp() override { monitor.start(); }

    // Pointer positions are given in AX coordinates here, as the window frames are.
    void pointerAt(QPointF ax) { desk.events().setMouseLocation(QPointF(ax.x(), 900 - ax.y())); }
    void press(QPointF ax, quint64 flags = 0) {
        pointerAt(ax);
        desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDown, clock, flags));
    }
    void drag(QPointF ax, double after = 0.05, quint64 flags = 0) {
        clock += after;
        pointerAt(ax);
        desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseDragged, clock, flags));
    }
    void release() {
        clock += 0.01;
        desk.events().sendGlobal(SimEvents::mouse(EventType::LeftMouseUp, clock));
    }
    void moveWindowBy(double dx, double dy = 0) {
        const QRectF f = desk.windowFrame(window);
        desk.setWindowFrame(window, f.translated(dx, dy));
    }
};

} // namespace corvane

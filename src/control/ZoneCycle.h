#pragma once
// Cycle mode: applying a layout (or zone N of it) puts the target window in a zone and lets the
// arrows step it through the layout's zones until five seconds pass without a step. A size preset
// applied by name resizes instead and ends the cycle. The placing is WindowPlacer's.

#include "control/PresetStore.h"
#include "control/WindowPlacer.h"
#include "platform/RunLoop.h"

#include <QObject>
#include <memory>
#include <optional>

namespace corvane {

class ZoneCycle : public QObject {
    Q_OBJECT
public:
    ZoneCycle(RunLoop& runLoop, const PresetStore& presets, WindowPlacer& placer, QObject* parent = nullptr);

    bool isActive() const { return m_isActive; }
    // The layout the arrows step through; it outlives the time-out.
    const std::optional<QString>& layoutName() const { return m_layoutName; }
    qint64 zoneIndex() const { return m_zoneIndex; }
    bool hasTimeoutTimer() const { return m_timeoutTimer != nullptr; }
    static constexpr double timeoutSeconds = 5.0;

    // Zone 0 of a layout, or a size preset's size. Names match exactly.
    Placement applyLayout(const QString& name, WriteDone done = {});
    // Zone `index` (from 0, in the layout's order) of a layout, entering cycle mode there as
    // applyLayout does at zone 0.
    Placement snapToZone(const QString& name, qint64 index, WriteDone done = {});
    // The smallest rectangle covering zones `first` and `last` (from 0, either order) of a layout. One
    // zone is snapToZone; a span leaves cycle mode, and a later step goes on from the span's last zone.
    Placement snapToZones(const QString& name, qint64 first, qint64 last, WriteDone done = {});
    // The next (`step` 1) or previous (-1) zone, wrapping at either end.
    Placement cycleZone(qint64 step, WriteDone done = {});
    // Leaves cycle mode (the timer runs out on its own) and moves the window to the next screen.
    Placement moveToAdjacentScreen(qint64 step, WriteDone done = {});
    // A layout of this name is gone: nothing is left to step through.
    void releaseLayoutName(const QString& name);

private:
    Placement enter(const QString& name, const SnapLayout& layout, qint64 index, WriteDone done);
    void restartTimeout();
    void end();

    RunLoop& m_runLoop;
    const PresetStore& m_presets;
    WindowPlacer& m_placer;
    bool m_isActive = false;
    std::optional<QString> m_layoutName;
    qint64 m_zoneIndex = 0;
    std::unique_ptr<Timer> m_timeoutTimer;
};

} // namespace corvane

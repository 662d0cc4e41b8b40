#include "ZoneCycle.h"

#include <algorithm>

namespace corvane {

ZoneCycle::ZoneCycle(RunLoop& runLoop, const PresetStore& presets, WindowPlacer& placer, QObject* parent)
    : QObject(parent)
    , m_runLoop(runLoop)
    , m_presets(presets)
    , m_placer(placer) {}

Placement ZoneCycle::enter(const QString& name, const SnapLayout& layout, qint64 index, WriteDone done) {
    m_layoutName = name;
    m_zoneIndex = index;
    m_isActive = true;
    restartTimeout();
    return m_placer.snapFocusedWindow(layout.zones.at(index).rect, std::nullopt, std::move(done), name);
}

Placement ZoneCycle::applyLayout(const QString& name, WriteDone done) {
    const std::optional<SnapLayout> found = m_presets.layout(name);
    if (found && !found->zones.isEmpty())
        return enter(name, *found, 0, std::move(done));
    for (const Preset& preset : m_presets.all()) {
        if (preset.name != name)
            continue;
        if (!preset.isSizePreset())
            break;
        m_layoutName.reset();
        end();
        return m_placer.resizeFocusedWindow(*preset.width, *preset.height, std::move(done));
    }
    return Placement::UnknownLayout;
}

Placement ZoneCycle::snapToZone(const QString& name, qint64 index, WriteDone done) {
    const std::optional<SnapLayout> found = m_presets.layout(name);
    if (!found || found->zones.isEmpty())
        return Placement::UnknownLayout;
    if (index < 0 || index >= found->zones.size())
        return Placement::NoSuchZone;
    return enter(name, *found, index, std::move(done));
}

Placement ZoneCycle::snapToZones(const QString& name, qint64 first, qint64 last, WriteDone done) {
    if (first == last)
        return snapToZone(name, first, std::move(done));
    const std::optional<SnapLayout> found = m_presets.layout(name);
    if (!found || found->zones.isEmpty())
        return Placement::UnknownLayout;
    const qint64 count = found->zones.size();
    if (std::min(first, last) < 0 || std::max(first, last) >= count)
        return Placement::NoSuchZone;
    m_layoutName = name;
    m_zoneIndex = std::max(first, last);
    m_isActive = false;
    const QRectF span = found->zones.at(first).rect.united(found->zones.at(last).rect);
    return m_placer.snapFocusedWindow(span, std::nullopt, std::move(done));
}

Placement ZoneCycle::cycleZone(qint64 step, WriteDone done) {
    if (!m_layoutName)
        return Placement::NoCycledLayout;
    restartTimeout();
    const std::optional<SnapLayout> cycled = m_presets.layout(*m_layoutName);
    const qsizetype count = cycled ? cycled->zones.size() : 0;
    if (count == 0)
        return Placement::NoCycledLayout;
    qint64 i = 0;
    if (__builtin_add_overflow(m_zoneIndex, step, &i) || i >= count)
        i = step < 0 ? count - 1 : 0;
    else if (i < 0)
        i = count - 1;
    m_zoneIndex = i;
    return m_placer.snapFocusedWindow(cycled->zones.at(i).rect, std::nullopt, std::move(done), *m_layoutName);
}

Placement ZoneCycle::moveToAdjacentScreen(qint64 step, WriteDone done) {
    m_isActive = false;
    return m_placer.moveToAdjacentScreen(step, std::move(done));
}

void ZoneCycle::releaseLayoutName(const QString& name) {
    if (m_layoutName != name)
        return;
    m_layoutName.reset();
    m_isActive = false;
}

void ZoneCycle::restartTimeout() {
    m_runLoop.post(
        this, [this] { m_timeoutTimer = m_runLoop.scheduleTimer(timeoutSeconds, false, [this] { end(); }); });
}

void ZoneCycle::end() {
    m_runLoop.post(this, [this] {
        m_isActive = false;
        m_timeoutTimer.reset();
    });
}

} // namespace corvane

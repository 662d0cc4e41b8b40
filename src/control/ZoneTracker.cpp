#include "ZoneTracker.h"

#include "control/WindowAccess.h"
#include "control/WindowLookup.h"

#include <QPointer>

namespace corvane {

ZoneTracker::ZoneTracker(Platform& platform, FrameWriteQueue& writes, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_writes(writes) {
    // The queue may outlive this tracker.
    m_writes.setObserver(
        {[self = QPointer(this)](const FrameWriteQueue::Request& r) {
             if (self)
                 self->writeAsked(r);
         },
         [self = QPointer(this)](const FrameWriteQueue::Request& r, const FrameResult& result) {
             if (self)
                 self->writeLanded(r, result);
         }});
    WindowServer& server = platform.windowServer;
    connect(&server, &WindowServer::windowRemoved, this, &ZoneTracker::windowRemoved);
    connect(&server, &WindowServer::windowFrameChanged, this, &ZoneTracker::frameChanged);
}

std::optional<ZonePlace> ZoneTracker::zoneOf(AxElement window) {
    // On its way: the zone the last write asked for counts already, so quick presses add up.
    if (const auto asked = m_writing.constFind(window.handle); asked != m_writing.cend())
        return *asked;
    const auto placed = m_placed.constFind(window.handle);
    if (placed == m_placed.cend())
        return std::nullopt;
    const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, window);
    if (!frame || !framesMatch(*frame, placed->frame))
        return std::nullopt;
    return placed->zone.place;
}

std::optional<ZoneTracker::Settled> ZoneTracker::settledOf(AxElement window) const {
    const auto placed = m_placed.constFind(window.handle);
    if (placed == m_placed.cend())
        return std::nullopt;
    return Settled{placed->zone.place, placed->frame};
}

QList<WindowZone> ZoneTracker::placedZones() const {
    QList<WindowZone> zones;
    for (const Placed& placed : m_placed)
        zones.append(placed.zone);
    return zones;
}

QList<ZoneTracker::WindowInZone> ZoneTracker::windowsInZones() {
    QList<WindowInZone> windows;
    const QVariantList list =
        m_platform.windowServer.copyWindowList(WindowListOption::OnScreenOnlyExcludingDesktop, 0).toList();
    for (const QVariant& entry : list) {
        bool isNumber = false;
        const quint32 number = entry.toMap().value(QLatin1String(windowinfo::kNumber)).toUInt(&isNumber);
        if (!isNumber || number == 0)
            continue;
        const AxElement window = m_platform.accessibility.elementOfWindow(number);
        if (!m_placed.contains(window.handle) && !m_writing.contains(window.handle))
            continue;
        if (const std::optional<ZonePlace> place = zoneOf(window))
            windows.append({window, *place});
    }
    return windows;
}

void ZoneTracker::writeAsked(const FrameWriteQueue::Request& request) {
    // The window manager moves the window with the pointer: the user's move, not ours.
    if (request.write == FrameWrite::Follow)
        return;
    m_writing.insert(request.window.handle, request.zone);
    m_resting.erase(request.window.handle);
}

void ZoneTracker::writeLanded(const FrameWriteQueue::Request& request, const FrameResult& result) {
    const quint64 handle = request.window.handle;
    if (request.write == FrameWrite::Follow)
        return;
    if (!m_writes.isWaiting(request.window))
        m_writing.remove(handle);
    if (result.outcome == FrameOutcome::Gone || !result.frame) {
        m_placed.remove(handle);
        return;
    }
    if (!request.zone) {
        forget(request.window);
        return;
    }
    const std::optional<WindowZone> before =
        m_placed.contains(handle) ? std::optional(m_placed.value(handle).zone) : std::nullopt;
    ZonePlace place = *request.zone;
    // Thrown to the next screen at the same fraction: still the zone of its layout.
    if (place.layout.isEmpty() && before && isSameFraction(before->place.fraction, place.fraction))
        place.layout = before->place.layout;
    const WindowZone zone{applicationNameOf(m_platform.accessibility, m_platform.workspace, request.window,
                                            request.application),
                          windowTitleOf(m_platform.accessibility, request.window), place};
    m_placed.insert(handle, {zone, *result.frame});
    emit zonePlaced(zone, before);
}

void ZoneTracker::windowRemoved(quint32 number) {
    const AxElement window = m_platform.accessibility.elementOfWindow(number);
    // A move just before it closed counts.
    if (m_resting.contains(window.handle))
        judge(window);
    // Hidden (minimised, on another desktop) it is still listed; closed, it is gone.
    if (windowBounds(m_platform, number))
        return;
    m_placed.remove(window.handle);
    m_writing.remove(window.handle);
    m_resting.erase(window.handle);
}

void ZoneTracker::frameChanged(quint32 number) {
    const AxElement window = m_platform.accessibility.elementOfWindow(number);
    if (!m_placed.contains(window.handle) || m_writing.contains(window.handle))
        return;
    m_resting.insert_or_assign(window.handle, m_platform.runLoop.scheduleTimer(
                                                  restSeconds, false, [this, window] { judge(window); }));
}

void ZoneTracker::judge(AxElement window) {
    m_resting.erase(window.handle);
    const auto placed = m_placed.constFind(window.handle);
    if (placed == m_placed.cend())
        return;
    // Unreadable, it is closing: what it had is kept.
    const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, window);
    if (frame && !framesMatch(*frame, placed->frame))
        forget(window);
}

void ZoneTracker::forget(AxElement window) {
    const auto placed = m_placed.find(window.handle);
    if (placed == m_placed.end())
        return;
    const WindowZone left = placed->zone;
    m_placed.erase(placed);
    m_resting.erase(window.handle);
    emit zoneLeft(left);
}

} // namespace corvane

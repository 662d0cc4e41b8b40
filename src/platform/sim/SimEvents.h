#pragma once
// Event monitors fed by the test: it sends key and mouse events to the global or the local
// monitors and sets the pointer and the held buttons. Mouse events pass the same MotionFilter as on
// a real desktop, at the pointer as the test set it.

#include "platform/Events.h"
#include "platform/common/EventMonitors.h"
#include "platform/common/MotionFilter.h"

namespace corvane {

class SimEvents final : public Events {
public:
    std::optional<MonitorToken> addGlobalMonitor(EventMask mask, GlobalHandler handler) override;
    std::optional<MonitorToken> addLocalMonitor(EventMask mask, LocalHandler handler) override;
    void removeMonitor(MonitorToken token) override;
    void setMotionRegions(const QList<QRectF>& regions) override;
    QPointF mouseLocation() override { return m_mouseLocation; }
    quint32 pressedMouseButtons() override { return m_pressedButtons; }
    // The scene delivers each event as it is made.
    void whenPointerCaughtUp(std::function<void()> then) override { then(); }

    // Delivers an event addressed to another application to every global monitor that asks for its
    // type, unless the filter holds it back.
    void sendGlobal(const Event& event);
    // Delivers an event addressed to one of our windows through the local monitors; returns what
    // reaches the window, none when a monitor dropped it (all of it when the filter held it back).
    std::optional<Event> sendLocal(const Event& event);

    void setMouseLocation(QPointF screenPoint) { m_mouseLocation = screenPoint; }
    void setPressedMouseButtons(quint32 buttons) { m_pressedButtons = buttons; }
    // Later installations fail, as when the platform refuses a monitor.
    void setRefusesMonitors(bool refuses) { m_refusesMonitors = refuses; }

    int globalMonitorCount() const { return m_monitors.globalCount(); }
    int localMonitorCount() const { return m_monitors.localCount(); }
    // The event types that some installed monitor asks for.
    EventMask observedMask() const { return m_monitors.mask(); }
    const QList<QRectF>& motionRegions() const { return m_motionRegions; }

    static Event keyDown(const QString& characters, quint16 keyCode, quint64 modifierFlags,
                         double timestamp = 0);
    static Event mouse(EventType type, double timestamp, quint64 modifierFlags = 0);

private:
    bool passesFilter(const Event& event);

    EventMonitors m_monitors;
    MotionFilter m_filter;
    QList<QRectF> m_motionRegions;
    bool m_refusesMonitors = false;
    QPointF m_mouseLocation;
    quint32 m_pressedButtons = 0;
};

} // namespace corvane

#pragma once
// Event monitors fed by the test: it sends key and mouse events to the global or the local
// monitors and sets the pointer and the held buttons.

#include "platform/Events.h"
#include "platform/common/EventMonitors.h"

namespace corvane {

class SimEvents final : public Events {
public:
    std::optional<MonitorToken> addGlobalMonitor(EventMask mask, GlobalHandler handler) override;
    std::optional<MonitorToken> addLocalMonitor(EventMask mask, LocalHandler handler) override;
    void removeMonitor(MonitorToken token) override;
    QPointF mouseLocation() override { return m_mouseLocation; }
    quint32 pressedMouseButtons() override { return m_pressedButtons; }

    // Delivers an event addressed to another application to every global monitor that asks for its type.
    void sendGlobal(const Event& event);
    // Delivers an event addressed to one of our windows through the local monitors; returns what
    // reaches the window, none when a monitor dropped it.
    std::optional<Event> sendLocal(const Event& event);

    void setMouseLocation(QPointF screenPoint) { m_mouseLocation = screenPoint; }
    void setPressedMouseButtons(quint32 buttons) { m_pressedButtons = buttons; }
    // Later installations fail, as when the platform refuses a monitor.
    void setRefusesMonitors(bool refuses) { m_refusesMonitors = refuses; }

    int globalMonitorCount() const { return m_monitors.globalCount(); }
    int localMonitorCount() const { return m_monitors.localCount(); }
    // The event types that some installed monitor asks for.
    EventMask observedMask() const { return m_monitors.mask(); }

    static Event keyDown(const QString& characters, quint16 keyCode, quint64 modifierFlags,
                         double timestamp = 0);
    static Event mouse(EventType type, double timestamp, quint64 modifierFlags = 0);

private:
    EventMonitors m_monitors;
    bool m_refusesMonitors = false;
    QPointF m_mouseLocation;
    quint32 m_pressedButtons = 0;
};

} // namespace corvane

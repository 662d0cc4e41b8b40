#include "SimEvents.h"

namespace corvane {

std::optional<MonitorToken> SimEvents::addGlobalMonitor(EventMask mask, GlobalHandler handler) {
    if (m_refusesMonitors)
        return std::nullopt;
    return m_monitors.addGlobal(mask, std::move(handler));
}

std::optional<MonitorToken> SimEvents::addLocalMonitor(EventMask mask, LocalHandler handler) {
    if (m_refusesMonitors)
        return std::nullopt;
    return m_monitors.addLocal(mask, std::move(handler));
}

void SimEvents::removeMonitor(MonitorToken token) {
    m_monitors.remove(token);
}

void SimEvents::setMotionRegions(const QList<QRectF>& regions) {
    m_motionRegions = regions;
    m_filter.setRegions(regions);
}

bool SimEvents::passesFilter(const Event& event) {
    if (event.type == EventType::KeyDown)
        return true;
    // A drag event says the left button is held, whatever the test set.
    const bool isDrag = event.type == EventType::LeftMouseDragged;
    const bool isMotion = isDrag || event.type == EventType::MouseMoved;
    return m_filter.passes(m_mouseLocation, isMotion, isDrag || m_pressedButtons != 0);
}

void SimEvents::sendGlobal(const Event& event) {
    if (passesFilter(event))
        m_monitors.deliverGlobal(event);
}

std::optional<Event> SimEvents::sendLocal(const Event& event) {
    if (!passesFilter(event))
        return event;
    return m_monitors.deliverLocal(event);
}

Event SimEvents::keyDown(const QString& characters, quint16 keyCode, quint64 modifierFlags,
                         double timestamp) {
    Event e;
    e.type = EventType::KeyDown;
    e.timestamp = timestamp;
    e.modifierFlags = modifierFlags;
    e.charactersIgnoringModifiers = characters;
    e.keyCode = keyCode;
    return e;
}

Event SimEvents::mouse(EventType type, double timestamp, quint64 modifierFlags) {
    Event e;
    e.type = type;
    e.timestamp = timestamp;
    e.modifierFlags = modifierFlags;
    return e;
}

} // namespace corvane

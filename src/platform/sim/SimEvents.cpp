#include "SimEvents.h"

namespace corvane {

std::optional<MonitorToken> SimEvents::addGlobalMonitor(EventMask mask, GlobalHandler handler) {
    if (m_refusesMonitors)
        return std::nullopt;
    m_monitors.append({m_nextToken, mask, false, std::move(handler), {}});
    return m_nextToken++;
}

std::optional<MonitorToken> SimEvents::addLocalMonitor(EventMask mask, LocalHandler handler) {
    if (m_refusesMonitors)
        return std::nullopt;
    m_monitors.append({m_nextToken, mask, true, {}, std::move(handler)});
    return m_nextToken++;
}

void SimEvents::removeMonitor(MonitorToken token) {
    m_monitors.removeIf([token](const Monitor& m) { return m.token == token; });
}

bool SimEvents::isInstalled(MonitorToken token) const {
    return std::any_of(m_monitors.begin(), m_monitors.end(),
                       [token](const Monitor& m) { return m.token == token; });
}

void SimEvents::sendGlobal(const Event& event) {
    // A copy: handlers may install or remove monitors while the event is delivered.
    const QList<Monitor> monitors = m_monitors;
    for (const Monitor& m : monitors) {
        if (!m.isLocal && (m.mask & maskOf(event.type)) && isInstalled(m.token))
            m.global(event);
    }
}

std::optional<Event> SimEvents::sendLocal(const Event& event) {
    std::optional<Event> current = event;
    const QList<Monitor> monitors = m_monitors;
    for (const Monitor& m : monitors) {
        if (!current)
            break;
        if (m.isLocal && (m.mask & maskOf(current->type)) && isInstalled(m.token))
            current = m.local(*current);
    }
    return current;
}

int SimEvents::globalMonitorCount() const {
    return int(
        std::count_if(m_monitors.begin(), m_monitors.end(), [](const Monitor& m) { return !m.isLocal; }));
}

int SimEvents::localMonitorCount() const {
    return int(
        std::count_if(m_monitors.begin(), m_monitors.end(), [](const Monitor& m) { return m.isLocal; }));
}

EventMask SimEvents::observedMask() const {
    EventMask mask = 0;
    for (const Monitor& m : m_monitors)
        mask |= m.mask;
    return mask;
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

#include "EventMonitors.h"

namespace corvane {

MonitorToken EventMonitors::addGlobal(EventMask mask, Events::GlobalHandler handler) {
    m_monitors.append(
        {.token = m_nextToken, .mask = mask, .isLocal = false, .global = std::move(handler), .local = {}});
    return m_nextToken++;
}

MonitorToken EventMonitors::addLocal(EventMask mask, Events::LocalHandler handler) {
    m_monitors.append(
        {.token = m_nextToken, .mask = mask, .isLocal = true, .global = {}, .local = std::move(handler)});
    return m_nextToken++;
}

void EventMonitors::remove(MonitorToken token) {
    m_monitors.removeIf([token](const Monitor& m) { return m.token == token; });
}

bool EventMonitors::isInstalled(MonitorToken token) const {
    return std::any_of(m_monitors.cbegin(), m_monitors.cend(),
                       [token](const Monitor& m) { return m.token == token; });
}

// Over a copy: a handler may add or remove monitors while the event is delivered.
void EventMonitors::deliverGlobal(const Event& event) {
    const QList<Monitor> monitors = m_monitors;
    for (const Monitor& m : monitors) {
        if (!m.isLocal && (m.mask & maskOf(event.type)) && isInstalled(m.token))
            m.global(event);
    }
}

std::optional<Event> EventMonitors::deliverLocal(const Event& event) {
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

EventMask EventMonitors::mask() const {
    EventMask mask = 0;
    for (const Monitor& m : m_monitors)
        mask |= m.mask;
    return mask;
}

int EventMonitors::globalCount() const {
    return int(
        std::count_if(m_monitors.cbegin(), m_monitors.cend(), [](const Monitor& m) { return !m.isLocal; }));
}

int EventMonitors::localCount() const {
    return int(
        std::count_if(m_monitors.cbegin(), m_monitors.cend(), [](const Monitor& m) { return m.isLocal; }));
}

} // namespace corvane

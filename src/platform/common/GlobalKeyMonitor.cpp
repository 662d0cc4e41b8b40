#include "GlobalKeyMonitor.h"

#include "platform/common/Log.h"

namespace corvane {

void GlobalKeyMonitor::start(const Handler& handler) {
    stop();
    const EventMask keyDown = maskOf(EventType::KeyDown);
    m_globalMonitor = m_events.addGlobalMonitor(keyDown, handler);
    m_localMonitor = m_events.addLocalMonitor(keyDown, [handler](const Event& event) -> std::optional<Event> {
        handler(event);
        return event;
    });
    qCDebug(lcGeneral) << "Key monitor started";
}

void GlobalKeyMonitor::stop() {
    for (std::optional<MonitorToken>* monitor : {&m_globalMonitor, &m_localMonitor}) {
        if (*monitor) {
            m_events.removeMonitor(**monitor);
            monitor->reset();
        }
    }
}

} // namespace corvane

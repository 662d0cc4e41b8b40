#include "GlobalMonitors.h"

namespace corvane {

GlobalMonitors::GlobalMonitors(Events& events, QObject* owner)
    : m_events(events)
    , m_owner(owner) {}

GlobalMonitors::~GlobalMonitors() {
    removeAll();
}

void GlobalMonitors::add(EventMask mask, std::function<void(const Event&)> handler) {
    const std::optional<MonitorToken> token =
        m_events.addGlobalMonitor(mask, [owner = m_owner, handler = std::move(handler)](const Event& event) {
            if (owner)
                handler(event);
        });
    if (token)
        m_tokens.append(*token);
}

void GlobalMonitors::removeAll() {
    for (const MonitorToken token : m_tokens)
        m_events.removeMonitor(token);
    m_tokens.clear();
}

} // namespace corvane

#pragma once
// Observes every key-down, in other applications and in our own windows, and hands it to one
// handler. Keys are never consumed: our own windows get them unchanged. The observed shortcuts and
// the settings window's chord recorder each hold one.

#include "platform/Events.h"

#include <optional>

namespace corvane {

class GlobalKeyMonitor {
public:
    explicit GlobalKeyMonitor(Events& events)
        : m_events(events) {}
    ~GlobalKeyMonitor() { stop(); }
    GlobalKeyMonitor(const GlobalKeyMonitor&) = delete;
    GlobalKeyMonitor& operator=(const GlobalKeyMonitor&) = delete;

    using Handler = std::function<void(const Event&)>;
    // Replaces any monitors installed before.
    void start(const Handler& handler);
    void stop();

    bool hasGlobalMonitor() const { return m_globalMonitor.has_value(); }
    bool hasLocalMonitor() const { return m_localMonitor.has_value(); }

private:
    Events& m_events;
    std::optional<MonitorToken> m_globalMonitor;
    std::optional<MonitorToken> m_localMonitor;
};

} // namespace corvane

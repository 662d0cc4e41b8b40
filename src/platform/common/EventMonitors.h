#pragma once
// The event monitors installed, and the delivery of an event to them: global monitors see events
// addressed to other applications; local monitors those addressed to our own windows, each the event
// as the monitor before it left it, until one drops it. A monitor removed during a delivery, by
// itself or another, is not called again, and one added then first sees the next event.

#include "platform/Events.h"

#include <QList>

namespace corvane {

class EventMonitors {
public:
    MonitorToken addGlobal(EventMask mask, Events::GlobalHandler handler);
    MonitorToken addLocal(EventMask mask, Events::LocalHandler handler);
    void remove(MonitorToken token);

    void deliverGlobal(const Event& event);
    // What reaches the window: none when a local monitor dropped it.
    std::optional<Event> deliverLocal(const Event& event);

    // The event types some monitor asks for.
    EventMask mask() const;
    int globalCount() const;
    int localCount() const;

private:
    struct Monitor {
        MonitorToken token = 0;
        EventMask mask = 0;
        bool isLocal = false;
        Events::GlobalHandler global;
        Events::LocalHandler local;
    };
    bool isInstalled(MonitorToken token) const;

    QList<Monitor> m_monitors;
    MonitorToken m_nextToken = 1;
};

} // namespace corvane

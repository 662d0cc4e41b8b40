#pragma once
// The global event monitors of one pointer feature (drag to snap, Quick Snap): installed one by one,
// removed all together, and at the latest when the feature goes. A handler runs only while its owner
// is alive, so an event delivered after the owner went reaches nothing.

#include "platform/Events.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

namespace corvane {

class GlobalMonitors {
public:
    GlobalMonitors(Events& events, QObject* owner);
    ~GlobalMonitors();
    GlobalMonitors(const GlobalMonitors&) = delete;
    GlobalMonitors& operator=(const GlobalMonitors&) = delete;

    void add(EventMask mask, std::function<void(const Event&)> handler);
    void removeAll();

private:
    Events& m_events;
    QPointer<QObject> m_owner;
    QList<MonitorToken> m_tokens;
};

} // namespace corvane

#pragma once
// Pointer events on a compositor with Corvane's agent, from what the agent reports: no Wayland client sees
// the pointer outside its own windows. A user's move of a window with the pointer arrives as a press where it
// started, drags as the pointer moves and a release where it ended, which is all drag to snap needs; motion
// with no button held arrives only in and across the regions the core named, which the agent filters. Each
// event carries the modifier keys the backend knows to be held (KWin tells them through its key-state
// protocol, the GNOME Shell extension with each pointer report).

#include "platform/Events.h"
#include "platform/RunLoop.h"
#include "platform/agent/AgentCommand.h"
#include "platform/agent/AgentDesktop.h"
#include "platform/agent/AgentScreens.h"
#include "platform/common/EventMonitors.h"

#include <QObject>
#include <map>
#include <memory>

namespace corvane {

class AgentEvents final : public QObject, public Events {
    Q_OBJECT
public:
    // The modifier keys held now, as the flags of platform/Events.h: the backend knows where from.
    using ModifierFlags = std::function<quint64()>;

    AgentEvents(AgentCommand send, AgentDesktop& desktop, const AgentScreens& screens,
                ModifierFlags modifierFlags, RunLoop& runLoop);

    std::optional<MonitorToken> addGlobalMonitor(EventMask mask, GlobalHandler handler) override;
    std::optional<MonitorToken> addLocalMonitor(EventMask mask, LocalHandler handler) override;
    void removeMonitor(MonitorToken token) override;
    void setMotionRegions(const QList<QRectF>& regions) override;
    QPointF mouseLocation() override;
    quint32 pressedMouseButtons() override { return m_heldButtons; }
    // Once the agent has answered a sync: it sends the pointer report it holds back first.
    void whenPointerCaughtUp(std::function<void()> then) override;

private:
    void deliver(EventType type, QPointF agentCursor);
    // A compositor tells of a move or resize once the pointer has gone some way from the press, perhaps off
    // the window already: the press was on the window, at the point of its frame nearest the pointer.
    QPointF pressPoint(quint32 window, QPointF cursor) const;
    // The agent reports a user's moves and resizes only while a monitor wants the left button's events:
    // each step of one is a call on the bus.
    void updateMoveReports();
    void sendMoveReports();
    void sendRegions();

    AgentCommand m_send;
    AgentDesktop& m_desktop;
    const AgentScreens& m_screens;
    ModifierFlags m_modifierFlags;
    RunLoop& m_runLoop;
    EventMonitors m_monitors;
    quint32 m_heldButtons = 0;
    std::optional<QPointF>
        m_delivering; // where the event being delivered happened, the compositor's coordinates
    bool m_reportsMoves = false;
    QList<QRectF> m_regions; // screen coordinates
    struct SyncWaiter {
        std::function<void()> then;
        std::unique_ptr<Timer> deadline;
    };
    std::map<double, SyncWaiter> m_syncWaiters; // by the number each sync carries
    double m_lastSync = 0;
};

} // namespace corvane

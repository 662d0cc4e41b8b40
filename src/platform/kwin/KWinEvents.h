#pragma once
// Pointer events on KWin, from what the agent reports: no Wayland client sees the pointer outside its
// own windows. A user's move of a window with the pointer arrives as a press where it started, drags
// as the pointer moves and a release where it ended, which is all drag to snap needs; motion with no
// button held arrives only in and across the regions the core named, which the agent filters.
// KWin tells a script no modifier keys: each event carries those KWin's key-state protocol last
// reported (KWinKeyState), none where KWin does not offer it to Corvane.

#include "platform/Events.h"
#include "platform/RunLoop.h"
#include "platform/common/EventMonitors.h"
#include "platform/kwin/KWinAgent.h"
#include "platform/kwin/KWinDesktop.h"
#include "platform/kwin/KWinModifierKeys.h"
#include "platform/kwin/KWinScreens.h"

#include <QObject>

namespace corvane {

class KWinEvents final : public QObject, public Events {
    Q_OBJECT
public:
    KWinEvents(AgentCommand send, KWinDesktop& desktop, const KWinScreens& screens,
               const KWinModifierKeys& modifierKeys, RunLoop& runLoop);

    std::optional<MonitorToken> addGlobalMonitor(EventMask mask, GlobalHandler handler) override;
    std::optional<MonitorToken> addLocalMonitor(EventMask mask, LocalHandler handler) override;
    void removeMonitor(MonitorToken token) override;
    void setMotionRegions(const QList<QRectF>& regions) override;
    QPointF mouseLocation() override;
    quint32 pressedMouseButtons() override { return m_heldButtons; }

private:
    void deliver(EventType type, QPointF kwinCursor);
    // KWin tells of a move once the pointer has gone some way from the press, perhaps off the window
    // already: the press was on the window, at the point of its frame nearest the pointer.
    QPointF pressPoint(quint32 window, QPointF cursor) const;
    // The agent reports a user's moves only while a monitor wants the left button's events: each step
    // of a move is a call on the bus.
    void updateMoveReports();

    AgentCommand m_send;
    KWinDesktop& m_desktop;
    const KWinScreens& m_screens;
    const KWinModifierKeys& m_modifierKeys;
    RunLoop& m_runLoop;
    EventMonitors m_monitors;
    quint32 m_heldButtons = 0;
    std::optional<QPointF> m_delivering; // where the event being delivered happened, KWin's coordinates
    bool m_reportsMoves = false;
};

} // namespace corvane

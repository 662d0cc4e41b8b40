#include "AgentEvents.h"

#include <QJsonArray>
#include <QScopedValueRollback>
#include <algorithm>

namespace corvane {

namespace field = agentprotocol::field;
namespace command = agentprotocol::command;

AgentEvents::AgentEvents(AgentCommand send, AgentDesktop& desktop, const AgentScreens& screens,
                         ModifierFlags modifierFlags, RunLoop& runLoop)
    : m_send(std::move(send))
    , m_desktop(desktop)
    , m_screens(screens)
    , m_modifierFlags(std::move(modifierFlags))
    , m_runLoop(runLoop) {
    connect(&desktop, &AgentDesktop::moveStarted, this, [this](quint32 number, QPointF cursor) {
        // A move of one of our own windows is no press to act on.
        if (const AgentWindow* w = m_desktop.window(number); w && w->pid == m_desktop.ownPid())
            return;
        m_heldButtons = mousebutton::kLeft;
        deliver(EventType::LeftMouseDown, pressPoint(number, cursor));
    });
    connect(&desktop, &AgentDesktop::moveStepped, this, [this](QPointF cursor) {
        if (m_heldButtons & mousebutton::kLeft)
            deliver(EventType::LeftMouseDragged, cursor);
    });
    connect(&desktop, &AgentDesktop::moveFinished, this, [this](QPointF cursor) {
        if (!(m_heldButtons & mousebutton::kLeft))
            return;
        m_heldButtons = 0;
        deliver(EventType::LeftMouseUp, cursor);
    });
    connect(&desktop, &AgentDesktop::pointerMoved, this,
            [this](QPointF cursor) { deliver(EventType::MouseMoved, cursor); });
    // A sync answers every one sent before it, in case an answer was lost with a restarted agent.
    connect(&desktop, &AgentDesktop::synced, this, [this](double n) {
        while (!m_syncWaiters.empty() && m_syncWaiters.begin()->first <= n) {
            const std::function<void()> then = std::move(m_syncWaiters.begin()->second.then);
            m_syncWaiters.erase(m_syncWaiters.begin());
            then();
        }
    });
    // A full picture comes from an agent that (re)started knowing nothing of what it was asked before.
    connect(&desktop, &AgentDesktop::snapshotApplied, this, [this] {
        if (m_reportsMoves)
            sendMoveReports();
        if (!m_regions.isEmpty())
            sendRegions();
    });
}

std::optional<MonitorToken> AgentEvents::addGlobalMonitor(EventMask mask, GlobalHandler handler) {
    const MonitorToken token = m_monitors.addGlobal(mask, std::move(handler));
    updateMoveReports();
    return token;
}

std::optional<MonitorToken> AgentEvents::addLocalMonitor(EventMask mask, LocalHandler handler) {
    return m_monitors.addLocal(mask, std::move(handler));
}

void AgentEvents::removeMonitor(MonitorToken token) {
    m_monitors.remove(token);
    updateMoveReports();
}

void AgentEvents::updateMoveReports() {
    constexpr EventMask kLeftButton = maskOf(EventType::LeftMouseDown) | maskOf(EventType::LeftMouseDragged) |
                                      maskOf(EventType::LeftMouseUp);
    const bool wantsMoves = (m_monitors.mask() & kLeftButton) != 0;
    if (wantsMoves == m_reportsMoves)
        return;
    m_reportsMoves = wantsMoves;
    sendMoveReports();
}

void AgentEvents::sendMoveReports() {
    m_send(QJsonObject{{field::kC, command::kMoves}, {field::kReport, m_reportsMoves}});
}

void AgentEvents::whenPointerCaughtUp(std::function<void()> then) {
    const double n = ++m_lastSync;
    m_syncWaiters[n] = {std::move(then), m_runLoop.scheduleTimer(kCatchUpSeconds, false, [this, n] {
                            const auto it = m_syncWaiters.find(n);
                            if (it == m_syncWaiters.end())
                                return;
                            const std::function<void()> late = std::move(it->second.then);
                            m_syncWaiters.erase(it);
                            late();
                        })};
    m_send(QJsonObject{{field::kC, command::kSync}, {field::kN, n}});
}

void AgentEvents::setMotionRegions(const QList<QRectF>& regions) {
    m_regions = regions;
    sendRegions();
}

void AgentEvents::sendRegions() {
    QJsonArray rects;
    for (const QRectF& r : std::as_const(m_regions)) {
        const QRectF k = m_screens.fromScreen(r);
        rects.append(QJsonArray{k.x(), k.y(), k.width(), k.height()});
    }
    m_send(QJsonObject{{field::kC, command::kRegions}, {field::kRegions, rects}});
}

QPointF AgentEvents::pressPoint(quint32 window, QPointF cursor) const {
    const AgentWindow* w = m_desktop.window(window);
    if (!w || w->frame.isEmpty())
        return cursor;
    const QRectF f = w->frame;
    return QPointF(std::clamp(cursor.x(), f.left(), f.right() - 1),
                   std::clamp(cursor.y(), f.top(), f.bottom() - 1));
}

QPointF AgentEvents::mouseLocation() {
    return m_screens.toScreen(m_delivering.value_or(m_desktop.cursor()));
}

void AgentEvents::deliver(EventType type, QPointF agentCursor) {
    if (!(m_monitors.mask() & maskOf(type)))
        return;
    const QScopedValueRollback delivering(m_delivering, std::optional(agentCursor));
    Event e;
    e.type = type;
    e.timestamp = m_runLoop.now();
    e.modifierFlags = m_modifierFlags();
    m_monitors.deliverGlobal(e);
}

} // namespace corvane

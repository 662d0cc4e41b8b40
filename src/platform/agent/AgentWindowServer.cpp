#include "AgentWindowServer.h"

#include "platform/WindowLayers.h"

namespace corvane {

AgentWindowServer::AgentWindowServer(AgentDesktop& desktop, const AgentScreens& screens,
                                     const AgentTitleBars& buttons)
    : m_desktop(desktop)
    , m_screens(screens)
    , m_buttons(buttons) {
    connect(&desktop, &AgentDesktop::windowAdded, this, [this](quint32 number) {
        if (const AgentWindow* w = m_desktop.window(number); w && isOnScreen(*w))
            emit windowAdded(number);
    });
    connect(&desktop, &AgentDesktop::windowRemoved, this, &WindowServer::windowRemoved);
    connect(&desktop, &AgentDesktop::windowFrameChanged, this, &WindowServer::windowFrameChanged);
    connect(&buttons, &AgentTitleBars::changed, this, &AgentWindowServer::tellMovedButtons);
}

void AgentWindowServer::tellMovedButtons(const ButtonLayout& previous) {
    const ButtonLayout layout = m_buttons.layout();
    for (const AgentWindow* w : m_desktop.windowsFrontToBack()) {
        if (isOnScreen(*w) && m_buttons.maximizeButton(previous, *w) != m_buttons.maximizeButton(layout, *w))
            emit windowFrameChanged(w->number);
    }
}

int AgentWindowServer::layerOf(const AgentWindow& window) {
    if (window.isDesktop)
        return kDesktopLayer;
    if (window.isDock)
        return kDockLayer;
    if (window.isPlaceable())
        return kOrdinaryLayer;
    return kPopUpLayer;
}

bool AgentWindowServer::isOnScreen(const AgentWindow& window) const {
    return window.isOnCurrentDesktop && !window.isMinimized && window.pid != m_desktop.ownPid();
}

QVariant AgentWindowServer::entry(const AgentWindow& window) const {
    QVariantMap e{
        {QString::fromLatin1(windowinfo::kLayer), qint64(layerOf(window))},
        {QString::fromLatin1(windowinfo::kNumber), qint64(window.number)},
        {QString::fromLatin1(windowinfo::kOwnerPid), qint64(window.pid)},
        {QString::fromLatin1(windowinfo::kBounds), windowinfo::boundsEntry(m_screens.toAx(window.frame))}};
    if (const std::optional<QRectF> zoom = m_buttons.maximizeButton(m_buttons.layout(), window))
        e.insert(QString::fromLatin1(windowinfo::kZoomButtonRegion),
                 windowinfo::boundsEntry(m_screens.toAx(*zoom)));
    return e;
}

QVariant AgentWindowServer::copyWindowList(WindowListOption option, quint32 relativeToWindow) {
    QVariantList list;
    if (option == WindowListOption::IncludingWindow) {
        if (const AgentWindow* w = m_desktop.window(relativeToWindow))
            list.append(entry(*w));
        return list;
    }
    for (const AgentWindow* w : m_desktop.windowsFrontToBack()) {
        if (isOnScreen(*w) && !w->isDesktop)
            list.append(entry(*w));
    }
    return list;
}

qint64 AgentWindowServer::windowNumberAt(QPointF screenPoint) {
    for (const AgentWindow* w : m_desktop.windowsFrontToBack()) {
        if (!isOnScreen(*w))
            continue;
        const QRectF f = m_screens.toScreen(w->frame);
        if (screenPoint.x() >= f.left() && screenPoint.x() < f.right() && screenPoint.y() >= f.top() &&
            screenPoint.y() < f.bottom())
            return w->number;
    }
    return 0;
}

} // namespace corvane

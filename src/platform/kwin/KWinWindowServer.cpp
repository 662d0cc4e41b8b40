#include "KWinWindowServer.h"

#include "platform/WindowLayers.h"

namespace corvane {

KWinWindowServer::KWinWindowServer(KWinDesktop& desktop, const KWinScreens& screens,
                                   const KWinTitleBarButtons& buttons)
    : m_desktop(desktop)
    , m_screens(screens)
    , m_buttons(buttons) {
    connect(&desktop, &KWinDesktop::windowAdded, this, [this](quint32 number) {
        if (const KWinWindow* w = m_desktop.window(number); w && isOnScreen(*w))
            emit windowAdded(number);
    });
    connect(&desktop, &KWinDesktop::windowRemoved, this, &WindowServer::windowRemoved);
    connect(&desktop, &KWinDesktop::windowFrameChanged, this, &WindowServer::windowFrameChanged);
    connect(&buttons, &KWinTitleBarButtons::changed, this, &KWinWindowServer::tellMovedButtons);
}

void KWinWindowServer::tellMovedButtons(const ButtonLayout& previous) {
    const ButtonLayout layout = m_buttons.layout();
    for (const KWinWindow* w : m_desktop.windowsFrontToBack()) {
        if (isOnScreen(*w) && KWinTitleBarButtons::maximizeButton(previous, *w) !=
                                  KWinTitleBarButtons::maximizeButton(layout, *w))
            emit windowFrameChanged(w->number);
    }
}

int KWinWindowServer::layerOf(const KWinWindow& window) {
    if (window.isDesktop)
        return kDesktopLayer;
    if (window.isDock)
        return kDockLayer;
    if (window.isPlaceable())
        return kOrdinaryLayer;
    return kPopUpLayer;
}

bool KWinWindowServer::isOnScreen(const KWinWindow& window) const {
    return window.isOnCurrentDesktop && !window.isMinimized && window.pid != m_desktop.ownPid();
}

QVariant KWinWindowServer::entry(const KWinWindow& window) const {
    QVariantMap e{
        {QString::fromLatin1(windowinfo::kLayer), qint64(layerOf(window))},
        {QString::fromLatin1(windowinfo::kNumber), qint64(window.number)},
        {QString::fromLatin1(windowinfo::kOwnerPid), qint64(window.pid)},
        {QString::fromLatin1(windowinfo::kBounds), windowinfo::boundsEntry(m_screens.toAx(window.frame))}};
    if (const std::optional<QRectF> zoom = KWinTitleBarButtons::maximizeButton(m_buttons.layout(), window))
        e.insert(QString::fromLatin1(windowinfo::kZoomButtonRegion),
                 windowinfo::boundsEntry(m_screens.toAx(*zoom)));
    return e;
}

QVariant KWinWindowServer::copyWindowList(WindowListOption option, quint32 relativeToWindow) {
    QVariantList list;
    if (option == WindowListOption::IncludingWindow) {
        if (const KWinWindow* w = m_desktop.window(relativeToWindow))
            list.append(entry(*w));
        return list;
    }
    for (const KWinWindow* w : m_desktop.windowsFrontToBack()) {
        if (isOnScreen(*w) && !w->isDesktop)
            list.append(entry(*w));
    }
    return list;
}

qint64 KWinWindowServer::windowNumberAt(QPointF screenPoint) {
    for (const KWinWindow* w : m_desktop.windowsFrontToBack()) {
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

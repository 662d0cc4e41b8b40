#include "X11WindowServer.h"

#include "platform/x11/WindowTypes.h"

namespace corvane {

X11WindowServer::X11WindowServer(X11Connection& connection, X11Windows& windows, X11Screens& screens,
                                 TitleBarButtons& titleBarButtons, const ButtonLayoutReader& buttonLayouts)
    : m_connection(connection)
    , m_windows(windows)
    , m_screens(screens)
    , m_titleBarButtons(titleBarButtons)
    , m_clientList(connection.atom("_NET_CLIENT_LIST")) {
    m_subscription = connection.addEventHandler([this](const xcb_generic_event_t* event) { handle(event); });
    readClientList(false);
    connect(&buttonLayouts, &ButtonLayoutReader::changed, this, [this] {
        for (const xcb_window_t window : std::as_const(m_clients))
            emit windowFrameChanged(window);
    });
}

void X11WindowServer::handle(const xcb_generic_event_t* event) {
    switch (event->response_type & 0x7f) {
    case XCB_PROPERTY_NOTIFY: {
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->window == m_connection.root() && notify->atom == m_clientList)
            readClientList(true);
        break;
    }
    // The window manager's synthetic ConfigureNotify after a move, the server's after a resize, and
    // a frame's (the root's substructure) for the window manager that sends no synthetic one.
    case XCB_CONFIGURE_NOTIFY:
        if (const xcb_window_t w = reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window;
            m_clients.contains(w))
            emit windowFrameChanged(w);
        else if (const xcb_window_t client = m_clientOfFrame.value(w);
                 client != 0 && m_clients.contains(client))
            emit windowFrameChanged(client);
        break;
    case XCB_REPARENT_NOTIFY:
        if (const xcb_window_t w = reinterpret_cast<const xcb_reparent_notify_event_t*>(event)->window;
            m_clients.contains(w))
            followFrame(w);
        break;
    // Window managers unmap the windows they minimize or keep on another desktop.
    case XCB_MAP_NOTIFY:
        if (const xcb_window_t w = reinterpret_cast<const xcb_map_notify_event_t*>(event)->window;
            m_clients.contains(w) && m_windows.isOnScreen(w))
            emit windowAdded(w);
        break;
    case XCB_UNMAP_NOTIFY:
        if (const xcb_window_t w = reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window;
            m_clients.contains(w))
            emit windowRemoved(w);
        break;
    default:
        break;
    }
}

void X11WindowServer::readClientList(bool tells) {
    const QList<quint32> listed = m_connection.cardinals(m_connection.root(), m_clientList);
    const QSet<xcb_window_t> clients(listed.cbegin(), listed.cend());
    // The same mask X11Windows selects on the windows it writes to: one connection, one mask a window.
    const quint32 mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    for (const xcb_window_t window : clients - m_clients) {
        xcb_change_window_attributes(m_connection.xcb(), window, XCB_CW_EVENT_MASK, &mask);
        followFrame(window);
        if (tells && m_windows.isOnScreen(window))
            emit windowAdded(window);
    }
    m_connection.flush();
    const QSet<xcb_window_t> gone = m_clients - clients;
    m_clients = clients;
    m_clientOfFrame.removeIf([&gone](const auto& frame) { return gone.contains(frame.value()); });
    if (tells) {
        for (const xcb_window_t window : gone)
            emit windowRemoved(window);
    }
}

void X11WindowServer::followFrame(xcb_window_t client) {
    m_clientOfFrame.removeIf([client](const auto& frame) { return frame.value() == client; });
    xcb_window_t window = client;
    // A frame, perhaps a layer of decoration: a few parents at most.
    for (int depth = 0; depth < 4; ++depth) {
        const auto tree =
            m_connection.await<xcb_query_tree_reply_t>(xcb_query_tree(m_connection.xcb(), window));
        if (!tree)
            return;
        if (tree->parent == m_connection.root()) {
            if (window != client)
                m_clientOfFrame.insert(window, client);
            return;
        }
        window = tree->parent;
    }
}

QVariant X11WindowServer::entry(xcb_window_t window, const X11Windows::WindowFacts& facts) {
    const Fetched<X11Windows::TitledFrame> titled = m_windows.titledFrame(window);
    if (!titled)
        return {};
    QVariantMap e{{QString::fromLatin1(windowinfo::kLayer), qint64(facts.layer)},
                  {QString::fromLatin1(windowinfo::kNumber), qint64(window)},
                  {QString::fromLatin1(windowinfo::kBounds), windowinfo::boundsEntry(titled->frame)}};
    // Clients that do not say their pid are asked of the server.
    if (const std::optional<qint32> pid = facts.pid ? facts.pid : m_windows.pid(window).value())
        e.insert(QString::fromLatin1(windowinfo::kOwnerPid), qint64(*pid));
    if (const std::optional<QRectF> zoom = m_titleBarButtons.zoomButtonRegion(window, *titled))
        e.insert(QString::fromLatin1(windowinfo::kZoomButtonRegion), windowinfo::boundsEntry(*zoom));
    return e;
}

QVariant X11WindowServer::copyWindowList(WindowListOption option, quint32 relativeToWindow) {
    QVariantList list;
    if (option == WindowListOption::IncludingWindow) {
        const QVariant e = entry(relativeToWindow, m_windows.facts(relativeToWindow));
        if (e.isValid())
            list.append(e);
        return list;
    }
    for (xcb_window_t w : m_windows.stacking()) {
        const X11Windows::WindowFacts facts = m_windows.facts(w);
        if (!facts.isOnScreen || facts.layer == kDesktopLayer)
            continue;
        const QVariant e = entry(w, facts);
        if (e.isValid())
            list.append(e);
    }
    return list;
}

qint64 X11WindowServer::windowNumberAt(QPointF screenPoint) {
    const QPointF p(screenPoint.x(), m_screens.primaryHeight() - screenPoint.y());
    for (xcb_window_t w : m_windows.stacking()) {
        if (!m_windows.isOnScreen(w))
            continue;
        const Fetched<QRectF> f = m_windows.frame(w);
        if (f && p.x() >= f->left() && p.x() < f->right() && p.y() >= f->top() && p.y() < f->bottom())
            return w;
    }
    return 0;
}

} // namespace corvane

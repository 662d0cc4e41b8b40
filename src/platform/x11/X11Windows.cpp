#include "X11Windows.h"

#include <xcb/res.h>

namespace corvane {

namespace {
constexpr quint32 kSourceIsPager = 2; // requests come from a tool acting for the user
}

X11Windows::X11Windows(X11Connection& connection, X11Screens& screens)
    : m_connection(connection)
    , m_screens(screens) {}

QList<xcb_window_t> X11Windows::stacking(double timeout) {
    const QList<quint32> bottomToTop =
        m_connection.cardinals(m_connection.root(), m_connection.atom("_NET_CLIENT_LIST_STACKING"), timeout);
    return QList<xcb_window_t>(bottomToTop.rbegin(), bottomToTop.rend());
}

std::optional<qint32> X11Windows::pid(xcb_window_t window, double timeout) {
    const QList<quint32> wmPid = m_connection.cardinals(window, m_connection.atom("_NET_WM_PID"), timeout);
    if (!wmPid.isEmpty())
        return qint32(wmPid.first());
    // Clients that do not say their pid: ask the server which process owns the window.
    xcb_res_client_id_spec_t query{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    const auto reply = m_connection.await<xcb_res_query_client_ids_reply_t>(
        xcb_res_query_client_ids(m_connection.xcb(), 1, &query).sequence, timeout);
    if (!reply)
        return std::nullopt;
    // Only the pid was asked for, so every value that comes back is one.
    for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem; xcb_res_client_id_value_next(&it)) {
        if (xcb_res_client_id_value_value_length(it.data) > 0)
            return qint32(*xcb_res_client_id_value_value(it.data));
    }
    return std::nullopt;
}

FrameExtents X11Windows::extents(xcb_window_t window, const char* property) {
    const QList<quint32> v = m_connection.cardinals(window, m_connection.atom(property));
    if (v.size() < 4)
        return {};
    return {int(v[0]), int(v[1]), int(v[2]), int(v[3])};
}

std::optional<QRectF> X11Windows::frame(xcb_window_t window, double timeout) {
    xcb_connection_t* c = m_connection.xcb();
    const auto geometryCookie = xcb_get_geometry(c, window);
    const auto translateCookie = xcb_translate_coordinates(c, window, m_connection.root(), 0, 0);
    const auto geometry = m_connection.await<xcb_get_geometry_reply_t>(geometryCookie.sequence, timeout);
    const auto origin =
        m_connection.await<xcb_translate_coordinates_reply_t>(translateCookie.sequence, timeout);
    if (!geometry || !origin)
        return std::nullopt;
    const FrameExtents wm = extents(window, "_NET_FRAME_EXTENTS");
    const FrameExtents shadow = extents(window, "_GTK_FRAME_EXTENTS");
    const QPoint axOrigin = m_screens.primaryOrigin();
    return QRectF(origin->dst_x - wm.left + shadow.left - axOrigin.x(),
                  origin->dst_y - wm.top + shadow.top - axOrigin.y(),
                  geometry->width + wm.left + wm.right - shadow.left - shadow.right,
                  geometry->height + wm.top + wm.bottom - shadow.top - shadow.bottom);
}

bool X11Windows::hasState(xcb_window_t window, const char* state) {
    return m_connection.cardinals(window, m_connection.atom("_NET_WM_STATE"))
        .contains(m_connection.atom(state));
}

int X11Windows::layer(xcb_window_t window) {
    const QList<quint32> types = m_connection.cardinals(window, m_connection.atom("_NET_WM_WINDOW_TYPE"));
    if (types.isEmpty())
        return 0;
    const xcb_atom_t type = types.first();
    if (type == m_connection.atom("_NET_WM_WINDOW_TYPE_NORMAL") ||
        type == m_connection.atom("_NET_WM_WINDOW_TYPE_DIALOG"))
        return 0;
    if (type == m_connection.atom("_NET_WM_WINDOW_TYPE_DESKTOP"))
        return -1000;
    if (type == m_connection.atom("_NET_WM_WINDOW_TYPE_DOCK"))
        return 20;
    if (type == m_connection.atom("_NET_WM_WINDOW_TYPE_UTILITY") ||
        type == m_connection.atom("_NET_WM_WINDOW_TYPE_TOOLBAR"))
        return 3;
    return 101; // menus, pop-ups, tooltips, notifications
}

bool X11Windows::isOnScreen(xcb_window_t window) {
    if (hasState(window, "_NET_WM_STATE_HIDDEN"))
        return false;
    const QList<quint32> desktop = m_connection.cardinals(window, m_connection.atom("_NET_WM_DESKTOP"));
    const QList<quint32> current =
        m_connection.cardinals(m_connection.root(), m_connection.atom("_NET_CURRENT_DESKTOP"));
    return desktop.isEmpty() || current.isEmpty() || desktop.first() == 0xFFFFFFFF ||
           desktop.first() == current.first();
}

QString X11Windows::applicationName(xcb_window_t window) {
    // WM_CLASS is "instance\0Class\0": the class names the application.
    const QList<QByteArray> parts = m_connection.bytes(window, XCB_ATOM_WM_CLASS).split('\0');
    if (parts.size() >= 2 && !parts[1].isEmpty())
        return QString::fromUtf8(parts[1]);
    return QString::fromUtf8(m_connection.bytes(window, m_connection.atom("_NET_WM_NAME")));
}

void X11Windows::moveResize(xcb_window_t window, std::optional<QPointF> axTopLeft,
                            std::optional<QSizeF> outerSize) {
    const xcb_atom_t state = m_connection.atom("_NET_WM_STATE");
    const xcb_atom_t vertical = m_connection.atom("_NET_WM_STATE_MAXIMIZED_VERT");
    const xcb_atom_t horizontal = m_connection.atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    const QList<quint32> states = m_connection.cardinals(window, state);
    if (states.contains(vertical) || states.contains(horizontal))
        m_connection.sendRootMessage(window, state,
                                     {0 /* remove */, vertical, horizontal, kSourceIsPager, 0});
    const FrameExtents wm = extents(window, "_NET_FRAME_EXTENTS");
    const FrameExtents shadow = extents(window, "_GTK_FRAME_EXTENTS");
    const QPoint axOrigin = m_screens.primaryOrigin();
    quint32 flags = 1 /* north-west gravity */ | (kSourceIsPager << 12);
    quint32 x = 0, y = 0, w = 0, h = 0;
    if (axTopLeft) {
        // With north-west gravity the window manager places the outer frame's top-left there.
        flags |= (1 << 8) | (1 << 9);
        x = quint32(qRound(axTopLeft->x() + axOrigin.x() - shadow.left));
        y = quint32(qRound(axTopLeft->y() + axOrigin.y() - shadow.top));
    }
    if (outerSize) {
        // ...and takes the size of the client, inside the decorations, shadow included.
        flags |= (1 << 10) | (1 << 11);
        w = quint32(
            std::max(1, qRound(outerSize->width()) - wm.left - wm.right + shadow.left + shadow.right));
        h = quint32(
            std::max(1, qRound(outerSize->height()) - wm.top - wm.bottom + shadow.top + shadow.bottom));
    }
    m_connection.sendRootMessage(window, m_connection.atom("_NET_MOVERESIZE_WINDOW"), {flags, x, y, w, h});
}

void X11Windows::activate(xcb_window_t window) {
    m_connection.sendRootMessage(window, m_connection.atom("_NET_ACTIVE_WINDOW"),
                                 {kSourceIsPager, XCB_CURRENT_TIME, 0, 0, 0});
}

xcb_window_t X11Windows::activeWindow() {
    const QList<quint32> active =
        m_connection.cardinals(m_connection.root(), m_connection.atom("_NET_ACTIVE_WINDOW"));
    return active.isEmpty() ? xcb_window_t(XCB_WINDOW_NONE) : active.first();
}

void X11Windows::noteActivation(xcb_window_t window, qint32 pid) {
    std::lock_guard lock(m_mutex);
    m_lastActiveByPid.insert(pid, window);
}

std::optional<xcb_window_t> X11Windows::focusedWindow(qint32 pid) {
    const QList<xcb_window_t> windows = stacking();
    {
        std::lock_guard lock(m_mutex);
        const auto last = m_lastActiveByPid.constFind(pid);
        if (last != m_lastActiveByPid.cend() && windows.contains(*last))
            return *last;
    }
    const xcb_window_t active = activeWindow();
    if (active != XCB_WINDOW_NONE && this->pid(active) == pid)
        return active;
    for (xcb_window_t w : windows) {
        if (this->pid(w) == pid && layer(w) == 0 && isOnScreen(w))
            return w;
    }
    return std::nullopt;
}

} // namespace corvane

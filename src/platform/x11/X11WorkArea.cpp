#include "X11WorkArea.h"

#include "platform/x11/WorkArea.h"

namespace corvane {

namespace {
// Panels lie a few windows deep at most; the bound only keeps a pathological tree from costing
// a round trip per level without end.
constexpr int kMaxDepth = 16;
} // namespace

ReservedAreas X11WorkArea::read() const {
    return {strips(allWindows()), workArea()};
}

// Every window below the root, one level per round trip: each level's windows are asked at once
// and the replies collected after, since a screen lookup may run on a hotkey press.
QList<xcb_window_t> X11WorkArea::allWindows() const {
    xcb_connection_t* c = m_connection.xcb();
    QList<xcb_window_t> all;
    QList<xcb_window_t> level{m_connection.root()};
    for (int depth = 0; depth < kMaxDepth && !level.isEmpty(); ++depth) {
        std::vector<ReplyCookie<xcb_query_tree_reply_t>> trees;
        for (xcb_window_t w : level)
            trees.push_back(m_connection.cookie<xcb_query_tree_reply_t>(xcb_query_tree(c, w)));
        QList<xcb_window_t> next;
        m_connection.awaitEach(std::move(trees), [&](const xcb_query_tree_reply_t* tree) {
            if (!tree)
                return; // the window went away meanwhile
            const xcb_window_t* children = xcb_query_tree_children(tree);
            next.append(QList<xcb_window_t>(children, children + xcb_query_tree_children_length(tree)));
        });
        all += next;
        level = next;
    }
    return all;
}

QList<QRect> X11WorkArea::strips(const QList<xcb_window_t>& windows) const {
    xcb_connection_t* c = m_connection.xcb();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t partial = m_connection.atom("_NET_WM_STRUT_PARTIAL");
    const xcb_atom_t plain = m_connection.atom("_NET_WM_STRUT");
    std::vector<ReplyCookie<xcb_get_property_reply_t>> struts;
    for (xcb_window_t w : windows) {
        struts.push_back(m_connection.cookie<xcb_get_property_reply_t>(
            xcb_get_property(c, 0, w, partial, XCB_ATOM_CARDINAL, 0, 12)));
        struts.push_back(m_connection.cookie<xcb_get_property_reply_t>(
            xcb_get_property(c, 0, w, plain, XCB_ATOM_CARDINAL, 0, 4)));
    }
    QList<QList<quint32>> values;
    m_connection.awaitEach(std::move(struts), [&](const xcb_get_property_reply_t* reply) {
        values.append(X11Connection::cardinalsOf(reply));
    });
    QList<QRect> areas;
    for (qsizetype i = 0; i + 1 < values.size(); i += 2) {
        areas += reservedStrips(values[i].size() >= 12 ? values[i] : values[i + 1].mid(0, 4),
                                screen->width_in_pixels, screen->height_in_pixels);
    }
    return areas;
}

// _NET_WORKAREA holds x, y, width, height for each desktop in turn.
std::optional<QRect> X11WorkArea::workArea() const {
    const QList<quint32> areas =
        m_connection.cardinals(m_connection.root(), m_connection.atom("_NET_WORKAREA"));
    const QList<quint32> current =
        m_connection.cardinals(m_connection.root(), m_connection.atom("_NET_CURRENT_DESKTOP"));
    const qsizetype desktop = current.isEmpty() ? 0 : qsizetype(current.first());
    if (areas.size() < (desktop + 1) * 4)
        return std::nullopt;
    const qsizetype i = desktop * 4;
    return QRect(int(areas[i]), int(areas[i + 1]), int(areas[i + 2]), int(areas[i + 3]));
}

} // namespace corvane

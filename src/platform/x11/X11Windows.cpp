#include "X11Windows.h"

#include "platform/x11/StackingOrder.h"
#include "platform/x11/WindowTypes.h"

#include <xcb/res.h>

namespace corvane {

namespace {
constexpr quint32 kSourceIsPager = 2; // requests come from a tool acting for the user
// _NET_MOVERESIZE_WINDOW's first value: the gravity, which of x, y, width and height it sets, and
// where the request comes from.
namespace moveresize {
constexpr quint32 kNorthWestGravity = 1;
constexpr quint32 kSetsX = 1 << 8;
constexpr quint32 kSetsY = 1 << 9;
constexpr quint32 kSetsWidth = 1 << 10;
constexpr quint32 kSetsHeight = 1 << 11;
constexpr int kSourceShift = 12;
} // namespace moveresize
// _NET_WM_STATE's first value.
constexpr quint32 kRemoveState = 0;
// Frames lie a few windows deep at most; the bound only keeps a broken tree from costing round
// trips without end.
constexpr int kMaxDepth = 8;
constexpr int kMaxDecoration = 64;
// How long a request waits for the one before it to the same window to take effect.
constexpr double kPendingBound = 0.010;
// How long a request stays the base of the next, though the window changed meanwhile: a slow client
// (xterm under load) may still be applying an older request, and a frame read then shows that one.
constexpr std::chrono::milliseconds kLateApplyBound{500};
} // namespace

X11Windows::X11Windows(X11Connection& connection, X11Screens& screens)
    : m_connection(connection)
    , m_screens(screens) {
    m_subscription = connection.addEventHandler([this](const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY)
            return;
        const xcb_window_t gone = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
        m_watched.remove(gone);
        m_sent.remove(gone);
    });
}

// The window manager's list says which windows are clients; the server says how they stack, since
// some window managers leave _NET_CLIENT_LIST_STACKING as it was when a window is raised. Where
// that list is not there yet (xfwm4 with one client just mapped), the plain client list stands in.
QList<xcb_window_t> X11Windows::stacking(double timeout) {
    auto treeCookie =
        m_connection.cookie<xcb_query_tree_reply_t>(xcb_query_tree(m_connection.xcb(), m_connection.root()));
    QList<quint32> listed =
        m_connection.cardinals(m_connection.root(), m_connection.atom("_NET_CLIENT_LIST_STACKING"), timeout);
    if (listed.isEmpty())
        listed = m_connection.cardinals(m_connection.root(), m_connection.atom("_NET_CLIENT_LIST"), timeout);
    const auto tree = treeCookie.await(timeout);
    QList<quint32> rootChildren;
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        rootChildren = QList<quint32>(children, children + xcb_query_tree_children_length(tree.get()));
    }
    return stackingFrontToBack(rootChildren, listed,
                               rootChildren.isEmpty() ? QHash<quint32, quint32>() : topLevels(listed));
}

// Each window's parent, then the parent's, until the root: one round trip per level for all of
// them together.
QHash<quint32, quint32> X11Windows::topLevels(const QList<quint32>& windows) {
    QHash<quint32, quint32> found;
    QHash<quint32, quint32> reached; // window -> the ancestor reached so far
    for (quint32 w : windows)
        reached.insert(w, w);
    for (int depth = 0; depth < kMaxDepth && !reached.isEmpty(); ++depth) {
        const QList<quint32> asked = reached.keys();
        std::vector<ReplyCookie<xcb_query_tree_reply_t>> trees;
        for (quint32 w : asked)
            trees.push_back(m_connection.cookie<xcb_query_tree_reply_t>(
                xcb_query_tree(m_connection.xcb(), reached.value(w))));
        qsizetype i = 0;
        QHash<quint32, quint32> next;
        m_connection.awaitEach(std::move(trees), [&](const xcb_query_tree_reply_t* tree) {
            const quint32 w = asked[i++];
            if (!tree)
                return; // gone meanwhile
            if (tree->parent == m_connection.root())
                found.insert(w, reached.value(w));
            else if (tree->parent != XCB_WINDOW_NONE)
                next.insert(w, tree->parent);
        });
        reached = next;
    }
    return found;
}

Fetched<qint32> X11Windows::pid(xcb_window_t window, double timeout) {
    const auto wmPid = m_connection.property(window, m_connection.atom("_NET_WM_PID"), timeout);
    if (!wmPid)
        return wmPid.end();
    if (const QList<quint32> values = X11Connection::cardinalsOf(wmPid.get()); !values.isEmpty())
        return qint32(values.first());
    // Clients that do not say their pid: ask the server which process owns the window.
    xcb_res_client_id_spec_t query{.client = window, .mask = XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    const auto reply = m_connection.await<xcb_res_query_client_ids_reply_t>(
        xcb_res_query_client_ids(m_connection.xcb(), 1, &query), timeout);
    if (!reply)
        return reply.end();
    // Only the pid was asked for, so every value that comes back is one.
    for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem;
         xcb_res_client_id_value_next(&it)) {
        if (xcb_res_client_id_value_value_length(it.data) > 0)
            return qint32(*xcb_res_client_id_value_value(it.data));
    }
    return WaitEnd::Replied; // none said
}

namespace {
FrameExtents extentsOf(const QList<quint32>& v) {
    if (v.size() < 4)
        return {};
    return {.left = int(v[0]), .right = int(v[1]), .top = int(v[2]), .bottom = int(v[3])};
}
} // namespace

FrameExtents X11Windows::decorations(xcb_window_t window, const QList<quint32>& published, double timeout) {
    if (published.size() >= 4)
        return extentsOf(published);
    const quint32 frame = topLevels({window}).value(window, window);
    if (frame == window)
        return {};
    xcb_connection_t* c = m_connection.xcb();
    auto frameCookie = m_connection.cookie<xcb_get_geometry_reply_t>(xcb_get_geometry(c, frame));
    auto clientCookie = m_connection.cookie<xcb_get_geometry_reply_t>(xcb_get_geometry(c, window));
    auto originCookie = m_connection.cookie<xcb_translate_coordinates_reply_t>(
        xcb_translate_coordinates(c, window, m_connection.root(), 0, 0));
    const auto outer = frameCookie.await(timeout);
    const auto client = clientCookie.await(timeout);
    const auto origin = originCookie.await(timeout);
    if (!outer || !client || !origin)
        return {};
    // A child of the root has its position at the outer corner of its border.
    const int border = 2 * outer->border_width;
    const int left = origin->dst_x - outer->x;
    const int top = origin->dst_y - outer->y;
    const FrameExtents measured{.left = std::max(0, left),
                                .right = std::max(0, outer->width + border - left - client->width),
                                .top = std::max(0, top),
                                .bottom = std::max(0, outer->height + border - top - client->height)};
    // Far more than a border and a title bar: a container (a virtual root), not decorations.
    if (std::max({measured.left, measured.right, measured.top, measured.bottom}) > kMaxDecoration)
        return {};
    return measured;
}

Fetched<QRectF> X11Windows::frame(xcb_window_t window, double timeout) {
    const Fetched<FrameReading> reading = readFrame(window, timeout, false);
    if (!reading)
        return reading.end();
    return reading->frame;
}

Fetched<X11Windows::TitledFrame> X11Windows::titledFrame(xcb_window_t window, double timeout) {
    const Fetched<FrameReading> reading = readFrame(window, timeout, false);
    if (!reading)
        return reading.end();
    return TitledFrame{.frame = reading->frame, .decorationTop = reading->publishedTop};
}

// Every request in flight at once: one round trip where they went one after another (the writer
// reads the frame before each write, and every round trip delays the window's move).
Fetched<X11Windows::FrameReading> X11Windows::readFrame(xcb_window_t window, double timeout, bool forWrite) {
    xcb_connection_t* c = m_connection.xcb();
    const auto property = [&](const char* name) {
        return m_connection.cookie<xcb_get_property_reply_t>(
            xcb_get_property(c, 0, window, m_connection.atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096));
    };
    auto geometryCookie = m_connection.cookie<xcb_get_geometry_reply_t>(xcb_get_geometry(c, window));
    auto originCookie = m_connection.cookie<xcb_translate_coordinates_reply_t>(
        xcb_translate_coordinates(c, window, m_connection.root(), 0, 0));
    auto publishedCookie = property("_NET_FRAME_EXTENTS");
    auto shadowCookie = property("_GTK_FRAME_EXTENTS");
    std::optional<ReplyCookie<xcb_get_property_reply_t>> statesCookie;
    std::optional<ReplyCookie<xcb_get_property_reply_t>> hintsCookie;
    if (forWrite) {
        statesCookie.emplace(property("_NET_WM_STATE"));
        hintsCookie.emplace(m_connection.cookie<xcb_get_property_reply_t>(
            xcb_get_property(c, 0, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18)));
    }
    // One bound for all of them: a server that stalls costs the timeout once, not once per request.
    const QDeadlineTimer deadline(std::chrono::nanoseconds(qint64(timeout * 1e9)));
    const auto remaining = [&] { return double(deadline.remainingTimeNSecs()) / 1e9; };
    const auto geometry = geometryCookie.await(remaining());
    if (!geometry)
        return geometry.end(); // gone, or no answer in time; the other replies go with their cookies
    const auto origin = originCookie.await(remaining());
    if (!origin)
        return origin.end();
    const auto published = publishedCookie.await(remaining());
    const auto shadow = shadowCookie.await(remaining());
    FrameReading reading;
    if (statesCookie)
        reading.states = X11Connection::cardinalsOf(statesCookie->await(remaining()).get());
    if (hintsCookie)
        reading.sizeHints =
            SizeHints::fromProperty(X11Connection::cardinalsOf(hintsCookie->await(remaining()).get()));
    const QList<quint32> publishedExtents = X11Connection::cardinalsOf(published.get());
    reading.wm = decorations(window, publishedExtents, timeout);
    reading.publishedTop = extentsOf(publishedExtents).top;
    reading.shadow = extentsOf(X11Connection::cardinalsOf(shadow.get()));
    const FrameExtents& wm = reading.wm;
    const FrameExtents& s = reading.shadow;
    reading.client = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
    const QPoint axOrigin = m_screens.primaryOrigin();
    reading.frame =
        QRectF(origin->dst_x - wm.left + s.left - axOrigin.x(), origin->dst_y - wm.top + s.top - axOrigin.y(),
               geometry->width + wm.left + wm.right - s.left - s.right,
               geometry->height + wm.top + wm.bottom - s.top - s.bottom);
    return reading;
}

Fetched<bool> X11Windows::hasState(xcb_window_t window, const char* state, double timeout) {
    const auto reply = m_connection.property(window, m_connection.atom("_NET_WM_STATE"), timeout);
    if (!reply)
        return reply.end();
    return X11Connection::cardinalsOf(reply.get()).contains(m_connection.atom(state));
}

Fetched<QRectF> X11Windows::restoreFrame(xcb_window_t window, double timeout) {
    const auto reply = m_connection.property(window, m_connection.atom("_CORVANE_RESTORE_FRAME"), timeout);
    if (!reply)
        return reply.end();
    const QList<quint32> v = X11Connection::cardinalsOf(reply.get());
    if (v.size() != 4)
        return WaitEnd::Replied; // whether the values make a frame a window can have is for the reader
    const QPoint axOrigin = m_screens.primaryOrigin();
    return QRectF(qint32(v[0]) - axOrigin.x(), qint32(v[1]) - axOrigin.y(), v[2], v[3]);
}

void X11Windows::setRestoreFrame(xcb_window_t window, std::optional<QRectF> axFrame) {
    const xcb_atom_t property = m_connection.atom("_CORVANE_RESTORE_FRAME");
    if (!axFrame) {
        xcb_delete_property(m_connection.xcb(), window, property);
    } else {
        const QPoint axOrigin = m_screens.primaryOrigin();
        const quint32 values[] = {quint32(qint32(qRound(axFrame->x() + axOrigin.x()))),
                                  quint32(qint32(qRound(axFrame->y() + axOrigin.y()))),
                                  quint32(std::max(1, qRound(axFrame->width()))),
                                  quint32(std::max(1, qRound(axFrame->height())))};
        xcb_change_property(m_connection.xcb(), XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_CARDINAL,
                            32, 4, values);
    }
    m_connection.flush();
}

int X11Windows::layerOfTypes(const QList<quint32>& types) {
    const QList<QByteArray> known = knownWindowTypes();
    QList<QByteArray> names;
    for (quint32 type : types) {
        for (const QByteArray& name : known) {
            if (m_connection.atom(name.constData()) == type)
                names.append(name);
        }
    }
    return layerOfWindowTypes(names);
}

bool X11Windows::isOnScreen(xcb_window_t window) {
    return facts(window).isOnScreen;
}

bool X11Windows::isTarget(xcb_window_t window) {
    const WindowFacts f = facts(window);
    return f.layer == kOrdinaryLayer && f.isOnScreen;
}

// All asked at once: one round trip where they went one after another.
X11Windows::WindowFacts X11Windows::facts(xcb_window_t window) {
    xcb_connection_t* c = m_connection.xcb();
    const auto ask = [&](xcb_window_t w, const char* name) {
        return m_connection.cookie<xcb_get_property_reply_t>(
            xcb_get_property(c, 0, w, m_connection.atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096));
    };
    std::vector<ReplyCookie<xcb_get_property_reply_t>> requests;
    for (const char* name : {"_NET_WM_PID", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_DESKTOP"})
        requests.push_back(ask(window, name));
    requests.push_back(ask(m_connection.root(), "_NET_CURRENT_DESKTOP"));
    const qsizetype asked = qsizetype(requests.size());
    QList<QList<quint32>> values;
    m_connection.awaitEach(std::move(requests), [&](const xcb_get_property_reply_t* reply) {
        values.append(X11Connection::cardinalsOf(reply));
    });
    values.resize(asked); // none after a timeout
    const QList<quint32>& desktop = values[3];
    const QList<quint32>& current = values[4];
    WindowFacts f;
    if (!values[0].isEmpty())
        f.pid = qint32(values[0].first());
    f.layer = layerOfTypes(values[1]);
    f.isOnScreen = !values[2].contains(m_connection.atom("_NET_WM_STATE_HIDDEN")) &&
                   (desktop.isEmpty() || current.isEmpty() || desktop.first() == 0xFFFFFFFF ||
                    desktop.first() == current.first());
    return f;
}

QString X11Windows::applicationName(xcb_window_t window) {
    // WM_CLASS is "instance\0Class\0": the class names the application.
    const QList<QByteArray> parts = m_connection.bytes(window, XCB_ATOM_WM_CLASS).split('\0');
    if (parts.size() >= 2 && !parts[1].isEmpty())
        return QString::fromUtf8(parts[1]);
    return QString::fromUtf8(m_connection.bytes(window, m_connection.atom("_NET_WM_NAME")));
}

Fetched<QString> X11Windows::title(xcb_window_t window, double timeout) {
    const auto utf8 = m_connection.property(window, m_connection.atom("_NET_WM_NAME"), timeout);
    if (!utf8)
        return utf8.end();
    const auto text = [](const xcb_get_property_reply_t* reply) {
        return reply->format == 8 ? QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                                               xcb_get_property_value_length(reply))
                                  : QByteArray();
    };
    if (const QByteArray name = text(utf8.get()); !name.isEmpty())
        return QString::fromUtf8(name);
    // WM_NAME is Latin-1 text (STRING), as the clients that set only it write it.
    const auto legacy = m_connection.property(window, XCB_ATOM_WM_NAME, timeout);
    if (!legacy)
        return legacy.end();
    return QString::fromLatin1(text(legacy.get()));
}

WaitEnd X11Windows::moveResize(xcb_window_t window, std::optional<QPointF> axTopLeft,
                               std::optional<QSizeF> outerSize, double timeout) {
    Fetched<FrameReading> reading = readFrame(window, timeout, true);
    // Built on the frame the last request left, not on one the window manager is still changing:
    // a request sent before icewm has applied the one before may land off by its border, an offset
    // the next request does not repeat (and the writer would take it off that one).
    std::optional<SentRequest> pending;
    if (reading) {
        const auto sent = m_sent.constFind(window);
        if (sent != m_sent.cend() && !sent->wasAwaited && sent->before == reading->frame)
            pending = *sent;
    }
    if (pending && awaitApplied(window, *pending, kPendingBound))
        reading = readFrame(window, timeout, true);
    if (!reading) {
        m_sent.remove(window); // gone
        return reading.end();
    }
    const xcb_atom_t vertical = m_connection.atom("_NET_WM_STATE_MAXIMIZED_VERT");
    const xcb_atom_t horizontal = m_connection.atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    if (reading->states.contains(vertical) || reading->states.contains(horizontal))
        m_connection.sendRootMessage(window, m_connection.atom("_NET_WM_STATE"),
                                     {kRemoveState, vertical, horizontal, kSourceIsPager, 0});
    const QRectF current = reading->frame;
    const FrameExtents wm = reading->wm;
    const FrameExtents shadow = reading->shadow;
    QRectF target;
    bool isWatched = true;
    {
        // What is not asked for stays as it is, or as the last request left it while that is pending.
        const auto sent = m_sent.constFind(window);
        const bool isPending =
            sent != m_sent.cend() &&
            (sent->before == current || std::chrono::steady_clock::now() - sent->sentAt < kLateApplyBound);
        target = isPending ? sent->requested : current;
        if (axTopLeft)
            target.moveTopLeft(*axTopLeft);
        if (outerSize)
            target.setSize(*outerSize);
        // A request that builds on a pending one is answered by the events of both.
        const quint64 configuresBefore =
            isPending ? sent->configuresBefore : m_connection.configured(window).count;
        m_sent.insert(window, {.requested = target,
                               .before = current,
                               .clientBefore = reading->client,
                               .configuresBefore = configuresBefore});
        isWatched = m_watched.contains(window);
        m_watched.insert(window);
    }
    if (!isWatched) {
        // Ours to see besides the client's own selection: each client selects for itself.
        const quint32 mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection.xcb(), window, XCB_CW_EVENT_MASK, &mask);
    }
    const QPoint axOrigin = m_screens.primaryOrigin();
    using namespace moveresize;
    const quint32 flags =
        kNorthWestGravity | kSetsX | kSetsY | kSetsWidth | kSetsHeight | (kSourceIsPager << kSourceShift);
    // With north-west gravity the window manager places the outer frame's top-left at x, y...
    const auto x = quint32(qRound(target.x() + axOrigin.x() - shadow.left));
    const auto y = quint32(qRound(target.y() + axOrigin.y() - shadow.top));
    // ...and takes the size of the client, inside the decorations, shadow included.
    const auto w =
        quint32(std::max(1, qRound(target.width()) - wm.left - wm.right + shadow.left + shadow.right));
    const auto h =
        quint32(std::max(1, qRound(target.height()) - wm.top - wm.bottom + shadow.top + shadow.bottom));
    SentRequest& sent = m_sent[window];
    sent.resizes = reading->sizeHints.canChange(reading->client.size(), QSize(int(w), int(h)));
    sent.moves = target.topLeft().toPoint() != current.topLeft().toPoint();
    m_connection.sendRootMessage(window, m_connection.atom("_NET_MOVERESIZE_WINDOW"), {flags, x, y, w, h});
    return WaitEnd::Replied;
}

bool X11Windows::waitUntilApplied(xcb_window_t window, double timeout) {
    SentRequest sent;
    {
        const auto it = m_sent.constFind(window);
        if (it == m_sent.cend())
            return true;
        sent = *it;
    }
    return awaitApplied(window, sent, timeout);
}

bool X11Windows::awaitConfigure(xcb_window_t window, quint64 seen, double timeout) {
    return m_connection.awaitConfigure(
        window, [seen](const X11Connection::Configured& c) { return c.count > seen; }, timeout);
}

bool X11Windows::awaitApplied(xcb_window_t window, const SentRequest& sent, double timeout) {
    {
        const auto it = m_sent.find(window);
        if (it != m_sent.end() && it->configuresBefore == sent.configuresBefore &&
            it->requested == sent.requested)
            it->wasAwaited = true;
    }
    if (!sent.resizes && !sent.moves)
        return true; // nothing can change: the window manager may well not answer
    // Applied once the events since the request show each change it can bring: a window manager may
    // answer a move and resize with an event for each, and the size may come first (icewm), or be
    // another than asked, the window's size steps (xterm) or limits taken into account. A size the
    // window already has as near as its steps allow is never awaited: no event would come for it.
    return m_connection.awaitConfigure(
        window,
        [&](const X11Connection::Configured& c) {
            return c.count > sent.configuresBefore && (!sent.resizes || c.size != sent.clientBefore.size()) &&
                   (!sent.moves ||
                    (c.positionCount > sent.configuresBefore &&
                     (c.rootPosition - sent.clientBefore.topLeft()).manhattanLength() > 2 * c.borderWidth));
        },
        timeout);
}

void X11Windows::activate(xcb_window_t window) {
    m_connection.sendRootMessage(window, m_connection.atom("_NET_ACTIVE_WINDOW"),
                                 {kSourceIsPager, XCB_CURRENT_TIME, 0, 0, 0});
}

void X11Windows::raise(xcb_window_t window) {
    m_connection.sendRootMessage(window, m_connection.atom("_NET_RESTACK_WINDOW"),
                                 {kSourceIsPager, XCB_WINDOW_NONE, XCB_STACK_MODE_ABOVE, 0, 0});
}

xcb_window_t X11Windows::activeWindow() {
    const QList<quint32> active =
        m_connection.cardinals(m_connection.root(), m_connection.atom("_NET_ACTIVE_WINDOW"));
    return active.isEmpty() ? xcb_window_t(XCB_WINDOW_NONE) : active.first();
}

void X11Windows::noteActivation(xcb_window_t window, qint32 pid) {
    m_lastActiveByPid.insert(pid, window);
}

std::optional<xcb_window_t> X11Windows::focusedWindow(qint32 pid) {
    // The application holds the focus in a window of its own that is not one to move (its desktop
    // icons, a dock): nothing of it is the target. An active window on another desktop (some window
    // managers leave it named after a switch) gives way to the application's windows here.
    const xcb_window_t active = activeWindow();
    if (active != XCB_WINDOW_NONE) {
        const WindowFacts f = facts(active);
        if ((f.pid ? f.pid : this->pid(active).value()) == pid) {
            if (f.layer != kOrdinaryLayer)
                return std::nullopt;
            if (f.isOnScreen)
                return active;
        }
    }
    const QList<xcb_window_t> windows = stacking();
    std::optional<xcb_window_t> last;
    {
        if (const auto it = m_lastActiveByPid.constFind(pid); it != m_lastActiveByPid.cend())
            last = *it;
    }
    if (last && windows.contains(*last) && isTarget(*last))
        return last;
    for (xcb_window_t w : windows) {
        const WindowFacts f = facts(w);
        if ((f.pid ? f.pid : this->pid(w).value()) == pid && f.layer == kOrdinaryLayer && f.isOnScreen)
            return w;
    }
    return std::nullopt;
}

} // namespace corvane

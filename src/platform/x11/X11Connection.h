#pragma once
// One of Corvane's own connections to the X server (Qt keeps its own for our windows): atoms, the
// root window, replies awaited with a deadline, and the dispatch of events to whoever asked for them.
// A connection belongs to the thread that opened it, which alone uses it: its events are handed on
// by that thread's event loop. Events read while a reply is awaited wait in order for that loop, so
// no handler runs in the middle of the work that awaits.

#include <QDeadlineTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QSocketNotifier>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

namespace corvane {

// Replies and errors are malloc'd by xcb.
struct XcbFree {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, XcbFree>;

// How a wait for a reply ended.
enum class WaitEnd { Replied, XError, TimedOut, ConnectionLost };

// A reply waited for, or, without one, why not: an X error (a window that vanished), a timeout or a
// lost connection.
template <typename Reply> class Awaited {
public:
    Awaited(WaitEnd end, XcbReply<Reply> reply = nullptr)
        : m_end(end)
        , m_reply(std::move(reply)) {}

    WaitEnd end() const { return m_end; }
    bool hasTimedOut() const { return m_end == WaitEnd::TimedOut; }
    explicit operator bool() const { return m_reply != nullptr; }
    const Reply* get() const { return m_reply.get(); }
    const Reply* operator->() const { return m_reply.get(); }

private:
    WaitEnd m_end;
    XcbReply<Reply> m_reply;
};

class X11Connection;

// A handler's place among a connection's event handlers: the handler is removed when this goes.
class EventSubscription {
public:
    EventSubscription() = default;
    EventSubscription(X11Connection& connection, quint64 id)
        : m_connection(&connection)
        , m_id(id) {}
    EventSubscription(EventSubscription&& other) noexcept
        : m_connection(std::exchange(other.m_connection, nullptr))
        , m_id(other.m_id) {}
    EventSubscription& operator=(EventSubscription&& other) noexcept;
    ~EventSubscription();

private:
    X11Connection* m_connection = nullptr;
    quint64 m_id = 0;
};

// A request sent whose reply is awaited later, if at all: left unawaited, the reply is discarded
// when the cookie goes out of scope, so xcb never keeps it.
template <typename Reply> class ReplyCookie {
public:
    ReplyCookie(X11Connection& connection, unsigned int sequence)
        : m_connection(&connection)
        , m_sequence(sequence) {}
    ReplyCookie(ReplyCookie&& other) noexcept
        : m_connection(std::exchange(other.m_connection, nullptr))
        , m_sequence(other.m_sequence) {}
    ReplyCookie& operator=(ReplyCookie&&) = delete;
    ~ReplyCookie();

    // Once only: the cookie is spent after.
    Awaited<Reply> await(double timeout);
    Awaited<Reply> await();

private:
    X11Connection* m_connection;
    unsigned int m_sequence;
};

class X11Connection : public QObject {
    Q_OBJECT
public:
    // None when no display can be reached. Needs a running QCoreApplication and, on the thread that
    // opens it, an event loop (it watches the socket).
    static std::unique_ptr<X11Connection> open(const char* displayName = nullptr);
    // Whether a display answers, without a QCoreApplication.
    static bool isDisplayReachable(const char* displayName = nullptr);
    ~X11Connection() override;

    xcb_connection_t* xcb() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    xcb_atom_t atom(const char* name);
    bool hasError() const { return xcb_connection_has_error(m_connection) != 0; }

    static constexpr double kDefaultTimeout = 1.0;
    // The reply to a request (any xcb cookie), waited for at most the given seconds.
    template <typename Reply, typename XcbCookie>
    Awaited<Reply> await(XcbCookie request, double timeout = kDefaultTimeout) {
        return awaitSequence<Reply>(request.sequence, timeout);
    }
    // A request whose reply is awaited later, or discarded.
    template <typename Reply, typename XcbCookie> ReplyCookie<Reply> cookie(XcbCookie request) {
        return ReplyCookie<Reply>(*this, request.sequence);
    }
    // Awaits the replies of requests already sent, in order, handing each to `use` (null for a
    // request that failed). After a timeout the rest are discarded: a server that slow answers
    // none of them in time.
    template <typename Reply, typename Use>
    void awaitEach(std::vector<ReplyCookie<Reply>> cookies, Use&& use) {
        for (ReplyCookie<Reply>& cookie : cookies) {
            const Awaited<Reply> reply = cookie.await();
            if (reply.hasTimedOut())
                return;
            use(reply.get());
        }
    }
    template <typename Reply> Awaited<Reply> awaitSequence(unsigned int sequence, double timeout) {
        const RawReply raw = awaitRaw(sequence, timeout);
        return Awaited<Reply>(raw.end, XcbReply<Reply>(static_cast<Reply*>(raw.reply)));
    }

    // A property of a window, whole.
    Awaited<xcb_get_property_reply_t> property(xcb_window_t window, xcb_atom_t property,
                                               double timeout = kDefaultTimeout);
    // A property of a window as 32-bit values (CARDINAL, WINDOW, ATOM); empty when absent.
    QList<quint32> cardinals(xcb_window_t window, xcb_atom_t property, double timeout = kDefaultTimeout);
    // The 32-bit values of a property reply; none when the property is absent or not 32-bit.
    static QList<quint32> cardinalsOf(const xcb_get_property_reply_t* reply);
    QByteArray bytes(xcb_window_t window, xcb_atom_t property, double timeout = kDefaultTimeout);
    void sendRootMessage(xcb_window_t window, xcb_atom_t type, std::array<quint32, 5> data);
    void flush() { xcb_flush(m_connection); }

    using EventHandler = std::function<void(const xcb_generic_event_t*)>;
    // Handlers see every event of the connection, on its thread, from its event loop, in the order
    // they were added, until their subscription goes (one removed while an event is handed on is not
    // called again).
    [[nodiscard]] EventSubscription addEventHandler(EventHandler handler);
    void removeEventHandler(quint64 id) { m_handlers.erase(id); }

    // What the ConfigureNotify events of a window whose structure we watch have told so far, taken
    // as they come off the socket.
    struct Configured {
        quint64 count = 0; // events seen
        QSize size;        // of the window itself, as the last of them says
        // Its top-left in root pixels and its border, as the last synthetic one says: the window
        // manager's word after a move (a real event gives the place in its frame). Some count the
        // border in, some do not.
        QPoint rootPosition;
        int borderWidth = 0;
        quint64 positionCount = 0; // `count` when that one came; 0 before any
    };
    Configured configured(xcb_window_t window) const { return m_configured.value(window); }
    // Waits until `isDone` holds for what the window's events told, at most the given seconds;
    // false when it never did. The wait reads the socket itself.
    bool awaitConfigure(xcb_window_t window, const std::function<bool(const Configured&)>& isDone,
                        double timeout);

signals:
    void connectionLost();

private:
    X11Connection(xcb_connection_t* connection, xcb_screen_t* screen);
    struct RawReply {
        WaitEnd end = WaitEnd::Replied;
        void* reply = nullptr;
    };
    RawReply awaitRaw(unsigned int sequence, double timeout);
    // Moves the events xcb has read (and, when asked, any the socket holds) to those waiting for the
    // event loop, noting the windows' configurations on the way.
    void takeEvents(bool readsSocket);
    void dispatchEvents(bool readsSocket);
    void noteConfigure(const xcb_configure_notify_event_t& event);
    // Sleeps until the socket has data or the deadline passes.
    void waitForData(const QDeadlineTimer& deadline);

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::map<quint64, EventHandler> m_handlers;
    quint64 m_nextHandlerId = 1;
    std::deque<XcbReply<xcb_generic_event_t>> m_events; // read, not yet handed on
    QHash<xcb_window_t, Configured> m_configured;
    QHash<QByteArray, xcb_atom_t> m_atoms;
    bool m_hasReportedLoss = false;
};

inline EventSubscription& EventSubscription::operator=(EventSubscription&& other) noexcept {
    if (this != &other) {
        if (m_connection)
            m_connection->removeEventHandler(m_id);
        m_connection = std::exchange(other.m_connection, nullptr);
        m_id = other.m_id;
    }
    return *this;
}

inline EventSubscription::~EventSubscription() {
    if (m_connection)
        m_connection->removeEventHandler(m_id);
}

template <typename Reply> ReplyCookie<Reply>::~ReplyCookie() {
    if (m_connection)
        xcb_discard_reply(m_connection->xcb(), m_sequence);
}

template <typename Reply> Awaited<Reply> ReplyCookie<Reply>::await(double timeout) {
    return std::exchange(m_connection, nullptr)->template awaitSequence<Reply>(m_sequence, timeout);
}

template <typename Reply> Awaited<Reply> ReplyCookie<Reply>::await() {
    return await(X11Connection::kDefaultTimeout);
}

} // namespace corvane

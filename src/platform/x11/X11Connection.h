#pragma once
// Corvane's own connection to the X server (Qt keeps its own for our windows): atoms, the root
// window, replies awaited with a deadline, and the dispatch of events to whoever asked for them.
// Any thread may take events off the socket (awaiting a reply reads whatever comes first); they
// wait in an inbox, in order, for the main thread's dispatch, which is woken for them.

#include <QDeadlineTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QSocketNotifier>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <xcb/xcb.h>

namespace corvane {

// Replies and errors are malloc'd by xcb.
struct XcbFree {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, XcbFree>;

class X11Connection : public QObject {
    Q_OBJECT
public:
    // None when no display can be reached. Needs a running QCoreApplication (it watches the socket).
    static std::unique_ptr<X11Connection> open(const char* displayName = nullptr);
    // Whether a display answers, without a QCoreApplication.
    static bool isDisplayReachable(const char* displayName = nullptr);
    ~X11Connection() override;

    xcb_connection_t* xcb() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    xcb_atom_t atom(const char* name);
    bool hasError() const { return xcb_connection_has_error(m_connection) != 0; }

    // The reply to a request, waited for at most the given seconds; none on an X error (a window
    // that vanished), a timeout or a lost connection. Callable from any thread.
    template <typename Reply> XcbReply<Reply> await(unsigned int sequence, double timeout = kDefaultTimeout) {
        return XcbReply<Reply>(static_cast<Reply*>(awaitRaw(sequence, timeout)));
    }
    static constexpr double kDefaultTimeout = 1.0;
    // Awaits the replies of requests already sent, in order, handing each to `use` (null for a
    // request that failed). After a timeout the rest are discarded: a server that slow answers
    // none of them in time.
    template <typename Reply, typename Use> void awaitEach(const QList<unsigned int>& sequences, Use&& use) {
        for (qsizetype i = 0; i < sequences.size(); ++i) {
            const XcbReply<Reply> reply = await<Reply>(sequences[i]);
            if (!reply && lastAwaitTimedOut()) {
                for (qsizetype j = i + 1; j < sequences.size(); ++j)
                    xcb_discard_reply(m_connection, sequences[j]);
                return;
            }
            use(reply.get());
        }
    }
    // Whether the last failed await timed out (rather than an X error): per thread.
    static bool lastAwaitTimedOut();

    // A property of a window as 32-bit values (CARDINAL, WINDOW, ATOM); empty when absent.
    QList<quint32> cardinals(xcb_window_t window, xcb_atom_t property, double timeout = kDefaultTimeout);
    // The 32-bit values of a property reply; none when the property is absent or not 32-bit.
    static QList<quint32> cardinalsOf(const xcb_get_property_reply_t* reply);
    QByteArray bytes(xcb_window_t window, xcb_atom_t property, double timeout = kDefaultTimeout);
    void sendRootMessage(xcb_window_t window, xcb_atom_t type, std::array<quint32, 5> data);
    // The running window manager's name (_NET_WM_NAME of its _NET_SUPPORTING_WM_CHECK window); none
    // when no window manager says, or the one that did has died.
    std::optional<QString> windowManagerName();
    void flush() { xcb_flush(m_connection); }

    using EventHandler = std::function<void(const xcb_generic_event_t*)>;
    // Handlers see every event of our connection, on the main thread.
    void addEventHandler(EventHandler handler) { m_handlers.append(std::move(handler)); }

    // What the ConfigureNotify events of a window whose structure we watch have told so far, taken
    // as they come off the socket, by whichever thread.
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
    // Callable from any thread.
    Configured configured(xcb_window_t window);
    // Waits until `isDone` holds for what the window's events told, at most the given seconds;
    // false when it never did. Callable from any thread, the main thread included: the wait reads
    // the socket itself.
    bool awaitConfigure(xcb_window_t window, const std::function<bool(const Configured&)>& isDone,
                        double timeout);

signals:
    void connectionLost();

private:
    X11Connection(xcb_connection_t* connection, xcb_screen_t* screen);
    void* awaitRaw(unsigned int sequence, double timeout);
    // Moves the events xcb has read (and, when asked, any the socket holds) to the inbox; off the
    // main thread it has the main thread dispatch them.
    void takeEvents(bool readsSocket);
    void dispatchEvents(bool readsSocket);
    void noteConfigure(const xcb_configure_notify_event_t& event); // with m_inboxMutex held
    // Sleeps until data has come, a slice of the time at most. Off the main thread it waits for the
    // main thread, which wakes for the socket, to have read some (it reads what this thread awaits
    // too: a reply, a ConfigureNotify); at the slice's end the caller reads the socket itself.
    void waitForData(const QDeadlineTimer& deadline);

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QList<EventHandler> m_handlers;
    std::mutex m_inboxMutex; // the inbox and the counts; held while taking events, so they stay in order
    std::deque<XcbReply<xcb_generic_event_t>> m_inbox;
    QHash<xcb_window_t, Configured> m_configured;
    bool m_isDispatchPosted = false;
    std::condition_variable m_dataRead; // with m_inboxMutex: the main thread read the socket
    quint64 m_reads = 0;
    std::mutex m_atomsMutex;
    QHash<QByteArray, xcb_atom_t> m_atoms;
    bool m_hasReportedLoss = false;
};

} // namespace corvane

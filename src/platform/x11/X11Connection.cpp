#include "X11Connection.h"

#include <QAbstractEventDispatcher>
#include <QScopeGuard>
#include <QThread>
#include <poll.h>
#include <xcb/xcbext.h>

namespace corvane {

namespace {
// Short slices: another thread may read our reply or event off the socket while this one sleeps on
// it (the main thread, busy, may not say so at once). At 2 ms per slice that cost the background
// writer a millisecond per round trip.
constexpr std::chrono::nanoseconds kSlice{100'000};
} // namespace

std::unique_ptr<X11Connection> X11Connection::open(const char* displayName) {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(displayName, &screenNumber);
    if (!connection || xcb_connection_has_error(connection)) {
        if (connection)
            xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    return std::unique_ptr<X11Connection>(new X11Connection(connection, it.data));
}

bool X11Connection::isDisplayReachable(const char* displayName) {
    xcb_connection_t* connection = xcb_connect(displayName, nullptr);
    const bool isReachable = connection && !xcb_connection_has_error(connection);
    if (connection)
        xcb_disconnect(connection);
    return isReachable;
}

X11Connection::X11Connection(xcb_connection_t* connection, xcb_screen_t* screen)
    : m_connection(connection)
    , m_root(screen->root) {
    // Root property changes tell of activation, desktops, the window manager and panels.
    const quint32 mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
    m_notifier =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { dispatchEvents(true); });
    // A reply awaited on the main thread may pull events off the socket into xcb's queue, where the
    // socket notifier never sees them: drain the queue whenever the event loop is about to sleep
    // (the socket itself is the notifier's to watch).
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { dispatchEvents(false); });
}

X11Connection::~X11Connection() {
    m_notifier.reset();
    xcb_disconnect(m_connection);
}

xcb_atom_t X11Connection::atom(const char* name) {
    {
        std::lock_guard lock(m_atomsMutex);
        if (auto it = m_atoms.constFind(name); it != m_atoms.cend())
            return *it;
    }
    const auto reply =
        await<xcb_intern_atom_reply_t>(xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name));
    if (!reply)
        return XCB_ATOM_NONE;
    std::lock_guard lock(m_atomsMutex);
    m_atoms.insert(name, reply->atom);
    return reply->atom;
}

X11Connection::RawReply X11Connection::awaitRaw(unsigned int sequence, double timeout) {
    xcb_flush(m_connection);
    const QDeadlineTimer deadline(std::chrono::nanoseconds(qint64(timeout * 1e9)), Qt::PreciseTimer);
    // Events read on the way wait for the main thread, which the socket no longer wakes for them.
    const auto handOnEvents = qScopeGuard([this] {
        if (QThread::currentThread() != thread())
            takeEvents(false);
    });
    for (;;) {
        void* reply = nullptr;
        xcb_generic_error_t* error = nullptr;
        if (xcb_poll_for_reply(m_connection, sequence, &reply, &error)) {
            std::free(error);
            return {reply ? WaitEnd::Replied : WaitEnd::XError, reply};
        }
        if (xcb_connection_has_error(m_connection))
            return {WaitEnd::ConnectionLost};
        if (deadline.hasExpired()) {
            // Collect the late reply in the background of xcb rather than leak the slot.
            xcb_discard_reply(m_connection, sequence);
            return {WaitEnd::TimedOut};
        }
        waitForData(deadline);
    }
}

void X11Connection::waitForData(const QDeadlineTimer& deadline) {
    const std::chrono::nanoseconds slice =
        std::min(kSlice, std::chrono::nanoseconds(deadline.remainingTimeNSecs()));
    if (QThread::currentThread() != thread()) {
        std::unique_lock lock(m_inboxMutex);
        const quint64 reads = m_reads;
        m_dataRead.wait_for(lock, slice, [&] { return m_reads != reads; });
        return;
    }
    const timespec wait{0, long(std::max<qint64>(0, slice.count()))};
    pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
    ::ppoll(&fd, 1, &wait, nullptr);
}

X11Connection::Configured X11Connection::configured(xcb_window_t window) {
    std::lock_guard lock(m_inboxMutex);
    return m_configured.value(window);
}

bool X11Connection::awaitConfigure(xcb_window_t window, const std::function<bool(const Configured&)>& isDone,
                                   double timeout) {
    xcb_flush(m_connection);
    const QDeadlineTimer deadline(std::chrono::nanoseconds(qint64(timeout * 1e9)), Qt::PreciseTimer);
    for (;;) {
        takeEvents(true);
        if (isDone(configured(window)))
            return true;
        if (deadline.hasExpired() || xcb_connection_has_error(m_connection))
            return false;
        waitForData(deadline);
    }
}

Awaited<xcb_get_property_reply_t> X11Connection::property(xcb_window_t window, xcb_atom_t property,
                                                          double timeout) {
    return await<xcb_get_property_reply_t>(
        xcb_get_property(m_connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), timeout);
}

QList<quint32> X11Connection::cardinals(xcb_window_t window, xcb_atom_t property, double timeout) {
    return cardinalsOf(this->property(window, property, timeout).get());
}

QList<quint32> X11Connection::cardinalsOf(const xcb_get_property_reply_t* reply) {
    QList<quint32> values;
    if (!reply || reply->format != 32)
        return values;
    const auto* data = static_cast<const quint32*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / 4;
    values.reserve(count);
    for (int i = 0; i < count; ++i)
        values.append(data[i]);
    return values;
}

QByteArray X11Connection::bytes(xcb_window_t window, xcb_atom_t property, double timeout) {
    const auto reply = this->property(window, property, timeout);
    if (!reply || reply->format != 8)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

std::optional<QString> X11Connection::windowManagerName() {
    const xcb_atom_t supportingCheck = atom("_NET_SUPPORTING_WM_CHECK");
    const QList<quint32> check = cardinals(m_root, supportingCheck);
    if (check.isEmpty())
        return std::nullopt;
    // A window manager that died leaves the root's property behind; its window, gone, answers nothing.
    if (cardinals(check[0], supportingCheck).value(0) != check[0])
        return std::nullopt;
    const QByteArray name = bytes(check[0], atom("_NET_WM_NAME"));
    if (name.isEmpty())
        return std::nullopt;
    return QString::fromUtf8(name);
}

void X11Connection::sendRootMessage(xcb_window_t window, xcb_atom_t type, std::array<quint32, 5> data) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    for (int i = 0; i < 5; ++i)
        event.data.data32[i] = data[i];
    xcb_send_event(m_connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(m_connection);
}

void X11Connection::takeEvents(bool readsSocket) {
    bool isDispatchNeeded = false;
    {
        std::lock_guard lock(m_inboxMutex);
        while (xcb_generic_event_t* event =
                   readsSocket ? xcb_poll_for_event(m_connection) : xcb_poll_for_queued_event(m_connection)) {
            const int type = event->response_type & 0x7f;
            if (type == XCB_CONFIGURE_NOTIFY)
                noteConfigure(*reinterpret_cast<const xcb_configure_notify_event_t*>(event));
            else if (type == XCB_DESTROY_NOTIFY)
                m_configured.remove(reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window);
            m_inbox.emplace_back(event);
            isDispatchNeeded = true;
        }
        if (!isDispatchNeeded || m_isDispatchPosted || QThread::currentThread() == thread())
            return;
        m_isDispatchPosted = true;
    }
    QMetaObject::invokeMethod(
        this, [this] { dispatchEvents(false); }, Qt::QueuedConnection);
}

void X11Connection::noteConfigure(const xcb_configure_notify_event_t& event) {
    Configured& configured = m_configured[event.window];
    ++configured.count;
    configured.size = QSize(event.width, event.height);
    if (event.response_type & 0x80) { // sent by the window manager
        configured.rootPosition = QPoint(event.x, event.y);
        configured.borderWidth = event.border_width;
        configured.positionCount = configured.count;
    }
}

void X11Connection::dispatchEvents(bool readsSocket) {
    if (readsSocket) {
        takeEvents(true);
        {
            std::lock_guard lock(m_inboxMutex);
            ++m_reads;
        }
        m_dataRead.notify_all();
    }
    for (;;) {
        takeEvents(false);
        std::unique_lock lock(m_inboxMutex);
        m_isDispatchPosted = false;
        if (m_inbox.empty())
            break; // the usual case before the loop sleeps: nothing to hand on, nothing allocated
        std::deque<XcbReply<xcb_generic_event_t>> events;
        events.swap(m_inbox);
        lock.unlock();
        // A handler may await a reply, and so read more events: they come in the next round.
        for (const XcbReply<xcb_generic_event_t>& event : events) {
            for (const EventHandler& handler : m_handlers)
                handler(event.get());
        }
    }
    if (xcb_connection_has_error(m_connection) && !m_hasReportedLoss) {
        m_hasReportedLoss = true;
        m_notifier->setEnabled(false);
        emit connectionLost();
    }
}

} // namespace corvane

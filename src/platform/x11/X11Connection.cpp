#include "X11Connection.h"

#include <QAbstractEventDispatcher>
#include <poll.h>
#include <xcb/xcbext.h>

namespace corvane {

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
    // Root property changes tell of activation, desktops, the window manager and panels; its
    // substructure, of the window manager's frames moving.
    const quint32 mask =
        XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
    m_notifier =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { dispatchEvents(true); });
    // A reply awaited may pull events off the socket into xcb's queue, where the socket notifier
    // never sees them: drain the queue whenever the event loop is about to sleep (the socket itself
    // is the notifier's to watch).
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { dispatchEvents(false); });
}

X11Connection::~X11Connection() {
    m_notifier.reset();
    xcb_disconnect(m_connection);
}

xcb_atom_t X11Connection::atom(const char* name) {
    if (auto it = m_atoms.constFind(name); it != m_atoms.cend())
        return *it;
    const auto reply =
        await<xcb_intern_atom_reply_t>(xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name));
    if (!reply)
        return XCB_ATOM_NONE;
    m_atoms.insert(name, reply->atom);
    return reply->atom;
}

X11Connection::RawReply X11Connection::awaitRaw(unsigned int sequence, double timeout) {
    xcb_flush(m_connection);
    const QDeadlineTimer deadline(std::chrono::nanoseconds(qint64(timeout * 1e9)), Qt::PreciseTimer);
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
    const qint64 remaining = std::max<qint64>(0, deadline.remainingTimeNSecs());
    const timespec wait{.tv_sec = remaining / 1'000'000'000, .tv_nsec = remaining % 1'000'000'000};
    pollfd fd{.fd = xcb_get_file_descriptor(m_connection), .events = POLLIN, .revents = 0};
    ::ppoll(&fd, 1, &wait, nullptr);
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

EventSubscription X11Connection::addEventHandler(EventHandler handler) {
    const quint64 id = m_nextHandlerId++;
    m_handlers.emplace(id, std::move(handler));
    return EventSubscription(*this, id);
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
    while (xcb_generic_event_t* event =
               readsSocket ? xcb_poll_for_event(m_connection) : xcb_poll_for_queued_event(m_connection)) {
        const int type = event->response_type & 0x7f;
        if (type == XCB_CONFIGURE_NOTIFY)
            noteConfigure(*reinterpret_cast<const xcb_configure_notify_event_t*>(event));
        else if (type == XCB_DESTROY_NOTIFY)
            m_configured.remove(reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window);
        m_events.emplace_back(event);
    }
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
    takeEvents(readsSocket);
    // A handler may await a reply, and so read more events: they join the end of the line.
    while (!m_events.empty()) {
        const XcbReply<xcb_generic_event_t> event = std::move(m_events.front());
        m_events.pop_front();
        // Found again after each call: a handler may add or remove handlers, itself included.
        quint64 next = 0; // the least id not called yet
        for (auto it = m_handlers.lower_bound(next); it != m_handlers.end();
             it = m_handlers.lower_bound(next)) {
            next = it->first + 1;
            const EventHandler handler = it->second; // a copy: the handler may remove itself
            handler(event.get());
        }
        takeEvents(false);
    }
    if (xcb_connection_has_error(m_connection) && !m_hasReportedLoss) {
        m_hasReportedLoss = true;
        m_notifier->setEnabled(false);
        emit connectionLost();
    }
}

} // namespace corvane

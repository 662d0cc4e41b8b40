#include "SystemTrayWatcher.h"

#include "platform/x11/X11Connection.h"

#include <xcb/xfixes.h>

namespace corvane {

namespace {

// The tray selection is per screen, named by the screen's number.
int screenNumberOf(xcb_connection_t* connection, xcb_window_t root) {
    int number = 0;
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
         xcb_screen_next(&it), ++number) {
        if (it.data->root == root)
            return number;
    }
    return 0;
}

} // namespace

SystemTrayWatcher::SystemTrayWatcher(X11Connection& connection)
    : m_connection(connection) {
    xcb_connection_t* c = connection.xcb();
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumberOf(c, connection.root()));
    m_selection = connection.atom(name.constData());
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(c, &xcb_xfixes_id);
    // The server sends selection events only to a client that has said which XFixes it speaks.
    if (xfixes && xfixes->present &&
        connection.await<xcb_xfixes_query_version_reply_t>(
            xcb_xfixes_query_version(c, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION))) {
        m_firstEvent = xfixes->first_event;
        xcb_xfixes_select_selection_input(c, connection.root(), m_selection,
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
        m_subscription =
            connection.addEventHandler([this](const xcb_generic_event_t* event) { handle(event); });
    }
    // Asked after the events are selected, so an owner arriving in between is not missed.
    const auto owner =
        connection.await<xcb_get_selection_owner_reply_t>(xcb_get_selection_owner(c, m_selection));
    m_isAvailable = owner && owner->owner != XCB_WINDOW_NONE;
}

void SystemTrayWatcher::handle(const xcb_generic_event_t* event) {
    if ((event->response_type & 0x7f) != m_firstEvent + XCB_XFIXES_SELECTION_NOTIFY)
        return;
    const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
    if (notify->selection != m_selection)
        return;
    // A tray that quits or crashes gives up the selection by its window's or its client's end.
    const bool isAvailable =
        notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER && notify->owner != XCB_WINDOW_NONE;
    if (isAvailable == m_isAvailable)
        return;
    m_isAvailable = isAvailable;
    emit availabilityChanged(isAvailable);
}

} // namespace corvane

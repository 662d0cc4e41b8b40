#include "X11Application.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Screens.h"

namespace corvane {

X11Application::X11Application(X11Connection& connection, X11Screens& screens)
    : m_connection(connection)
    , m_trayWatcher(connection) {
    connect(&screens, &X11Screens::screensChanged, this, &Application::screenParametersDidChange);
    connect(&m_trayWatcher, &SystemTrayWatcher::availabilityChanged, this,
            &Application::systemTrayAvailabilityDidChange);
}

bool X11Application::isCompositing() const {
    const xcb_atom_t selection = m_connection.atom("_NET_WM_CM_S0");
    const auto owner = m_connection.await<xcb_get_selection_owner_reply_t>(
        xcb_get_selection_owner(m_connection.xcb(), selection));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

} // namespace corvane

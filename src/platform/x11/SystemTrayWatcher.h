#pragma once
// Whether a system tray runs on our screen: the owner of the _NET_SYSTEM_TRAY_S<n> selection,
// followed through XFixes as panels start (often after Corvane, at login), quit and restart.
// QtApplication reports it; Qt itself embeds the icon into whichever tray owns the selection.

#include "platform/x11/X11Connection.h"

#include <QObject>
#include <xcb/xcb.h>

namespace corvane {

class SystemTrayWatcher : public QObject {
    Q_OBJECT
public:
    explicit SystemTrayWatcher(X11Connection& connection);

    bool isAvailable() const { return m_isAvailable; }

signals:
    void availabilityChanged(bool isAvailable);

private:
    void handle(const xcb_generic_event_t* event);

    X11Connection& m_connection;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    // Where the XFixes events start; 0 when the server has no XFixes (then only the start is known).
    uint8_t m_firstEvent = 0;
    bool m_isAvailable = false;
    EventSubscription m_subscription; // last: removed before the rest goes
};

} // namespace corvane

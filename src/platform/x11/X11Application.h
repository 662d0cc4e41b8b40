#pragma once
// The application on an X11 desktop: what Qt cannot tell, read from the X server (a compositing
// manager's selection, the system tray's, the screens' changes).

#include "platform/qt/QtApplication.h"
#include "platform/x11/SystemTrayWatcher.h"

namespace corvane {

class X11Connection;
class X11Screens;

class X11Application final : public QtApplication {
    Q_OBJECT
public:
    X11Application(X11Connection& connection, X11Screens& screens);

    // A compositing manager owns the _NET_WM_CM_S0 selection.
    bool isCompositing() const override;
    bool isSystemTrayAvailable() const override { return m_trayWatcher.isAvailable(); }

private:
    X11Connection& m_connection;
    SystemTrayWatcher m_trayWatcher;
};

} // namespace corvane

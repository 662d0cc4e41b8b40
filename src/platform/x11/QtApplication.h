#pragma once
// This process as an application, through Qt: the taskbar entry of our windows follows the
// activation policy, and window closes, activation and screen changes become notifications.

#include "platform/Application.h"
#include "platform/x11/SystemTrayWatcher.h"

namespace corvane {

class X11Connection;
class X11Screens;

class QtApplication final : public Application {
    Q_OBJECT
public:
    QtApplication(X11Connection& connection, X11Screens& screens);

    ActivationPolicy activationPolicy() const override { return m_policy; }
    void setActivationPolicy(ActivationPolicy policy) override;
    void activateIgnoringOtherApps() override;
    void terminate() override;
    // Images live in the program's resources as ":/images/<name>.png".
    bool setApplicationIconNamed(const QString& name) override;
    // A compositing manager owns the _NET_WM_CM_S0 selection.
    bool isCompositing() const override;
    bool isSystemTrayAvailable() const override { return m_trayWatcher.isAvailable(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    X11Connection& m_connection;
    ActivationPolicy m_policy = ActivationPolicy::Regular;
    SystemTrayWatcher m_trayWatcher;
};

} // namespace corvane

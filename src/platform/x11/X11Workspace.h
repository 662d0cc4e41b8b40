#pragma once
// Applications on X11 are the processes that own client windows; the frontmost is the owner of
// the active window, and activation asks the window manager to activate a window.

#include "platform/Workspace.h"
#include "platform/freedesktop/SleepWatcher.h"
#include "platform/x11/ButtonLayoutReader.h"
#include "platform/x11/X11Windows.h"

namespace corvane {

class X11Workspace final : public Workspace {
    Q_OBJECT
public:
    X11Workspace(X11Connection& connection, X11Windows& windows, const ButtonLayoutReader& buttonLayouts);

    std::optional<RunningApplication> frontmostApplication() override;
    QList<RunningApplication> runningApplications() override;
    qint32 currentProcessId() override;
    void yieldActivation(const RunningApplication& target) override;
    // Opens with the desktop's handler (xdg-open); the access page is the installed README.
    bool openUrl(const QString& url) override;
    bool canOpenUrl(const QString& url) override;
    std::optional<ButtonLayout> titleButtonLayout() override;

private:
    std::optional<RunningApplication> applicationOf(xcb_window_t window);

    X11Connection& m_connection;
    X11Windows& m_windows;
    const ButtonLayoutReader& m_buttonLayouts;
    SleepWatcher m_sleep;
    EventSubscription m_subscription; // last: removed before the rest goes
};

} // namespace corvane

#include "X11Workspace.h"

#include "platform/qt/DesktopUrls.h"

#include <unistd.h>

namespace corvane {

X11Workspace::X11Workspace(X11Connection& connection, X11Windows& windows,
                           const ButtonLayoutReader& buttonLayouts)
    : m_connection(connection)
    , m_windows(windows)
    , m_buttonLayouts(buttonLayouts) {
    const xcb_atom_t active = connection.atom("_NET_ACTIVE_WINDOW");
    const xcb_atom_t desktop = connection.atom("_NET_CURRENT_DESKTOP");
    m_subscription = connection.addEventHandler([this, active, desktop](const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return;
        const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (change->window != m_connection.root())
            return;
        if (change->atom == active) {
            const xcb_window_t window = m_windows.activeWindow();
            const std::optional<RunningApplication> app = applicationOf(window);
            if (app)
                m_windows.noteActivation(window, app->pid);
            emit didActivateApplication(app);
        } else if (change->atom == desktop) {
            emit activeSpaceDidChange();
        }
    });
    connect(&m_sleep, &SleepWatcher::woke, this, &Workspace::didWake);
}

std::optional<RunningApplication> X11Workspace::applicationOf(xcb_window_t window) {
    if (window == XCB_WINDOW_NONE)
        return std::nullopt;
    const Fetched<qint32> pid = m_windows.pid(window);
    if (!pid)
        return std::nullopt;
    return RunningApplication{*pid, m_windows.applicationName(window)};
}

std::optional<RunningApplication> X11Workspace::frontmostApplication() {
    return applicationOf(m_windows.activeWindow());
}

QList<RunningApplication> X11Workspace::runningApplications() {
    QList<RunningApplication> apps;
    for (xcb_window_t w : m_windows.stacking()) {
        const std::optional<RunningApplication> app = applicationOf(w);
        if (app && std::none_of(apps.begin(), apps.end(), [&](const auto& a) { return a.pid == app->pid; }))
            apps.append(*app);
    }
    return apps;
}

qint32 X11Workspace::currentProcessId() {
    return qint32(::getpid());
}

void X11Workspace::yieldActivation(const RunningApplication& target) {
    if (const std::optional<xcb_window_t> window = m_windows.focusedWindow(target.pid))
        m_windows.activate(*window);
}

bool X11Workspace::openUrl(const QString& url) {
    return openDesktopUrl(url);
}

bool X11Workspace::canOpenUrl(const QString& url) {
    return canOpenDesktopUrl(url);
}

std::optional<ButtonLayout> X11Workspace::titleButtonLayout() {
    const ButtonLayoutReader::Layout layout = m_buttonLayouts.current();
    if (layout.windowManager == WindowManager::Unknown)
        return std::nullopt; // its buttons are only guessed
    return layout.buttons;
}

} // namespace corvane

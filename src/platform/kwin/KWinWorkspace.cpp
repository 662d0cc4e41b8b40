#include "KWinWorkspace.h"

#include "platform/qt/DesktopUrls.h"

#include <QJsonObject>
#include <unistd.h>

namespace corvane {

namespace {

RunningApplication applicationOf(const KWinWindow& window) {
    return RunningApplication{window.pid, window.appClass};
}

} // namespace

KWinWorkspace::KWinWorkspace(AgentCommand send, KWinDesktop& desktop,
                             const KWinTitleBarButtons& titleBarButtons)
    : m_send(std::move(send))
    , m_desktop(desktop)
    , m_titleBarButtons(titleBarButtons) {
    connect(&desktop, &KWinDesktop::activeWindowChanged, this, [this] {
        const KWinWindow* active = m_desktop.activeWindow();
        emit didActivateApplication(active ? std::optional(applicationOf(*active)) : std::nullopt);
    });
    // The agent sends a whole new picture when the user goes to another desktop or activity.
    connect(&desktop, &KWinDesktop::snapshotApplied, this, &Workspace::activeSpaceDidChange);
    connect(&m_sleep, &SleepWatcher::woke, this, &Workspace::didWake);
}

std::optional<RunningApplication> KWinWorkspace::frontmostApplication() {
    const KWinWindow* active = m_desktop.activeWindow();
    return active ? std::optional(applicationOf(*active)) : std::nullopt;
}

QList<RunningApplication> KWinWorkspace::runningApplications() {
    QList<RunningApplication> apps;
    for (const KWinWindow* w : m_desktop.windowsFrontToBack()) {
        if (w->isPlaceable() &&
            std::none_of(apps.cbegin(), apps.cend(), [&](const auto& a) { return a.pid == w->pid; }))
            apps.append(applicationOf(*w));
    }
    return apps;
}

qint32 KWinWorkspace::currentProcessId() {
    return qint32(::getpid());
}

void KWinWorkspace::yieldActivation(const RunningApplication& target) {
    if (const KWinWindow* w = m_desktop.focusedWindowOf(target.pid))
        m_send(QJsonObject{{QStringLiteral("c"), QStringLiteral("activate")}, {QStringLiteral("id"), w->id}});
}

bool KWinWorkspace::openUrl(const QString& url) {
    return openDesktopUrl(url);
}

bool KWinWorkspace::canOpenUrl(const QString& url) {
    return canOpenDesktopUrl(url);
}

} // namespace corvane

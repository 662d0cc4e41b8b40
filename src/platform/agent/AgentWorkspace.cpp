#include "AgentWorkspace.h"

#include "platform/qt/DesktopUrls.h"

#include <QJsonObject>
#include <unistd.h>

namespace corvane {

namespace field = agentprotocol::field;
namespace command = agentprotocol::command;

namespace {

RunningApplication applicationOf(const AgentWindow& window) {
    return RunningApplication{window.pid, window.appClass};
}

} // namespace

AgentWorkspace::AgentWorkspace(AgentCommand send, AgentDesktop& desktop,
                               const AgentTitleBars& titleBarButtons)
    : m_send(std::move(send))
    , m_desktop(desktop)
    , m_titleBarButtons(titleBarButtons) {
    connect(&desktop, &AgentDesktop::activeWindowChanged, this, [this] {
        const AgentWindow* active = m_desktop.activeWindow();
        emit didActivateApplication(active ? std::optional(applicationOf(*active)) : std::nullopt);
    });
    // The agent sends a whole new picture when the user goes to another desktop or activity.
    connect(&desktop, &AgentDesktop::snapshotApplied, this, &Workspace::activeSpaceDidChange);
    connect(&m_sleep, &SleepWatcher::woke, this, &Workspace::didWake);
}

std::optional<RunningApplication> AgentWorkspace::frontmostApplication() {
    const AgentWindow* active = m_desktop.activeWindow();
    return active ? std::optional(applicationOf(*active)) : std::nullopt;
}

QList<RunningApplication> AgentWorkspace::runningApplications() {
    QList<RunningApplication> apps;
    for (const AgentWindow* w : m_desktop.windowsFrontToBack()) {
        if (w->isPlaceable() &&
            std::none_of(apps.cbegin(), apps.cend(), [&](const auto& a) { return a.pid == w->pid; }))
            apps.append(applicationOf(*w));
    }
    return apps;
}

qint32 AgentWorkspace::currentProcessId() {
    return qint32(::getpid());
}

void AgentWorkspace::yieldActivation(const RunningApplication& target) {
    if (const AgentWindow* w = m_desktop.focusedWindowOf(target.pid))
        m_send(QJsonObject{{field::kC, command::kActivate}, {field::kId, w->id}});
}

bool AgentWorkspace::openUrl(const QString& url) {
    return openDesktopUrl(url);
}

bool AgentWorkspace::canOpenUrl(const QString& url) {
    return canOpenDesktopUrl(url);
}

} // namespace corvane

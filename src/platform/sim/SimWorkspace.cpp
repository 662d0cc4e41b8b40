#include "SimWorkspace.h"

#include "platform/sim/SimDesktop.h"

namespace corvane {

std::optional<RunningApplication> SimWorkspace::frontmostApplication() {
    if (!m_desktop.m_frontmostPid)
        return std::nullopt;
    const SimDesktop::App* a = m_desktop.app(*m_desktop.m_frontmostPid);
    if (!a)
        return std::nullopt;
    return RunningApplication{a->pid, a->name};
}

QList<RunningApplication> SimWorkspace::runningApplications() {
    QList<RunningApplication> out;
    for (qint32 pid : m_desktop.m_appOrder) {
        const SimDesktop::App* a = m_desktop.app(pid);
        out.append({a->pid, a->name});
    }
    return out;
}

qint32 SimWorkspace::currentProcessId() {
    return m_desktop.m_thisPid;
}

void SimWorkspace::yieldActivation(const RunningApplication& target) {
    SimAction action;
    action.kind = SimAction::Kind::Activate;
    action.time = m_desktop.m_runLoop.now();
    action.pid = target.pid;
    m_desktop.m_log.append(std::move(action));
    if (m_desktop.app(target.pid))
        m_desktop.m_frontmostPid = target.pid;
}

bool SimWorkspace::openUrl(const QString& url) {
    if (!m_opensUrls)
        return false;
    m_openedUrls.append(url);
    return true;
}

} // namespace corvane

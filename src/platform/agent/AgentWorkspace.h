#pragma once
// Applications on a compositor with Corvane's agent: processes that own windows, the frontmost one owning the
// active window, as the agent reported them. Activation is asked of the agent.

#include "platform/Workspace.h"
#include "platform/agent/AgentCommand.h"
#include "platform/agent/AgentDesktop.h"
#include "platform/agent/AgentTitleBars.h"
#include "platform/freedesktop/SleepWatcher.h"

namespace corvane {

class AgentWorkspace final : public Workspace {
    Q_OBJECT
public:
    AgentWorkspace(AgentCommand send, AgentDesktop& desktop, const AgentTitleBars& titleBarButtons);

    std::optional<RunningApplication> frontmostApplication() override;
    QList<RunningApplication> runningApplications() override;
    qint32 currentProcessId() override;
    void yieldActivation(const RunningApplication& target) override;
    bool openUrl(const QString& url) override;
    bool canOpenUrl(const QString& url) override;
    // As the compositor's decoration reads it.
    std::optional<ButtonLayout> titleButtonLayout() override { return m_titleBarButtons.layout(); }

private:
    AgentCommand m_send;
    AgentDesktop& m_desktop;
    const AgentTitleBars& m_titleBarButtons;
    SleepWatcher m_sleep;
};

} // namespace corvane

#pragma once
// Applications on KWin: processes that own windows, the frontmost one owning the active window, as the
// agent reported them. Activation is asked of the agent.

#include "platform/Workspace.h"
#include "platform/freedesktop/SleepWatcher.h"
#include "platform/kwin/KWinAgent.h"
#include "platform/kwin/KWinDesktop.h"
#include "platform/kwin/KWinTitleBarButtons.h"

namespace corvane {

class KWinWorkspace final : public Workspace {
    Q_OBJECT
public:
    KWinWorkspace(AgentCommand send, KWinDesktop& desktop, const KWinTitleBarButtons& titleBarButtons);

    std::optional<RunningApplication> frontmostApplication() override;
    QList<RunningApplication> runningApplications() override;
    qint32 currentProcessId() override;
    void yieldActivation(const RunningApplication& target) override;
    bool openUrl(const QString& url) override;
    bool canOpenUrl(const QString& url) override;
    // From kwinrc, as KWin's decoration reads it.
    std::optional<ButtonLayout> titleButtonLayout() override { return m_titleBarButtons.layout(); }

private:
    AgentCommand m_send;
    KWinDesktop& m_desktop;
    const KWinTitleBarButtons& m_titleBarButtons;
    SleepWatcher m_sleep;
};

} // namespace corvane

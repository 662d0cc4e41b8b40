#pragma once
// The simulated desktop's applications, activation and workspace notifications.

#include "platform/Workspace.h"

namespace corvane {

class SimDesktop;

class SimWorkspace final : public Workspace {
    Q_OBJECT
public:
    explicit SimWorkspace(SimDesktop& desktop)
        : m_desktop(desktop) {}

    std::optional<RunningApplication> frontmostApplication() override;
    QList<RunningApplication> runningApplications() override;
    qint32 currentProcessId() override;
    // Logged; the target becomes frontmost.
    void yieldActivation(const RunningApplication& target) override;
    bool openUrl(const QString& url) override;
    bool canOpenUrl(const QString&) override { return m_opensUrls; }
    std::optional<ButtonLayout> titleButtonLayout() override { return m_titleButtonLayout; }
    void setTitleButtonLayout(std::optional<ButtonLayout> layout) { m_titleButtonLayout = std::move(layout); }
    void setOpensUrls(bool opens) { m_opensUrls = opens; }
    const QStringList& openedUrls() const { return m_openedUrls; }

private:
    friend class SimDesktop;
    SimDesktop& m_desktop;
    std::optional<ButtonLayout> m_titleButtonLayout;
    bool m_opensUrls = true;
    QStringList m_openedUrls;
};

} // namespace corvane

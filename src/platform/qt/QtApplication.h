#pragma once
// This process as an application, through Qt: the taskbar entry of our windows follows the
// activation policy, and window closes and activation become notifications. What only the desktop
// can tell (compositing, a system tray, screen changes) is each backend's own subclass's to add.

#include "platform/Application.h"

namespace corvane {

class QtApplication : public Application {
    Q_OBJECT
public:
    QtApplication();

    ActivationPolicy activationPolicy() const override { return m_policy; }
    void setActivationPolicy(ActivationPolicy policy) override;
    void activateIgnoringOtherApps() override;
    void terminate() override;
    // Images live in the program's resources as ":/images/<name>.png".
    bool setApplicationIconNamed(const QString& name) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ActivationPolicy m_policy = ActivationPolicy::Regular;
};

} // namespace corvane

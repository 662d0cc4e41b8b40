#pragma once
// The application on a compositor with Corvane's agent: it always composites; the tray is there while a
// StatusNotifierItem host (Plasma's panel, GNOME's AppIndicator extension) watches for items; the
// outputs are the agent's.

#include "platform/agent/AgentDesktop.h"
#include "platform/qt/QtApplication.h"

#include <QDBusConnection>

namespace corvane {

class AgentApplication final : public QtApplication {
    Q_OBJECT
public:
    AgentApplication(const QDBusConnection& bus, AgentDesktop& desktop);

    bool isCompositing() const override { return true; }
    bool isSystemTrayAvailable() const override { return m_isTrayAvailable; }

private:
    bool m_isTrayAvailable = false;
};

} // namespace corvane

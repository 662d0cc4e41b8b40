#pragma once
// The application on a compositor with Corvane's agent: it always composites; the tray is there while a
// StatusNotifierItem host (Plasma's panel, GNOME's AppIndicator extension) watches for items; the
// outputs are the agent's. The backend says how the user gets a tray where the desktop has none of its own.

#include "platform/agent/AgentDesktop.h"
#include "platform/qt/QtApplication.h"

#include <QDBusConnection>

namespace corvane {

class AgentApplication final : public QtApplication {
    Q_OBJECT
public:
    AgentApplication(const QDBusConnection& bus, AgentDesktop& desktop, QString trayHint = {});

    bool isCompositing() const override { return true; }
    bool isSystemTrayAvailable() const override { return m_isTrayAvailable; }
    QString systemTrayHint() const override { return m_trayHint; }

private:
    QString m_trayHint;
    bool m_isTrayAvailable = false;
};

} // namespace corvane

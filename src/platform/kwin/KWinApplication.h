#pragma once
// The application on KWin: KWin always composites; the tray is there while a StatusNotifierItem host
// (Plasma's panel) watches for items; the outputs are the agent's.

#include "platform/kwin/KWinDesktop.h"
#include "platform/qt/QtApplication.h"

#include <QDBusConnection>

namespace corvane {

class KWinApplication final : public QtApplication {
    Q_OBJECT
public:
    KWinApplication(const QDBusConnection& bus, KWinDesktop& desktop);

    bool isCompositing() const override { return true; }
    bool isSystemTrayAvailable() const override { return m_isTrayAvailable; }

private:
    bool m_isTrayAvailable = false;
};

} // namespace corvane

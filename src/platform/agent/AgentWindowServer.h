#pragma once
// The window list from what the agent reported: no call to the compositor, so listing the windows under the
// pointer costs nothing. Windows of other desktops and activities, minimized ones and our own are
// not on screen; panels, notifications and on-screen displays are listed above layer 0, so no lookup
// takes them for a window to place. Each window the compositor draws a title bar on has its maximize button
// where the decoration's layout puts it.

#include "platform/WindowServer.h"
#include "platform/agent/AgentDesktop.h"
#include "platform/agent/AgentScreens.h"
#include "platform/agent/AgentTitleBars.h"

namespace corvane {

class AgentWindowServer final : public WindowServer {
    Q_OBJECT
public:
    AgentWindowServer(AgentDesktop& desktop, const AgentScreens& screens, const AgentTitleBars& buttons);

    QVariant copyWindowList(WindowListOption option, quint32 relativeToWindow) override;
    qint64 windowNumberAt(QPointF screenPoint) override;

    // Layers of the list: 0 for a window a user places.
    static int layerOf(const AgentWindow& window);

private:
    // Shown on the current desktop, whatever its kind.
    bool isOnScreen(const AgentWindow& window) const;
    QVariant entry(const AgentWindow& window) const;
    void tellMovedButtons(const ButtonLayout& previous);

    AgentDesktop& m_desktop;
    const AgentScreens& m_screens;
    const AgentTitleBars& m_buttons;
};

} // namespace corvane

#pragma once
// The window list from what the agent reported: no call to KWin, so listing the windows under the
// pointer costs nothing. Windows of other desktops and activities, minimized ones and our own are
// not on screen; panels, notifications and on-screen displays are listed above layer 0, so no lookup
// takes them for a window to place. Each window KWin draws a title bar on has its maximize button
// where the decoration's layout puts it.

#include "platform/WindowServer.h"
#include "platform/kwin/KWinDesktop.h"
#include "platform/kwin/KWinScreens.h"
#include "platform/kwin/KWinTitleBarButtons.h"

namespace corvane {

class KWinWindowServer final : public WindowServer {
    Q_OBJECT
public:
    KWinWindowServer(KWinDesktop& desktop, const KWinScreens& screens, const KWinTitleBarButtons& buttons);

    QVariant copyWindowList(WindowListOption option, quint32 relativeToWindow) override;
    qint64 windowNumberAt(QPointF screenPoint) override;

    // Layers of the list: 0 for a window a user places.
    static int layerOf(const KWinWindow& window);

private:
    // Shown on the current desktop, whatever its kind.
    bool isOnScreen(const KWinWindow& window) const;
    QVariant entry(const KWinWindow& window) const;
    void tellMovedButtons(const ButtonLayout& previous);

    KWinDesktop& m_desktop;
    const KWinScreens& m_screens;
    const KWinTitleBarButtons& m_buttons;
};

} // namespace corvane

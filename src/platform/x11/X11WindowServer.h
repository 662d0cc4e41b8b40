#pragma once
// The window list on X11: client windows front to back as the server stacks them, with layers from
// their window types (layer 0: the ordinary windows Corvane may move) and where each window's zoom
// button lies.

#include "platform/WindowServer.h"
#include "platform/x11/TitleBarButtons.h"
#include "platform/x11/X11Windows.h"

namespace corvane {

class X11WindowServer final : public WindowServer {
public:
    X11WindowServer(X11Windows& windows, X11Screens& screens, TitleBarButtons& titleBarButtons)
        : m_windows(windows)
        , m_screens(screens)
        , m_titleBarButtons(titleBarButtons) {}

    QVariant copyWindowList(WindowListOption option, quint32 relativeToWindow) override;
    qint64 windowNumberAt(QPointF screenPoint) override;

private:
    QVariant entry(xcb_window_t window, const X11Windows::WindowFacts& facts);

    X11Windows& m_windows;
    X11Screens& m_screens;
    TitleBarButtons& m_titleBarButtons;
};

} // namespace corvane

#pragma once
// Where a window's title-bar buttons are: drawn by the window manager, where its button layout puts
// them on the frame, or drawn by the client itself (no frame extents at the top), where the
// accessibility bus says. Shared by the X11 accessibility (the button elements) and the window list
// (where each window's zoom button lies).

#include "platform/x11/ButtonLayoutReader.h"
#include "platform/x11/ClientTitleButtons.h"
#include "platform/x11/X11Windows.h"

namespace corvane {

class TitleBarButtons {
public:
    TitleBarButtons(X11Windows& windows, ButtonLayoutReader& layouts, AccessibilityBus& bus)
        : m_windows(windows)
        , m_layouts(layouts)
        , m_client(bus) {}

    // The height the window manager's decorations take at the top of the window; 0 for a window that
    // draws its own title bar, if it has one.
    int decorationTop(xcb_window_t window) { return m_windows.extents(window, "_NET_FRAME_EXTENTS").top; }
    // Where the window manager draws the button on a frame with decorations that tall; none when its
    // layout has none or the decorations hold no title bar.
    std::optional<QRectF> drawnButton(TitleButton button, const QRectF& frame, int decorationTop) const;
    // Where the window's zoom button lies: the maximize button the window manager draws, or the one
    // the accessibility bus named, or else the strip where the client draws its title bar.
    std::optional<QRectF> zoomButtonRegion(xcb_window_t window, const QRectF& frame);

    ClientTitleButtons& client() { return m_client; }

private:
    X11Windows& m_windows;
    ButtonLayoutReader& m_layouts;
    ClientTitleButtons m_client;
};

} // namespace corvane

#pragma once
// Where a window's title-bar buttons are: drawn by the window manager, where its button layout puts
// them on the frame, or drawn by the client itself (no frame extents at the top), where the
// accessibility bus says. Shared by the X11 accessibility (the button elements) and the window list
// (where each window's zoom button lies).

#include "platform/common/ClientTitleButtons.h"
#include "platform/x11/ButtonLayoutReader.h"
#include "platform/x11/X11Windows.h"

namespace corvane {

class TitleBarButtons {
public:
    TitleBarButtons(ButtonLayoutReader& layouts, AccessibilityBus& bus)
        : m_layouts(layouts)
        , m_client(bus) {}

    // Where the window manager draws the button on a frame with decorations that tall; none when its
    // layout has none or the decorations hold no title bar.
    std::optional<QRectF> drawnButton(TitleButton button, const QRectF& frame, int decorationTop) const;
    // Where the window's zoom button lies: the maximize button the window manager draws, or the one
    // the accessibility bus named, or else the strip where the client draws its title bar
    // (X11Windows::titledFrame gives both).
    std::optional<QRectF> zoomButtonRegion(xcb_window_t window, const X11Windows::TitledFrame& titled);

    ClientTitleButtons& client() { return m_client; }

private:
    ButtonLayoutReader& m_layouts;
    ClientTitleButtons m_client;
};

} // namespace corvane

#pragma once
// Corvane's own windows that float over other applications' windows: the zone preview, the palette and
// the tray panel. Where a window may choose its place (X11) they need nothing from the backend; on a
// Wayland compositor an ordinary window cannot, so the backend makes them surfaces of the compositor's
// overlay layers, each placed where its window's geometry says.

class QWidget;

namespace corvane {

enum class OverlayKind {
    Preview, // drawn over everything, never clicked, never focused
    Palette, // clicked, never focused: the window it acts on keeps the keyboard
    Panel,   // clicked and typed into, over ordinary windows
};

class OverlayWindows {
public:
    virtual ~OverlayWindows() = default;
    // A top-level widget, before it is first shown. From then on its geometry, set as on any desktop,
    // says where it lies, on the screen that geometry falls on.
    virtual void adopt(QWidget& window, OverlayKind kind) = 0;
};

} // namespace corvane

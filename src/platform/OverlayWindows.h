#pragma once
// Corvane's own windows that float over other applications' windows: the zone preview, the palette and
// the tray panel. Where a window may choose its place (X11) they need nothing from the backend; on a
// Wayland compositor an ordinary window cannot, so the backend makes them surfaces of the compositor's
// overlay layers and places them itself: Qt keeps no place for such a window, and moves it as it likes.

class QRect;
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
    // A top-level widget, before it is first shown.
    virtual void adopt(QWidget& window, OverlayKind kind) = 0;
    // Where an adopted window lies, in our windows' coordinates (as QWidget::setGeometry takes them), on
    // the screen that geometry falls on; shown or not.
    virtual void place(QWidget& window, const QRect& geometry) = 0;
};

} // namespace corvane

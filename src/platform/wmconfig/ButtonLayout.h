#pragma once
// A window manager's title-bar buttons: which sit on each side of the title, read from each window
// manager's own way of writing them, and where each is drawn on a frame. Pure; ButtonLayoutReader
// finds the running window manager's layout.

#include "platform/TitleButtons.h"

#include <QRectF>
#include <QString>
#include <optional>

namespace corvane {

// How a window manager's theme draws its buttons, in X pixels.
struct ButtonMetrics {
    int top = 0;         // from the frame's top edge to the buttons
    int bottomInset = 0; // from the buttons to the end of the top frame extent
    int edge = 0;        // from the frame's side edge to the outermost button
    int spacing = 0;     // between two buttons
    int width = 0;       // 0: square, as wide as tall
    int closeWidth = 0;  // 0: as wide as the others
};

// Where the button is drawn on an outer frame whose top extent (border and title bar) is that tall;
// none when the layout has no such button or the title bar is too low to hold one.
std::optional<QRectF> titleButtonRect(const ButtonLayout& layout, const ButtonMetrics& metrics,
                                      TitleButton button, const QRectF& frame, int topExtent);

// Each window manager's notation. Letters and names a window manager does not know are skipped, as it
// skips them; buttons it draws only for some windows (an application menu, context help) are left out.
// openbox titleLayout: "NLIMC", letters left of the label L on the left.
ButtonLayout openboxLayout(const QString& titleLayout);
// xfwm4 button_layout: "O|SHMC", the title at "|".
ButtonLayout xfwmLayout(const QString& buttonLayout);
// metacity, marco and mutter button-layout: "appmenu:minimize,maximize,close".
ButtonLayout gnomeLayout(const QString& buttonLayout);
// KWin ButtonsOnLeft and ButtonsOnRight: "MS", "HIAX".
ButtonLayout kwinLayout(const QString& onLeft, const QString& onRight);
// fluxbox titlebar.left and titlebar.right: "Stick", "Minimize Maximize Close".
ButtonLayout fluxboxLayout(const QString& left, const QString& right);
// IceWM TitleButtonsLeft (left to right) and TitleButtonsRight (right to left): "s", "xmir"; only the
// letters of TitleButtonsSupported are drawn.
ButtonLayout icewmLayout(const QString& left, const QString& right, const QString& supported);
// Where most window managers put maximize: second from the right.
ButtonLayout fallbackLayout();

} // namespace corvane

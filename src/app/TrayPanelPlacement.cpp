// The tray panel's place beside the tray icon; see the header.
#include "TrayPanelPlacement.h"

#include "control/ScreenLookup.h"

#include <algorithm>

namespace corvane {

namespace {

// Where the tray most likely is when its icon's place is not told (a StatusNotifierItem host tells
// none): at the far end of the strip the first screen's panel reserves, the right end of a horizontal
// one, the bottom end of a vertical one; with no panel, the visible frame's bottom-right corner.
std::optional<QRectF> likelyTray(const Screens& screens) {
    const QList<Screen> all = screens.screens();
    if (all.isEmpty())
        return std::nullopt;
    const QRectF f = all.first().frame;
    const QRectF v = all.first().visibleFrame;
    // Screen coordinates are y up: top() is the bottom edge.
    const double below = v.top() - f.top();
    const double above = f.bottom() - v.bottom();
    const double left = v.left() - f.left();
    const double right = f.right() - v.right();
    const double widest = std::max({below, above, left, right});
    if (widest <= 0)
        return QRectF(v.right() - 1, v.top(), 1, 1);
    if (widest == below)
        return QRectF(f.right() - below, f.top(), below, below);
    if (widest == above)
        return QRectF(f.right() - above, f.bottom() - above, above, above);
    return QRectF(widest == left ? f.left() : f.right() - right, f.top(), widest, widest);
}

std::optional<QPoint> originBeside(const Screens& screens, const QRectF& icon, QSize panelSize) {
    const std::optional<Screen> screen = screenContaining(screens, icon);
    if (!screen)
        return std::nullopt;
    const QRectF area = screen->visibleFrame;
    const QSizeF size = screenSizeOfWindow(screens, panelSize, icon.center());
    // Screen coordinates are y up: above the icon means from its top edge upwards.
    const bool isAbove = icon.center().y() < area.center().y();
    double x = icon.center().x() - size.width() / 2;
    double y = isAbove ? icon.bottom() : icon.top() - size.height();
    // Kept inside the screen; on a screen smaller than the panel, its top-left corner wins.
    x = std::max(area.left(), std::min(x, area.right() - size.width()));
    y = std::min(area.bottom() - size.height(), std::max(y, area.top()));
    return screens.windowGeometry(QRectF(QPointF(x, y), size)).topLeft();
}

} // namespace

std::optional<QPoint> panelOriginAtTray(const Screens& screens, const QRect& iconGeometry, QSize panelSize) {
    const std::optional<QRectF> icon =
        iconGeometry.isEmpty() ? likelyTray(screens) : std::optional(screens.screenFrame(iconGeometry));
    if (!icon)
        return std::nullopt;
    return originBeside(screens, *icon, panelSize);
}

} // namespace corvane

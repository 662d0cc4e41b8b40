// The tray panel's place beside the tray icon; see the header.
#include "TrayPanelPlacement.h"

#include "control/ScreenLookup.h"

#include <algorithm>

namespace corvane {

std::optional<QPoint> panelOriginAtTray(const Screens& screens, const QRect& iconGeometry, QSize panelSize) {
    const QRectF icon = screens.screenFrame(iconGeometry);
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

} // namespace corvane

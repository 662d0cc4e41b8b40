#pragma once
// Where the tray panel opens: just below the tray icon on a top panel, above it on a bottom one,
// kept inside the visible frame of the icon's screen. Worked out in screen coordinates, so it holds
// at any scale and wherever the primary screen lies; CorvaneApp moves the panel there. A tray that
// tells no icon place (a StatusNotifierItem host) is taken to lie where desktops put it: at the far end
// of the first screen's panel.

#include "platform/Screens.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace corvane {

// The panel's top-left for an icon, both in our windows' coordinates (Qt's logical pixels); none
// without screens.
std::optional<QPoint> panelOriginAtTray(const Screens& screens, const QRect& iconGeometry, QSize panelSize);

} // namespace corvane

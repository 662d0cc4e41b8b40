#pragma once
// The screens' shared geometry: the flip height between screen coordinates (origin bottom-left,
// y up) and AX coordinates (origin top-left, y down), and the screen that holds a rectangle.

#include "platform/Screens.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>

namespace corvane {

// The height of the primary screen (the one whose frame starts at (0, 0)), else of the first; 0 without
// screens.
double primaryScreenHeight(const Screens& screens);

// The first screen whose frame holds the rectangle's centre, else the main screen, else the first;
// none only when there are no screens.
std::optional<Screen> screenContaining(const Screens& screens, const QRectF& screenRect);

// A window at an AX position with a size, as a frame in screen coordinates.
inline QRectF screenFrameFromAx(QPointF axPosition, QSizeF size, double primaryHeight) {
    return QRectF(axPosition.x(), primaryHeight - axPosition.y() - size.height(), size.width(),
                  size.height());
}

// The AX position of a frame's top-left corner.
inline QPointF axTopLeftOf(const QRectF& screenFrame, double primaryHeight) {
    return QPointF(screenFrame.x(), primaryHeight - (screenFrame.y() + screenFrame.height()));
}

} // namespace corvane

#pragma once
// The screens' shared geometry: the flip height between screen coordinates (origin bottom-left,
// y up) and AX coordinates (origin top-left, y down), the screen that holds a point or a rectangle,
// and how much of a screen one of our own windows covers.

#include "platform/Screens.h"

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <optional>

namespace corvane {

// The height of the primary screen (the one whose frame starts at (0, 0)), else of the first; 0 without
// screens.
double primaryScreenHeight(const Screens& screens);

// The screen whose frame holds a point in screen coordinates (screenRectContainsPoint: each pixel
// on exactly one screen); none off every screen.
std::optional<Screen> screenAt(const Screens& screens, QPointF screenPoint);

// The screen whose frame holds the rectangle's centre, else the main screen, else the first; none
// only when there are no screens.
std::optional<Screen> screenContaining(const Screens& screens, const QRectF& screenRect);

// The size in screen coordinates of one of our own windows (whose size is in Qt's logical pixels)
// centred on a point in screen coordinates: on a scaled screen it covers more of the desktop's pixels.
QSizeF screenSizeOfWindow(const Screens& screens, QSize windowSize, QPointF screenPoint);

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

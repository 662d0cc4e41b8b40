#pragma once
// Between screen coordinates (X pixels, origin bottom-left of the primary monitor, y up) and the
// coordinates Qt gives our own windows (logical pixels, y down from the root window's top-left).
// Pure arithmetic, shared by the X11 screens (Qt's real scales) and the simulated ones (a test's).

#include <QList>
#include <QRect>
#include <QRectF>

namespace corvane {

// One screen as Qt scales it.
struct ScreenScale {
    QRect root;       // in root pixels
    double ratio = 1; // Qt's device pixel ratio there
};

// Qt leaves each screen's top-left corner where it is and divides only the offset within the screen
// by that screen's ratio. A rectangle goes by the screen that holds its centre, else by the first
// screen; without screens nothing is scaled.
QRectF logicalFromRoot(const QRectF& rootRect, const QList<ScreenScale>& scales);
QRectF rootFromLogical(const QRectF& logicalRect, const QList<ScreenScale>& scales);

// The flip between screen coordinates and root pixels, given the primary monitor in root pixels.
QRectF rootFromScreen(const QRectF& screenRect, const QRect& primary);
QRectF screenFromRoot(const QRectF& rootRect, const QRect& primary);

// Both steps: the geometry of our window for a frame in screen coordinates, each edge rounded to a
// whole logical pixel; and the frame in screen coordinates of a window geometry.
QRect windowGeometryOf(const QRectF& screenFrame, const QRect& primary, const QList<ScreenScale>& scales);
QRectF screenFrameOf(const QRect& windowGeometry, const QRect& primary, const QList<ScreenScale>& scales);

} // namespace corvane

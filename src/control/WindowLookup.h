#pragma once
// Stateless lookups of the window of another application under a point, from the window list and
// from the element tree. Points and rectangles are in AX coordinates (origin top-left of the
// primary screen, y down). Windows and elements of this process are never returned.

#include "platform/Platform.h"

#include <QHash>
#include <QList>
#include <QRectF>
#include <optional>

namespace corvane {

struct WindowHit {
    quint32 number = 0;
    QRectF bounds;
};

struct ZoomButtonHit {
    QRectF button;
    AxElement window;
};

// The four numbers of a bounds entry; none when one is missing or not a number.
std::optional<QRectF> boundsRect(const QVariant& bounds);
// The frontmost ordinary window of another process holding the point.
std::optional<WindowHit> windowAt(Platform& platform, QPointF point);
std::optional<QRectF> windowBounds(Platform& platform, quint32 number);
// The numbers of the on-screen ordinary windows of other processes, front to back; empty when the
// window list cannot be read.
QList<quint32> ordinaryWindowsInFront(Platform& platform);
// The process owning the window, when it is an ordinary window of another process.
std::optional<qint32> ownerOfWindow(Platform& platform, quint32 number);
// A window's title-bar corner: the region where the window server says its zoom button lies; none
// when it has none.
std::optional<QRectF> titleBarCorner(const QVariantMap& entry);
// The corner of each on-screen ordinary window not of this process, by window number (none for a
// window without one); with a window number, of that window alone. Empty when the window list cannot
// be read.
QHash<quint32, std::optional<QRectF>> titleBarCorners(Platform& platform,
                                                      std::optional<quint32> window = std::nullopt);
// The corner of the frontmost window at the point, if it is an ordinary window of another process.
std::optional<QRectF> titleBarCornerAt(Platform& platform, QPointF point);
// Every component less than 1 point apart.
bool framesMatch(const QRectF& a, const QRectF& b);
std::optional<AxElement> windowElement(Platform& platform, QPointF point);
// The window holding an element: its AXWindow, else the first AXWindow-role element among it and
// up to 11 ancestors.
std::optional<AxElement> windowElementContaining(Accessibility& accessibility, AxElement element,
                                                 float timeout);
std::optional<ZoomButtonHit> zoomButton(Platform& platform, QPointF point);

} // namespace corvane

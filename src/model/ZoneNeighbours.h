#pragma once
// Which zone lies next to a window in a direction, for the keyboard's moves between zones, and which
// zone a window coming from another screen enters first. Rectangles are y down: zones in fractions of
// a screen, screens in the desktop's pixels; the same rule serves both. ZoneNavigator applies it.

#include <QList>
#include <QRectF>
#include <optional>

namespace corvane {

enum class ZoneDirection : quint8 { Left, Right, Up, Down };

// The rectangle next to `from` that way: its centre lies further that way than from's, it overlaps
// `from` along the other axis, and its near edge is the nearest to from's far edge; a tie goes to the
// larger overlap, then to the one starting nearer from's start along the other axis (the upper one of
// two side by side, the left one of two stacked). None when nothing lies that way.
std::optional<qsizetype> nextRect(const QList<QRectF>& rects, const QRectF& from, ZoneDirection direction);

// Where a window moving that way enters a screen: among the rectangles furthest back (the leftmost for
// Right), the one whose centre lies nearest `across` along the other axis. None when there are none.
std::optional<qsizetype> entryRect(const QList<QRectF>& rects, double across, ZoneDirection direction);

} // namespace corvane

#pragma once
// Fractional zones to rectangles on a screen. Each edge is rounded on its own, so zones that share
// a fractional edge share the rounded edge too: no gap, no overlap.

#include "model/ZoneSpacing.h"

#include <QPointF>
#include <QRectF>

namespace corvane {

// The rectangle, in screen coordinates (origin bottom-left, y up), that a fractional rectangle
// (origin top-left of the visible frame, y down) covers on a visible frame; each edge rounded to a
// whole point, halves away from zero. Fractions outside 0...1 are not clamped.
QRectF screenRect(const QRectF& fraction, const QRectF& visibleFrame);
// The same rectangle with the spacing around zones taken off its edges (zoneEdgeInsets): an edge on the
// visible frame's edge, rounded, is at the work area's edge. A rectangle covering several zones has
// their outer edges, so it comes out as they do.
QRectF screenRect(const QRectF& fraction, const QRectF& visibleFrame, ZoneSpacing spacing);
// The other way: a rectangle in screen coordinates as a fraction of a visible frame, unrounded.
QRectF fractionOf(const QRectF& rect, const QRectF& visibleFrame);

// A window width or height kept within 100...10000 points; not a number becomes the smallest.
double clampedWindowDimension(double value);

// Minimum edges inside, maximum edges outside, as every hit test of the desktop (y down).
bool rectContainsPoint(const QRectF& rect, QPointF point);

// The same rule for a point in screen coordinates (y up). There a pixel row's coordinate is its top
// edge (the flip turns row r into H − r), so x lies in [minX, maxX) and y in (minY, maxY]: the
// pointer on a monitor's top row is on that monitor, and every pixel of a desktop belongs to exactly
// one of the monitors that tile it, however they are arranged.
bool screenRectContainsPoint(const QRectF& rect, QPointF point);

} // namespace corvane

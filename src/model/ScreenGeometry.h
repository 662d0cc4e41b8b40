#pragma once
// Fractional zones to rectangles on a screen. Each edge is rounded on its own, so zones that share
// a fractional edge share the rounded edge too: no gap, no overlap.

#include <QPointF>
#include <QRectF>

namespace corvane {

// The rectangle, in screen coordinates (origin bottom-left, y up), that a fractional rectangle
// (origin top-left of the visible frame, y down) covers on a visible frame; each edge rounded to a
// whole point, halves away from zero. Fractions outside 0...1 are not clamped.
QRectF screenRect(const QRectF& fraction, const QRectF& visibleFrame);

// A window width or height kept within 100...10000 points; not a number becomes the smallest.
double clampedWindowDimension(double value);

// Minimum edges inside, maximum edges outside, as every hit test of the desktop.
bool rectContainsPoint(const QRectF& rect, QPointF point);

} // namespace corvane

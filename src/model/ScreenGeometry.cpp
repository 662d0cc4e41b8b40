// Fractional zones to screen rectangles, and the point-in-rectangle rule of every hit test.
#include "ScreenGeometry.h"

#include <algorithm>
#include <cmath>

namespace corvane {

QRectF screenRect(const QRectF& f, const QRectF& v) {
    // std::round rounds halves away from zero.
    const double left = std::round(v.x() + v.width() * f.x());
    const double right = std::round(v.x() + v.width() * (f.x() + f.width()));
    const double top = std::round((v.y() + v.height()) - v.height() * f.y());
    const double bottom = std::round((v.y() + v.height()) - v.height() * (f.y() + f.height()));
    return QRectF(left, bottom, right - left, top - bottom);
}

QRectF screenRect(const QRectF& f, const QRectF& v, ZoneSpacing spacing) {
    const QRectF r = screenRect(f, v);
    // Without spacing, as most users have it, a drag event pays nothing for it.
    if (spacing == ZoneSpacing{})
        return r;
    const double left = r.x();
    const double right = r.x() + r.width();
    const double bottom = r.y();
    const double top = r.y() + r.height();
    const EdgeInsets x = zoneEdgeInsets(right - left, left <= std::round(v.x()),
                                        right >= std::round(v.x() + v.width()), spacing);
    // Fractions start at the top, which in screen coordinates is the higher edge.
    const EdgeInsets y = zoneEdgeInsets(top - bottom, top >= std::round(v.y() + v.height()),
                                        bottom <= std::round(v.y()), spacing);
    return QRectF(left + x.start, bottom + y.end, right - left - x.start - x.end,
                  top - bottom - y.start - y.end);
}

QRectF fractionOf(const QRectF& r, const QRectF& v) {
    return {(r.x() - v.x()) / v.width(), (v.bottom() - r.bottom()) / v.height(), r.width() / v.width(),
            r.height() / v.height()};
}

double clampedWindowDimension(double value) {
    constexpr double kMinimum = 100;
    constexpr double kMaximum = 10000;
    if (std::isnan(value))
        return kMinimum;
    return std::min(std::max(value, kMinimum), kMaximum);
}

bool rectContainsPoint(const QRectF& r, QPointF p) {
    return p.x() >= r.x() && p.x() < r.x() + r.width() && p.y() >= r.y() && p.y() < r.y() + r.height();
}

bool screenRectContainsPoint(const QRectF& r, QPointF p) {
    return p.x() >= r.x() && p.x() < r.x() + r.width() && p.y() > r.y() && p.y() <= r.y() + r.height();
}

} // namespace corvane

#include "ScreenGeometry.h"

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

bool rectContainsPoint(const QRectF& r, QPointF p) {
    return p.x() >= r.x() && p.x() < r.x() + r.width() && p.y() >= r.y() && p.y() < r.y() + r.height();
}

} // namespace corvane

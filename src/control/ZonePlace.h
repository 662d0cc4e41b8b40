#pragma once
// Where a placement put a window when it put it in a zone: the zone as a fraction of a screen's visible
// frame (origin top-left, y down), the screen, and the layout where the placement named one. The
// frame writes carry it; ZoneTracker keeps it per window, ZoneMemory for the windows closed in one.

#include <QRectF>
#include <QString>
#include <cmath>

namespace corvane {

struct ZonePlace {
    QString layout; // empty where the placement named none (a palette cell, a thumbnail's zone)
    QRectF fraction;
    quint64 screenId = 0;
    QString screenName;

    friend bool operator==(const ZonePlace&, const ZonePlace&) = default;
};

// Fractions of one zone computed twice differ by rounding only.
inline constexpr double kFractionTolerance = 1e-6;

inline bool isSameFraction(const QRectF& a, const QRectF& b) {
    return std::abs(a.x() - b.x()) < kFractionTolerance && std::abs(a.y() - b.y()) < kFractionTolerance &&
           std::abs(a.width() - b.width()) < kFractionTolerance &&
           std::abs(a.height() - b.height()) < kFractionTolerance;
}

// Inside the unit square with some area: what a zone of a screen can be.
inline bool isZoneFraction(const QRectF& r) {
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) &&
           std::isfinite(r.height()) && r.x() >= 0 && r.y() >= 0 && r.width() > 0 && r.height() > 0 &&
           r.right() <= 1 + kFractionTolerance && r.bottom() <= 1 + kFractionTolerance;
}

} // namespace corvane

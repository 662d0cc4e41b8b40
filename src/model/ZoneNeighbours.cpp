#include "ZoneNeighbours.h"

#include <cmath>

namespace corvane {

namespace {

// Fractions computed two ways (a third as a grid gives it, or typed) differ by rounding only.
constexpr double kTolerance = 1e-6;

// The rectangle turned so that the direction is Right: one rule then serves all four.
QRectF facingRight(const QRectF& r, ZoneDirection direction) {
    switch (direction) {
    case ZoneDirection::Right:
        return r;
    case ZoneDirection::Left:
        return {-r.right(), r.top(), r.width(), r.height()};
    case ZoneDirection::Down:
        return {r.top(), r.left(), r.height(), r.width()};
    case ZoneDirection::Up:
        return {-r.bottom(), r.left(), r.height(), r.width()};
    }
    return r;
}

// Orders two keys, each compared within the tolerance, the first that differs deciding.
bool isBefore(std::initializer_list<double> a, std::initializer_list<double> b) {
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        if (std::abs(*i - *j) > kTolerance)
            return *i < *j;
    }
    return false;
}

} // namespace

std::optional<qsizetype> nextRect(const QList<QRectF>& rects, const QRectF& from, ZoneDirection direction) {
    const QRectF f = facingRight(from, direction);
    std::optional<qsizetype> best;
    double bestGap = 0, bestOverlap = 0, bestOffset = 0;
    for (qsizetype i = 0; i < rects.size(); ++i) {
        const QRectF c = facingRight(rects[i], direction);
        const double overlap = std::min(c.bottom(), f.bottom()) - std::max(c.top(), f.top());
        if (c.center().x() <= f.center().x() + kTolerance || overlap <= kTolerance)
            continue;
        const double gap = std::abs(c.left() - f.right());
        const double offset = std::abs(c.top() - f.top());
        if (!best || isBefore({gap, -overlap, offset}, {bestGap, -bestOverlap, bestOffset})) {
            best = i;
            bestGap = gap;
            bestOverlap = overlap;
            bestOffset = offset;
        }
    }
    return best;
}

std::optional<qsizetype> entryRect(const QList<QRectF>& rects, double across, ZoneDirection direction) {
    std::optional<qsizetype> best;
    double bestStart = 0, bestDistance = 0;
    for (qsizetype i = 0; i < rects.size(); ++i) {
        const QRectF c = facingRight(rects[i], direction);
        // Turning never mirrors the other axis: `across` holds as it is.
        const double distance = std::abs(c.center().y() - across);
        if (!best || isBefore({c.left(), distance}, {bestStart, bestDistance})) {
            best = i;
            bestStart = c.left();
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace corvane

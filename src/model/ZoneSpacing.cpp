// The spacing around zones, and how far it moves a zone's edges in.
#include "ZoneSpacing.h"

#include <algorithm>
#include <cmath>

namespace corvane {

ZoneSpacing ZoneSpacing::clamped() const {
    return {std::clamp<qint64>(gap, 0, maximum), std::clamp<qint64>(margin, 0, maximum)};
}

EdgeInsets zoneEdgeInsets(double length, bool isStartOnAreaEdge, bool isEndOnAreaEdge, ZoneSpacing spacing) {
    const ZoneSpacing s = spacing.clamped();
    const double halfGap = double(s.gap) / 2;
    double start = isStartOnAreaEdge ? double(s.margin) : std::ceil(halfGap);
    double end = isEndOnAreaEdge ? double(s.margin) : std::floor(halfGap);
    const double limit = std::max(0.0, std::floor(length / 2));
    if (start + end > limit) {
        // Shared out in the proportion asked for.
        const double shrunkStart = std::round(start * limit / (start + end));
        end = limit - shrunkStart;
        start = shrunkStart;
    }
    return {start, end};
}

} // namespace corvane

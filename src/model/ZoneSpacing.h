#pragma once
// The space a user leaves around zones: between two neighbouring zones, and between a zone and the
// edge of the work area. zoneEdgeInsets is the one rule that turns it into how far a zone's edges
// move in; screenRect (ScreenGeometry.h) and the layout thumbnails apply it.

#include <QtGlobal>

namespace corvane {

struct ZoneSpacing {
    qint64 gap = 0;    // pixels between two neighbouring zones
    qint64 margin = 0; // pixels between a zone and the edge of the work area

    static constexpr qint64 maximum = 100;

    // Each within 0...maximum.
    ZoneSpacing clamped() const;

    friend bool operator==(const ZoneSpacing&, const ZoneSpacing&) = default;
};

// How far the two edges of a zone along one axis move in, in whole pixels: an edge on the work area's
// edge by the margin, any other by half the gap, the larger half of an odd gap at the start edge (left
// or top), so that neighbours end exactly `gap` apart. Together the two never take more than half the
// zone's length: a zone too small for its spacing shrinks to half, never to nothing.
struct EdgeInsets {
    double start = 0;
    double end = 0;
};
EdgeInsets zoneEdgeInsets(double length, bool isStartOnAreaEdge, bool isEndOnAreaEdge, ZoneSpacing spacing);

} // namespace corvane

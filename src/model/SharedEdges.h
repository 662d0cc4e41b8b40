#pragma once
// Where windows laid out side by side go when the user resizes one of them: each edge of it that moved
// carries the edges facing it across the gap, and those carry the edges facing them, so that the row or
// column keeps its gaps. Rectangles are y down, in the desktop's pixels.

#include <QList>
#include <QRectF>

namespace corvane {

struct SharedEdgeRules {
    double gap = 0;       // between two windows that share an edge
    double tolerance = 2; // how far off the gap an edge may be and still be shared, and the least overlap
    double minimum = 1;   // the least width or height a following window is given
};

// The frames of `rects` once rects[resized] has taken the frame `to`: a rectangle whose edge lay a gap
// across a moved edge, overlapping it along that edge, moves that edge as far, unless that would make it
// narrower than the minimum: it stops there. rects[resized] is `to` in the result.
QList<QRectF> followSharedEdges(const QList<QRectF>& rects, qsizetype resized, const QRectF& to,
                                const SharedEdgeRules& rules);

} // namespace corvane

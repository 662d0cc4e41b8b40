#include "SharedEdges.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

enum class Side : quint8 { Left, Top, Right, Bottom };
constexpr Side kSides[] = {Side::Left, Side::Top, Side::Right, Side::Bottom};

bool isVertical(Side side) {
    return side == Side::Left || side == Side::Right;
}

// Right and Bottom face the larger coordinates.
bool facesForward(Side side) {
    return side == Side::Right || side == Side::Bottom;
}

Side opposite(Side side) {
    switch (side) {
    case Side::Left:
        return Side::Right;
    case Side::Right:
        return Side::Left;
    case Side::Top:
        return Side::Bottom;
    case Side::Bottom:
        return Side::Top;
    }
    return side;
}

double edgeOf(const QRectF& r, Side side) {
    switch (side) {
    case Side::Left:
        return r.left();
    case Side::Right:
        return r.right();
    case Side::Top:
        return r.top();
    case Side::Bottom:
        return r.bottom();
    }
    return 0;
}

// Moves the one edge, the opposite one staying.
void setEdge(QRectF& r, Side side, double position) {
    switch (side) {
    case Side::Left:
        r.setLeft(position);
        break;
    case Side::Right:
        r.setRight(position);
        break;
    case Side::Top:
        r.setTop(position);
        break;
    case Side::Bottom:
        r.setBottom(position);
        break;
    }
}

// How far two rectangles overlap along an edge of that side.
double overlapAlong(const QRectF& a, const QRectF& b, Side side) {
    if (isVertical(side))
        return std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
    return std::min(a.right(), b.right()) - std::max(a.left(), b.left());
}

struct EdgeMove {
    qsizetype index;
    Side side;
    double from;
    double to;
};

// One edge of one rectangle: moved once at most.
qsizetype keyOf(qsizetype index, Side side) {
    return index * 4 + qsizetype(side);
}

} // namespace

QList<QRectF> followSharedEdges(const QList<QRectF>& rects, qsizetype resized, const QRectF& to,
                                const SharedEdgeRules& rules) {
    QList<QRectF> frames = rects;
    if (resized < 0 || resized >= rects.size())
        return frames;
    frames[resized] = to;
    QList<EdgeMove> pending;
    QSet<qsizetype> moved;
    for (Side side : kSides) {
        moved.insert(keyOf(resized, side));
        const double from = edgeOf(rects[resized], side);
        const double now = edgeOf(to, side);
        if (from != now)
            pending.append({resized, side, from, now});
    }
    while (!pending.isEmpty()) {
        const EdgeMove move = pending.takeFirst();
        const Side facing = opposite(move.side);
        // Where an edge sharing this one lay: a gap further on.
        const double shared = facesForward(move.side) ? move.from + rules.gap : move.from - rules.gap;
        for (qsizetype j = 0; j < rects.size(); ++j) {
            if (moved.contains(keyOf(j, facing)) ||
                std::abs(edgeOf(rects[j], facing) - shared) > rules.tolerance ||
                overlapAlong(rects[j], rects[move.index], move.side) <= rules.tolerance)
                continue;
            moved.insert(keyOf(j, facing));
            const double far = edgeOf(frames[j], move.side);
            const double asked = edgeOf(rects[j], facing) + (move.to - move.from);
            const double position = facesForward(facing) ? std::max(asked, far + rules.minimum)
                                                         : std::min(asked, far - rules.minimum);
            setEdge(frames[j], facing, position);
            if (position != edgeOf(rects[j], facing))
                pending.append({j, facing, edgeOf(rects[j], facing), position});
        }
    }
    return frames;
}

} // namespace corvane

#include "WorkArea.h"

#include <algorithm>

namespace corvane {

QList<QRect> reservedStrips(const QList<quint32>& strut, int rootWidth, int rootHeight) {
    QList<quint32> s = strut;
    if (s.size() == 4) {
        s += {0, quint32(rootHeight - 1), 0, quint32(rootHeight - 1),
              0, quint32(rootWidth - 1),  0, quint32(rootWidth - 1)};
    }
    QList<QRect> strips;
    if (s.size() < 12)
        return strips;
    const auto span = [](quint32 start, quint32 end) { return int(end) - int(start) + 1; };
    if (s[0] > 0)
        strips.append(QRect(0, int(s[4]), int(s[0]), span(s[4], s[5])));
    if (s[1] > 0)
        strips.append(QRect(rootWidth - int(s[1]), int(s[6]), int(s[1]), span(s[6], s[7])));
    if (s[2] > 0)
        strips.append(QRect(int(s[8]), 0, span(s[8], s[9]), int(s[2])));
    if (s[3] > 0)
        strips.append(QRect(int(s[10]), rootHeight - int(s[3]), span(s[10], s[11]), int(s[3])));
    return strips;
}

QRect visibleArea(const QRect& monitor, const QList<QRect>& strips) {
    QRect visible = monitor;
    for (const QRect& strip : strips) {
        const QRect overlap = strip.intersected(visible);
        if (overlap.isEmpty())
            continue;
        const bool isHorizontal = overlap.width() >= overlap.height();
        if (isHorizontal && overlap.top() == visible.top())
            visible.setTop(overlap.bottom() + 1);
        else if (isHorizontal && overlap.bottom() == visible.bottom())
            visible.setBottom(overlap.top() - 1);
        else if (overlap.left() == visible.left())
            visible.setLeft(overlap.right() + 1);
        else if (overlap.right() == visible.right())
            visible.setRight(overlap.left() - 1);
    }
    return visible;
}

namespace {

// The work area is one rectangle for all monitors together, so an inset along one side of the
// monitors' bounding box is known to belong to a monitor only when that monitor is the only one
// reaching that side. With two monitors side by side, a bottom inset could lie on either and is
// left alone; a left inset belongs to the left monitor. With a single monitor every side is clear.
QList<QRect> cutByWorkArea(const QList<QRect>& monitors, QList<QRect> visible, const QRect& workArea) {
    QRect bounds;
    for (const QRect& m : monitors)
        bounds = bounds.united(m);
    struct Side {
        int (QRect::*edge)() const;
        void (QRect::*setEdge)(int);
        bool isMaximum; // right or bottom: the work area's edge cuts when it is smaller
    };
    const Side sides[] = {{&QRect::left, &QRect::setLeft, false},
                          {&QRect::top, &QRect::setTop, false},
                          {&QRect::right, &QRect::setRight, true},
                          {&QRect::bottom, &QRect::setBottom, true}};
    for (const Side& side : sides) {
        const int edge = (workArea.*side.edge)();
        const int outer = (bounds.*side.edge)();
        if (side.isMaximum ? edge >= outer : edge <= outer)
            continue; // no inset on this side
        qsizetype only = -1;
        int reaching = 0;
        for (qsizetype i = 0; i < monitors.size(); ++i) {
            if ((monitors[i].*side.edge)() == outer) {
                only = i;
                ++reaching;
            }
        }
        if (reaching != 1)
            continue; // several monitors along that side: the inset may lie on any of them
        QRect cut = visible[only];
        const int current = (cut.*side.edge)();
        (cut.*side.setEdge)(side.isMaximum ? std::min(current, edge) : std::max(current, edge));
        if (cut.isValid())
            visible[only] = cut; // a work area that would leave nothing of the monitor is not believed
    }
    return visible;
}

} // namespace

QList<QRect> visibleAreas(const QList<QRect>& monitors, const QList<QRect>& strips,
                          const std::optional<QRect>& workArea) {
    QList<QRect> visible;
    for (const QRect& m : monitors)
        visible.append(visibleArea(m, strips));
    if (!workArea || !workArea->isValid() || monitors.isEmpty())
        return visible;
    return cutByWorkArea(monitors, visible, *workArea);
}

} // namespace corvane

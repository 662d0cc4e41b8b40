#include "WorkArea.h"

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

} // namespace corvane

#pragma once
// The arithmetic of panels and docks: the strip of the root window a strut reserves, and what is
// left of a monitor once those strips are taken off. Pure, so it is tested without a display.

#include <QList>
#include <QRect>
#include <QtGlobal>

namespace corvane {

// The strips a _NET_WM_STRUT_PARTIAL (12 values) reserves along the root window's edges, in root
// coordinates; a plain _NET_WM_STRUT (4 values) reserves whole edges. Nothing for other lengths.
QList<QRect> reservedStrips(const QList<quint32>& strut, int rootWidth, int rootHeight);

// The monitor less every strip that touches it, each taken off the side it lies along.
QRect visibleArea(const QRect& monitor, const QList<QRect>& strips);

} // namespace corvane

#pragma once
// The arithmetic of panels and docks: the strip of the root window a strut reserves, and what is
// left of each monitor once those strips and the window manager's work area are taken off. Pure, so
// it is tested without a display; X11WorkArea reads the struts and the work area.

#include <QList>
#include <QRect>
#include <QtGlobal>
#include <optional>

namespace corvane {

// The strips a _NET_WM_STRUT_PARTIAL (12 values) reserves along the root window's edges, in root
// coordinates; a plain _NET_WM_STRUT (4 values) reserves whole edges. Nothing for other lengths.
QList<QRect> reservedStrips(const QList<quint32>& strut, int rootWidth, int rootHeight);

// The monitor less every strip that touches it, each taken off the side it lies along.
QRect visibleArea(const QRect& monitor, const QList<QRect>& strips);

// The visible area of each monitor: less the strips, then cut further by the window manager's work
// area (the current desktop's _NET_WORKAREA, in root coordinates) where that is tighter. Some window
// managers reserve their own panels through the work area alone, without a strut.
QList<QRect> visibleAreas(const QList<QRect>& monitors, const QList<QRect>& strips,
                          const std::optional<QRect>& workArea);

} // namespace corvane

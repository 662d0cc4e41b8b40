#pragma once
// One zone of a layout: a rectangle in fractions of a screen's visible frame, origin top-left, y down.

#include <QRectF>
#include <QUuid>

namespace corvane {

struct SnapZone {
    QUuid id;
    QRectF rect;
};

} // namespace corvane

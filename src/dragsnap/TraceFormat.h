#pragma once
// Numbers in the verbose traces: the shortest decimal that reads back as the same double, always
// with a fraction (12.0, 0.5); points as "(x, y)", rectangles as "(x, y, width, height)".

#include <QPointF>
#include <QRectF>
#include <QString>

namespace corvane {

QString traceNumber(double value);
QString tracePoint(QPointF point);
QString traceRect(const QRectF& rect);

} // namespace corvane

#include "TraceFormat.h"

#include <charconv>

namespace corvane {

QString traceNumber(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    QString text = QString::fromLatin1(buffer, int(end - buffer));
    if (!text.contains(u'.') && !text.contains(u'e') && !text.contains(u'n')) // not inf or nan
        text += QStringLiteral(".0");
    return text;
}

QString tracePoint(QPointF p) {
    return QStringLiteral("(%1, %2)").arg(traceNumber(p.x()), traceNumber(p.y()));
}

QString traceRect(const QRectF& r) {
    return QStringLiteral("(%1, %2, %3, %4)")
        .arg(traceNumber(r.x()), traceNumber(r.y()), traceNumber(r.width()), traceNumber(r.height()));
}

} // namespace corvane

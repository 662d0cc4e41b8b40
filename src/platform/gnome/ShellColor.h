#pragma once
// A colour as the commands to Corvane's GNOME Shell extension carry it: "#rrggbbaa".

#include <QColor>
#include <QString>

namespace corvane {

inline QString shellColor(const QColor& color) {
    return color.name(QColor::HexRgb) + QStringLiteral("%1").arg(color.alpha(), 2, 16, QLatin1Char('0'));
}

} // namespace corvane

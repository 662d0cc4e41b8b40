#pragma once
// Corvane's own icon, drawn rather than shipped: the tray's tile shape in white on a rounded square
// of the desktop's accent colour. The settings window's header and Corvane's windows show it.

#include <QImage>
#include <QPalette>
#include <QPixmap>

namespace corvane {

// `glyph` is the tray icon's shape (any colour; only its alpha is used).
QPixmap appIconPixmap(const QImage& glyph, int size, const QPalette& palette, qreal devicePixelRatio = 2);

} // namespace corvane

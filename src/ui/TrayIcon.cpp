#include "TrayIcon.h"

#include "ui/AppIcon.h"

#include <QPainter>

namespace corvane {

namespace {

QImage drawnGlyph() {
    constexpr double kWidth = 18;
    constexpr double kHeight = 14;
    constexpr int kScale = 2;
    QImage image(int(kWidth) * kScale, int(kHeight) * kScale, QImage::Format_ARGB32);
    image.setDevicePixelRatio(kScale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    // The rectangles are given with the origin at the bottom-left; the painter's is at the top-left.
    const QRectF rects[] = {{0, 0, 8.25, 14}, {9.75, 7.75, 8.25, 6.25}, {9.75, 0, 8.25, 6.25}};
    for (const QRectF& r : rects)
        painter.drawRoundedRect(QRectF(r.x(), kHeight - r.y() - r.height(), r.width(), r.height()), 1.0, 1.0);
    painter.end();
    return image;
}

} // namespace

const QImage& TrayIcon::glyph() {
    static const QImage glyph = drawnGlyph();
    return glyph;
}

QIcon TrayIcon::icon(const QPalette& palette) {
    // Trays do not tint icons to their panel, and the application's palette says nothing about the
    // panel's colour: the shape on its own accent badge reads on light and dark panels alike.
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48})
        icon.addPixmap(appIconPixmap(glyph(), size, palette));
    return icon;
}

} // namespace corvane

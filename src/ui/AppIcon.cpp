#include "AppIcon.h"

#include "ui/ViewStyle.h"

#include <QPainter>

namespace corvane {

QPixmap appIconPixmap(const QImage& glyph, int size, const QPalette& palette, qreal devicePixelRatio) {
    QPixmap pixmap(qRound(size * devicePixelRatio), qRound(size * devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::NoPen);
    painter.setBrush(accentColor(palette));
    const QRectF square(0, 0, size, size);
    painter.drawRoundedRect(square, size * 0.22, size * 0.22);

    QImage white = glyph;
    {
        QPainter tint(&white);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(QRectF(QPointF(0, 0), white.deviceIndependentSize()), Qt::white);
    }
    // The shape fills 60 % of the width, centred, with its own aspect ratio.
    const QSizeF shape = white.deviceIndependentSize().scaled(square.size() * 0.6, Qt::KeepAspectRatio);
    painter.drawImage(QRectF(square.center() - QPointF(shape.width(), shape.height()) / 2, shape), white);
    return pixmap;
}

} // namespace corvane

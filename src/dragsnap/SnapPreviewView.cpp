#include "SnapPreviewView.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane {

SnapPreviewView::SnapPreviewView(bool isCompositing, bool paintsOpacity)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint | Qt::Tool)
    , m_isCompositing(isCompositing)
    , m_paintsOpacity(paintsOpacity) {
    // Its own class, so window managers and compositors can tell it apart.
    setObjectName(QStringLiteral("corvane-snap-preview"));
    setWindowTitle(QStringLiteral("Corvane Snap Preview"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground, isCompositing);
    if (!paintsOpacity)
        setWindowOpacity(0);
}

void SnapPreviewView::setOpacity(double opacity) {
    m_opacity = opacity;
    if (m_paintsOpacity)
        update();
    else
        setWindowOpacity(opacity);
}

QRectF SnapPreviewView::highlightRect() const {
    return QRectF(rect()).adjusted(inset, inset, -inset, -inset);
}

void SnapPreviewView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_paintsOpacity)
        painter.setOpacity(m_opacity);
    QColor accent = palette().color(QPalette::Highlight);
    const QRectF shape = highlightRect();
    if (m_isCompositing) {
        accent.setAlphaF(float(previewstyle::kFillAlpha));
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawRoundedRect(shape, cornerRadius, cornerRadius);
    }
    accent.setAlphaF(m_isCompositing ? float(previewstyle::kLineAlpha) : 1.0f);
    // The line lies entirely inside the shape: its path is inset by half the width.
    const double half = lineWidth / 2;
    painter.setPen(QPen(accent, lineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(shape.adjusted(half, half, -half, -half), cornerRadius - half,
                            cornerRadius - half);
}

void SnapPreviewView::resizeEvent(QResizeEvent*) {
    if (m_isCompositing)
        return;
    QPainterPath outer;
    outer.addRoundedRect(highlightRect(), cornerRadius, cornerRadius);
    QPainterPath inner;
    inner.addRoundedRect(highlightRect().adjusted(lineWidth, lineWidth, -lineWidth, -lineWidth),
                         cornerRadius - lineWidth, cornerRadius - lineWidth);
    const QRegion ring =
        QRegion(outer.toFillPolygon().toPolygon()).subtracted(QRegion(inner.toFillPolygon().toPolygon()));
    setMask(ring);
}

} // namespace corvane

#include "SnapLayoutView.h"

#include "control/ZoneSpacingSettings.h"
#include "ui/ViewStyle.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace corvane {

// One zone: a flat rounded button, accent-filled while the pointer is on it.
class SnapZoneButton final : public QAbstractButton {
public:
    SnapZoneButton(SnapLayoutView& view, const SnapZone& zone)
        : QAbstractButton(&view)
        , m_view(view)
        , m_zone(zone) {
        setAttribute(Qt::WA_Hover);
        setMouseTracking(true);
        setFocusPolicy(Qt::TabFocus);
    }

protected:
    void enterEvent(QEnterEvent*) override { m_view.setHoveredZone(m_zone.id); }
    // Leaving clears the highlight whichever zone it names; the next zone entered sets its own.
    void leaveEvent(QEvent*) override { m_view.setHoveredZone(std::nullopt); }
    // A late leave of the previous zone may have cleared it while the pointer was already here.
    void mouseMoveEvent(QMouseEvent* event) override {
        m_view.setHoveredZone(m_zone.id);
        if (isDown() || (event->buttons() & Qt::LeftButton))
            m_view.setSpannedFraction(spanTo(event->position()));
        QAbstractButton::mouseMoveEvent(event);
    }
    // A press held onto another zone spans both; released on this zone it is a click.
    void mouseReleaseEvent(QMouseEvent* event) override {
        m_view.setSpannedFraction(std::nullopt);
        const bool isOnThisZone = hitButton(event->position().toPoint());
        QAbstractButton::mouseReleaseEvent(event);
        if (event->button() != Qt::LeftButton || isOnThisZone)
            return;
        if (const std::optional<QRectF> span = spanTo(event->position()); span && m_view.m_onSnap)
            m_view.m_onSnap(*span);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        const std::optional<QRectF>& span = m_view.spannedFraction();
        const bool isLit = span ? span->contains(m_zone.rect) : m_view.hoveredZoneId() == m_zone.id;
        painter.setBrush(isLit ? accentColor(palette()) : controlColor(palette()));
        const QRectF shape = m_view.zoneButtonRect(m_zone.rect).translated(-pos());
        painter.drawRoundedRect(shape, SnapLayoutView::cornerRadius, SnapLayoutView::cornerRadius);
        if (hasFocus()) {
            painter.setPen(QPen(accentColor(palette()), 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(shape.adjusted(0.75, 0.75, -0.75, -0.75), SnapLayoutView::cornerRadius,
                                    SnapLayoutView::cornerRadius);
        }
    }

private:
    // This zone and the one under a point of this button, together; none over no other zone.
    std::optional<QRectF> spanTo(QPointF point) const {
        const std::optional<SnapZone> other = m_view.zoneAt(mapTo(&m_view, point));
        if (!other || other->id == m_zone.id)
            return std::nullopt;
        return m_zone.rect.united(other->rect);
    }

    SnapLayoutView& m_view;
    SnapZone m_zone;
};

namespace {

QString percent(double fraction) {
    return QStringLiteral("%1%").arg(qRound(fraction * 100));
}

QString zoneDescription(const QRectF& r) {
    return SnapLayoutView::tr("%1 wide and %2 tall, from %3 left and %4 top")
        .arg(percent(r.width()), percent(r.height()), percent(r.x()), percent(r.y()));
}

} // namespace

SnapLayoutView::SnapLayoutView(SnapLayout layout, SnapHandler onSnap, QWidget* parent)
    : QWidget(parent)
    , m_layout(std::move(layout))
    , m_onSnap(std::move(onSnap)) {
    setFixedHeight(height);
    setAccessibleName(m_layout.name);
    const qsizetype count = m_layout.zones.size();
    for (qsizetype i = 0; i < count; ++i) {
        const SnapZone& zone = m_layout.zones[i];
        auto* button = new SnapZoneButton(*this, zone);
        button->setAccessibleName(tr("%1, zone %2 of %3").arg(m_layout.name).arg(i + 1).arg(count));
        button->setAccessibleDescription(zoneDescription(zone.rect));
        connect(button, &QAbstractButton::clicked, this, [this, rect = zone.rect] {
            if (m_onSnap)
                m_onSnap(rect);
        });
        m_buttons.append(button);
    }
}

QRectF SnapLayoutView::zoneButtonRect(const QRectF& fraction) const {
    return zoneRect(fraction, size(), m_spacing);
}

QRectF SnapLayoutView::zoneRect(const QRectF& fraction, QSizeF size, ZoneSpacing spacing) {
    const double w = size.width();
    const double h = size.height();
    // Edges on whole pixels, less one at the right and bottom: a crisp 1-point seam between neighbours.
    const double left = std::round(fraction.left() * w);
    const double top = std::round(fraction.top() * h);
    const double right = std::round(fraction.right() * w);
    const double bottom = std::round(fraction.bottom() * h);
    const ZoneSpacing drawn = thumbnailSpacing(spacing);
    const EdgeInsets x = zoneEdgeInsets(right - left, left <= 0, right >= w, drawn);
    const EdgeInsets y = zoneEdgeInsets(bottom - top, top <= 0, bottom >= h, drawn);
    return QRectF(left + x.start, top + y.start, std::max(right - left - x.start - x.end - 1, 0.0),
                  std::max(bottom - top - y.start - y.end - 1, 0.0));
}

ZoneSpacing SnapLayoutView::thumbnailSpacing(ZoneSpacing spacing) {
    const ZoneSpacing s = spacing.clamped();
    return {(s.gap + 7) / 8, (s.margin + 7) / 8};
}

void SnapLayoutView::setZoneSpacing(ZoneSpacing spacing) {
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    placeButtons();
    for (QAbstractButton* button : std::as_const(m_buttons))
        button->update();
}

void SnapLayoutView::followZoneSpacing(const ZoneSpacingSettings& settings) {
    setZoneSpacing(settings.spacing());
    connect(&settings, &ZoneSpacingSettings::spacingChanged, this, &SnapLayoutView::setZoneSpacing);
}

void SnapLayoutView::resizeEvent(QResizeEvent*) {
    placeButtons();
}

void SnapLayoutView::placeButtons() {
    for (qsizetype i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setGeometry(zoneButtonRect(m_layout.zones[i].rect).toAlignedRect());
}

std::optional<SnapZone> SnapLayoutView::zoneAt(QPointF point) const {
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i]->geometry().contains(point.toPoint()))
            return m_layout.zones[i];
    }
    return std::nullopt;
}

void SnapLayoutView::setSpannedFraction(std::optional<QRectF> fraction) {
    if (m_spannedFraction == fraction)
        return;
    m_spannedFraction = fraction;
    for (QAbstractButton* button : std::as_const(m_buttons))
        button->update();
}

void SnapLayoutView::setHoveredZone(std::optional<QUuid> id) {
    if (m_hoveredZoneId == id)
        return;
    m_hoveredZoneId = id;
    for (QAbstractButton* button : std::as_const(m_buttons))
        button->update();
}

} // namespace corvane

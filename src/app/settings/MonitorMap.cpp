#include "MonitorMap.h"

#include "ui/ViewStyle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace corvane {

namespace {
constexpr double kMargin = 2;
constexpr double kGap = 3; // between monitors that touch, so each keeps its own outline
constexpr double kCornerRadius = 4;
} // namespace

MonitorMap::MonitorMap(QWidget* parent)
    : QWidget(parent) {
    setMinimumHeight(sizeHint().height());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Monitors"));
}

void MonitorMap::setMonitors(const QList<Screen>& monitors, const QStringList& captions, qsizetype chosen) {
    m_monitors = monitors;
    m_captions = captions;
    m_chosen = chosen;
    QStringList names;
    for (qsizetype i = 0; i < monitors.size(); ++i)
        names.append(QStringLiteral("%1: %2").arg(monitors[i].name, captions.value(i)));
    setAccessibleDescription(names.join(QStringLiteral(", ")));
    update();
}

QList<QRectF> MonitorMap::monitorRects() const {
    QRectF bounds;
    for (const Screen& monitor : m_monitors)
        bounds = bounds.united(monitor.frame);
    const QRectF area = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    QList<QRectF> rects;
    if (bounds.isEmpty() || area.isEmpty())
        return rects;
    const double scale = std::min(area.width() / bounds.width(), area.height() / bounds.height());
    const QPointF origin(area.center().x() - bounds.width() * scale / 2,
                         area.center().y() - bounds.height() * scale / 2);
    for (const Screen& monitor : m_monitors) {
        // Screen coordinates grow upwards; the widget's downwards.
        const QRectF& f = monitor.frame;
        rects.append(QRectF(origin.x() + (f.x() - bounds.x()) * scale,
                            origin.y() + (bounds.bottom() - f.bottom()) * scale, f.width() * scale,
                            f.height() * scale)
                         .adjusted(kGap / 2, kGap / 2, -kGap / 2, -kGap / 2));
    }
    return rects;
}

void MonitorMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(fontFor(TextStyle::Caption));
    const QList<QRectF> rects = monitorRects();
    if (hasFocus() && !rects.isEmpty()) {
        painter.setPen(QPen(accentColor(palette()), 1, Qt::DotLine));
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    for (qsizetype i = 0; i < rects.size(); ++i) {
        const bool isChosen = i == m_chosen;
        QColor tint = accentColor(palette());
        tint.setAlphaF(0.18f);
        painter.setBrush(isChosen ? QBrush(tint) : Qt::NoBrush);
        painter.setPen(
            QPen(isChosen ? accentColor(palette()) : controlColor(palette()), isChosen ? 2.5 : 1.5));
        const QRectF shape = rects[i].adjusted(1.25, 1.25, -1.25, -1.25);
        painter.drawRoundedRect(shape, kCornerRadius, kCornerRadius);
        const QRectF textArea = shape.adjusted(4, 2, -4, -2);
        const QString caption = m_captions.value(i);
        // The name above the middle and the caption below it; the name alone where one line fits.
        const bool hasRoom = !caption.isEmpty() && textArea.height() >= 2 * painter.fontMetrics().height();
        const QRectF nameArea = hasRoom ? textArea.adjusted(0, 0, 0, -textArea.height() / 2) : textArea;
        painter.setPen(isChosen ? palette().color(QPalette::WindowText) : secondaryTextColor(palette()));
        painter.drawText(
            nameArea, Qt::AlignHCenter | (hasRoom ? Qt::AlignBottom : Qt::AlignVCenter),
            painter.fontMetrics().elidedText(m_monitors[i].name, Qt::ElideMiddle, int(textArea.width())));
        if (hasRoom) {
            painter.setPen(secondaryTextColor(palette()));
            painter.drawText(
                textArea.adjusted(0, textArea.height() / 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                painter.fontMetrics().elidedText(caption, Qt::ElideRight, int(textArea.width())));
        }
    }
}

void MonitorMap::mousePressEvent(QMouseEvent* event) {
    const QList<QRectF> rects = monitorRects();
    for (qsizetype i = 0; i < rects.size(); ++i) {
        if (rects[i].contains(event->position())) {
            emit monitorClicked(i);
            return;
        }
    }
}

void MonitorMap::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    if (step == 0 || m_monitors.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit monitorClicked((m_chosen + step + m_monitors.size()) % m_monitors.size());
}

} // namespace corvane

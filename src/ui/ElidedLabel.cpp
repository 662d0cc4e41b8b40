#include "ElidedLabel.h"

#include <QEvent>
#include <QPainter>

namespace corvane {

ElidedLabel::ElidedLabel(QString text, QWidget* parent)
    : QWidget(parent)
    , m_text(std::move(text)) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(m_text);
}

void ElidedLabel::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(m_text);
    updateGeometry();
    update();
}

void ElidedLabel::setTextColor(const QColor& color) {
    m_color = color;
    update();
}

void ElidedLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

QString ElidedLabel::shownText() const {
    // Line breaks would make a second line; a name is one line.
    QString line = m_text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return fontMetrics().elidedText(line, Qt::ElideRight, width());
}

QSize ElidedLabel::sizeHint() const {
    return QSize(fontMetrics().horizontalAdvance(m_text), fontMetrics().height());
}

QSize ElidedLabel::minimumSizeHint() const {
    return QSize(0, fontMetrics().height());
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(m_color.value_or(palette().color(QPalette::WindowText)));
    painter.drawText(rect(), int(m_alignment), shownText());
}

void ElidedLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

} // namespace corvane

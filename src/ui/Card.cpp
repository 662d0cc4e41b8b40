#include "Card.h"

#include <QPainter>
#include <QVBoxLayout>

namespace corvane {

Card::Card(QPalette::ColorRole fill, double cornerRadius, QWidget* parent)
    : QFrame(parent)
    , m_fill(fill)
    , m_cornerRadius(cornerRadius)
    , m_rows(new QVBoxLayout(this)) {
    m_rows->setContentsMargins(10, 10, 10, 10);
    m_rows->setSpacing(10);
    m_rows->setAlignment(Qt::AlignTop);
}

void Card::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(m_fill));
    painter.drawRoundedRect(QRectF(rect()), m_cornerRadius, m_cornerRadius);
}

} // namespace corvane

#include "WindowButtonsGlyph.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace corvane {

namespace {

class HiddenFromAccessibility final : public QAccessibleWidget {
public:
    explicit HiddenFromAccessibility(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Graphic) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
};

QAccessibleInterface* glyphAccessibility(const QString& className, QObject* object) {
    if (className == QLatin1String("corvane::WindowButtonsGlyph") && object && object->isWidgetType())
        return new HiddenFromAccessibility(static_cast<QWidget*>(object));
    return nullptr;
}

int sideWidth(const QList<TitleButton>& buttons) {
    return int(buttons.size()) * (WindowButtonsGlyph::buttonSizePixels + WindowButtonsGlyph::spacingPixels);
}

} // namespace

WindowButtonsGlyph::WindowButtonsGlyph(std::optional<ButtonLayout> layout, QWidget* parent)
    : QWidget(parent) {
    static const bool isFactoryInstalled = [] {
        QAccessible::installFactory(glyphAccessibility);
        return true;
    }();
    Q_UNUSED(isFactoryInstalled);
    if (layout) {
        m_layout = *layout;
    } else {
        m_layout.right = {TitleButton::Maximize};
        m_hasTitle = false;
    }
    const int title = m_hasTitle ? titleWidthPixels : -spacingPixels;
    setFixedSize(sideWidth(m_layout.left) + title + sideWidth(m_layout.right), buttonSizePixels);
}

void WindowButtonsGlyph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int step = buttonSizePixels + spacingPixels;
    for (qsizetype i = 0; i < m_layout.left.size(); ++i)
        paintButton(painter, m_layout.left[i], QRectF(i * step, 0, buttonSizePixels, buttonSizePixels));
    for (qsizetype i = 0; i < m_layout.right.size(); ++i)
        paintButton(painter, m_layout.right[i],
                    QRectF(width() - buttonSizePixels - i * step, 0, buttonSizePixels, buttonSizePixels));
    if (m_hasTitle) {
        // Where the window's title would be: a faint bar between the two sides.
        QColor faint = palette().color(QPalette::WindowText);
        faint.setAlphaF(0.15f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(faint);
        painter.drawRoundedRect(QRectF(sideWidth(m_layout.left), 3, titleWidthPixels, 3), 1.5, 1.5);
    }
}

void WindowButtonsGlyph::paintButton(QPainter& painter, TitleButton button, const QRectF& cell) const {
    const bool isLit = button == TitleButton::Maximize;
    QColor ink = palette().color(isLit ? QPalette::HighlightedText : QPalette::WindowText);
    if (!isLit)
        ink.setAlphaF(0.45f);
    if (isLit) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(QPalette::Highlight));
        painter.drawRoundedRect(cell, 2, 2);
    }
    painter.setPen(QPen(ink, 1.2));
    painter.setBrush(Qt::NoBrush);
    const QRectF inner = cell.adjusted(2, 2, -2, -2);
    switch (button) {
    case TitleButton::Close:
        painter.drawLine(inner.topLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomLeft());
        break;
    case TitleButton::Minimize:
        painter.drawLine(inner.bottomLeft(), inner.bottomRight());
        break;
    case TitleButton::Maximize:
        painter.drawRect(inner);
        painter.drawLine(inner.topLeft() + QPointF(0, 1), inner.topRight() + QPointF(0, 1));
        break;
    case TitleButton::Other:
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(cell.center(), 1.5, 1.5);
        break;
    }
}

} // namespace corvane

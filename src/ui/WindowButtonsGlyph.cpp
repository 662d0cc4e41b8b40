#include "WindowButtonsGlyph.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace corvane {

namespace {

class HiddenFromAccessibility final : public QAccessibleWidget {
public:
    explicit HiddenFromAccessibility(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Graphic) {}
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

} // namespace

WindowButtonsGlyph::WindowButtonsGlyph(QWidget* parent) : QWidget(parent) {
    static const bool isFactoryInstalled = [] {
        QAccessible::installFactory(glyphAccessibility);
        return true;
    }();
    Q_UNUSED(isFactoryInstalled);
    setFixedSize(33, 9);
}

void WindowButtonsGlyph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor colours[] = {QColor::fromRgbF(1.0f, 0.37f, 0.34f, 0.3f), QColor::fromRgbF(1.0f, 0.74f, 0.18f, 0.3f),
                              QColor::fromRgbF(0.16f, 0.78f, 0.25f, 1.0f)};
    for (int i = 0; i < 3; ++i) {
        painter.setBrush(colours[i]);
        painter.drawEllipse(QRectF(i * 12.0, 0, 9, 9));
    }
}

} // namespace corvane

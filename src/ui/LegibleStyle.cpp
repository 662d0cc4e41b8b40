#include "LegibleStyle.h"

#include "ui/ViewStyle.h"

#include <QPainter>
#include <QStyleOption>

namespace corvane {

LegibleStyle::LegibleStyle(const QString& baseStyle)
    : QProxyStyle(baseStyle) {}

void LegibleStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    switch (element) {
    case PE_IndicatorCheckBox:
    case PE_FrameLineEdit:
    case PE_PanelButtonCommand:
        // A focused control keeps the focus ring the style drew.
        if (!(option->state & State_HasFocus) || element == PE_IndicatorCheckBox)
            drawOutline(option, painter, element == PE_IndicatorCheckBox ? 1 : 2);
        break;
    default:
        break;
    }
}

void LegibleStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    // The label drawn from a copy of the option, of the option's own type, with the legible colour.
    const auto drawLabel = [&](auto label) {
        label.palette.setColor(QPalette::ButtonText, buttonTextColor(option->palette));
        QProxyStyle::drawControl(element, &label, painter, widget);
    };
    const bool isLabel =
        element == CE_PushButtonLabel || element == CE_ToolButtonLabel || element == CE_ComboBoxLabel;
    if (isLabel && (option->state & State_Enabled)) {
        // A flat button has no face, and its text colour is its own (a link's, say).
        if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
            if (!(button->features & QStyleOptionButton::Flat))
                return drawLabel(*button);
        } else if (const auto* tool = qstyleoption_cast<const QStyleOptionToolButton*>(option)) {
            return drawLabel(*tool);
        } else if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option)) {
            return drawLabel(*combo);
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void LegibleStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_SpinBox && !(option->state & State_HasFocus)) {
        const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
        if (spin && spin->frame)
            drawOutline(option, painter, 2);
    }
}

void LegibleStyle::drawOutline(const QStyleOption* option, QPainter* painter, double cornerRadius) const {
    if (!(option->state & State_Enabled))
        return; // a disabled control is meant to recede
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(controlColor(option->palette), 1));
    painter->setBrush(Qt::NoBrush);
    // Over the style's own edge, which sits on the rectangle's outer pixels.
    painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    painter->restore();
}

} // namespace corvane

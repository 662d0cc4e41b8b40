#pragma once
// The desktop's own widget style, with the outlines of check boxes, text fields, spin boxes and
// buttons redrawn in controlColor(), so each stands out 3:1 from the window or card around it, and
// button labels in buttonTextColor(). Qt's Fusion style, the usual one outside KDE, draws outlines
// a shade off the window colour, which all but vanishes on a dark theme, and tints default buttons
// until their labels fade. Corvane sets it for all of its windows.

#include <QProxyStyle>

namespace corvane {

class LegibleStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Wraps the style of that name (QStyleFactory's keys); the desktop's when empty or unknown.
    explicit LegibleStyle(const QString& baseStyle = {});

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;

private:
    // Check boxes are near square, fields and buttons rounded as Fusion rounds them.
    void drawOutline(const QStyleOption* option, QPainter* painter, double cornerRadius) const;
};

} // namespace corvane

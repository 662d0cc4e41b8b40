#include "ViewStyle.h"

#include <QFontDatabase>
#include <QFrame>

namespace corvane {

QFont systemFont(int pixelSize, bool isBold, bool isMonospaced) {
    QFont font = QFontDatabase::systemFont(isMonospaced ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont);
    font.setPixelSize(pixelSize);
    font.setBold(isBold);
    return font;
}

QFont fontFor(TextStyle style) {
    switch (style) {
    case TextStyle::Headline:
        return systemFont(13, true);
    case TextStyle::Subheadline:
        return systemFont(11);
    case TextStyle::Body:
        return systemFont(13);
    case TextStyle::Caption:
        return systemFont(10);
    case TextStyle::SecondCaption:
        return systemFont(10);
    }
    return systemFont(13);
}

QColor accentColor(const QPalette& palette) { return palette.color(QPalette::Highlight); }

QColor separatorColor(const QPalette& palette) { return primaryColor(palette, 0.16); }

QColor secondaryTextColor(const QPalette& palette) { return primaryColor(palette, 0.55); }

QColor primaryColor(const QPalette& palette, double opacity) {
    QColor color = palette.color(QPalette::WindowText);
    color.setAlphaF(float(opacity));
    return color;
}

QFrame* makeDivider(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    QPalette p = line->palette();
    p.setColor(QPalette::WindowText, separatorColor(p));
    line->setPalette(p);
    return line;
}

void useSecondaryText(QWidget* widget) {
    QPalette p = widget->palette();
    const QColor secondary = secondaryTextColor(p);
    p.setColor(QPalette::WindowText, secondary);
    p.setColor(QPalette::ButtonText, secondary); // for flat buttons drawn as text
    widget->setPalette(p);
}

} // namespace corvane

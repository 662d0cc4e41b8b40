#include "ViewStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// The share of the application's font each style is drawn at.
double relativeSize(TextStyle style) {
    switch (style) {
    case TextStyle::Title:
        return 1.8;
    case TextStyle::Headline:
    case TextStyle::Body:
        return 1.0;
    case TextStyle::Subheadline:
        return 0.95;
    case TextStyle::Caption:
    case TextStyle::SecondCaption:
    case TextStyle::SectionTitle:
        return 0.9;
    }
    return 1.0;
}

double relativeLuminance(const QColor& color) {
    const auto channel = [](float c) {
        return c <= 0.04045f ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

QColor over(const QColor& color, const QColor& background) {
    const float a = color.alphaF();
    return QColor::fromRgbF(color.redF() * a + background.redF() * (1 - a),
                            color.greenF() * a + background.greenF() * (1 - a),
                            color.blueF() * a + background.blueF() * (1 - a));
}

QColor mixed(const QColor& from, const QColor& to, double t) {
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * t),
                            float(from.greenF() + (to.greenF() - from.greenF()) * t),
                            float(from.blueF() + (to.blueF() - from.blueF()) * t));
}

bool meets(const QColor& color, const QList<QColor>& backgrounds, double ratio) {
    return std::all_of(backgrounds.begin(), backgrounds.end(),
                       [&](const QColor& b) { return contrastRatio(color, b) >= ratio; });
}

} // namespace

QFont fontFor(TextStyle style, bool isMonospaced) {
    QFont font = QApplication::font();
    if (isMonospaced)
        font.setFamilies(QFontDatabase::systemFont(QFontDatabase::FixedFont).families());
    const double scale = relativeSize(style);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * scale);
    else
        font.setPixelSize(qRound(font.pixelSize() * scale));
    font.setBold(style == TextStyle::Title || style == TextStyle::Headline ||
                 style == TextStyle::SectionTitle);
    return font;
}

double contrastRatio(const QColor& color, const QColor& background) {
    const double a = relativeLuminance(over(color, background));
    const double b = relativeLuminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor legibleColor(QColor color, const QList<QColor>& backgrounds, double ratio) {
    while (!meets(color, backgrounds, ratio) && color.alphaF() < 1)
        color.setAlphaF(std::min(1.0f, color.alphaF() + 0.05f));
    double meanLuminance = 0;
    for (const QColor& b : backgrounds)
        meanLuminance += relativeLuminance(b) / double(backgrounds.size());
    // The luminance at which black and white contrast equally with a background.
    const QColor target = meanLuminance > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    const QColor start = color;
    for (int step = 1; step <= 20 && !meets(color, backgrounds, ratio); ++step)
        color = mixed(start, target, step / 20.0);
    return color;
}

QColor accentColor(const QPalette& palette) {
    return palette.color(QPalette::Highlight);
}

QColor separatorColor(const QPalette& palette) {
    return primaryColor(palette, 0.16);
}

QColor secondaryTextColor(const QPalette& palette) {
    return legibleColor(primaryColor(palette, 0.55),
                        {palette.color(QPalette::Window), palette.color(QPalette::Base)},
                        kTextContrastChosen);
}

QColor primaryColor(const QPalette& palette, double opacity) {
    QColor color = palette.color(QPalette::WindowText);
    color.setAlphaF(float(opacity));
    return color;
}

QColor controlColor(const QPalette& palette) {
    // Opaque: drawn over a style's own fainter edge, a translucent colour would take on its shade.
    const QColor base = palette.color(QPalette::Base);
    return legibleColor(mixed(base, palette.color(QPalette::WindowText), 0.3),
                        {palette.color(QPalette::Window), base}, kControlContrastChosen);
}

QColor warningTextColor(const QPalette& palette) {
    return legibleColor(QColor(0xd7, 0x26, 0x26), {palette.color(QPalette::Base)}, kTextContrastChosen);
}

QColor linkTextColor(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    const QColor link = palette.color(QPalette::Link);
    const QColor accent = accentColor(palette);
    return legibleColor(contrastRatio(link, window) >= contrastRatio(accent, window) ? link : accent,
                        {window}, kTextContrastChosen);
}

QColor buttonTextColor(const QPalette& palette) {
    const QColor face = palette.color(QPalette::Button);
    return legibleColor(palette.color(QPalette::ButtonText),
                        {face, face.lighter(124), mixed(face, accentColor(palette), 0.25).lighter(124)},
                        kTextContrastChosen);
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

#pragma once
// The colours and text styles every view of ours shares, taken from the widget's palette and the
// application's font so they follow the desktop's light or dark theme, its font and its scale.
// Colours that carry meaning are made to stand out from the window and the cards they sit on by
// the WCAG AA ratios: 4.5:1 for text, 3:1 for the shapes of controls.

#include <QColor>
#include <QFont>
#include <QList>
#include <QPalette>

class QFrame;
class QWidget;

namespace corvane {

enum class TextStyle {
    Title,         // the program's name in the settings window's header
    Headline,      // the titles of panels and overlays
    Subheadline,   // secondary headings, preset names
    Body,          // ordinary control text
    Caption,       // explanations under controls
    SecondCaption, // the smallest notes
    SectionTitle,  // the small bold capitals over each card and list
};

// The application's font (the desktop's) at the style's size relative to it; monospaced on request.
QFont fontFor(TextStyle style, bool isMonospaced = false);

// The WCAG contrast ratio of two colours, from 1 to 21; a translucent colour counts as drawn over
// the other.
double contrastRatio(const QColor& color, const QColor& background);
// `color` changed as little as it takes to reach `ratio` against every background: made more
// opaque first, then moved toward black or white, whichever the backgrounds are further from.
QColor legibleColor(QColor color, const QList<QColor>& backgrounds, double ratio);

// What WCAG AA asks of text and of the shapes of controls.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kControlContrast = 3.0;
// What our colours are chosen for: the edges of antialiased glyphs and lines are lighter than
// their colour, and their strongest pixels must still reach the ratios above.
inline constexpr double kTextContrastChosen = 5.5;
inline constexpr double kControlContrastChosen = 3.5;

QColor accentColor(const QPalette& palette);
// Dividers: the text colour, faint. Decoration only, so not held to a ratio.
QColor separatorColor(const QPalette& palette);
// Text that explains rather than labels, legible on the window and on cards.
QColor secondaryTextColor(const QPalette& palette);
// The text colour at an opacity.
QColor primaryColor(const QPalette& palette, double opacity);
// The fill of a thumbnail's zones and the outline of controls: a shape a user must see to click it.
QColor controlColor(const QPalette& palette);
// Warnings, such as a refused preset name: red, legible on cards.
QColor warningTextColor(const QPalette& palette);
// A link on the window's colour. Themes pick their link colour for documents on Base, often a dark
// blue that vanishes on a dark window: then the accent colour is the starting point.
QColor linkTextColor(const QPalette& palette);
// The label of a push button, legible on the faces styles paint from the button colour: the light
// end of its gradient, and a default button's tint of the accent colour.
QColor buttonTextColor(const QPalette& palette);

// A thin horizontal line between the parts of a panel or card.
QFrame* makeDivider(QWidget* parent);
// Gives a label or a flat button the secondary text colour.
void useSecondaryText(QWidget* widget);

} // namespace corvane

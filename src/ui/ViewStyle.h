#pragma once
// The colours and text styles every view of ours shares, taken from the widget's palette so they
// follow the desktop's light or dark theme. Sizes are in device-independent pixels, the unit of
// every geometry here.

#include <QColor>
#include <QFont>
#include <QPalette>

class QFrame;
class QWidget;

namespace corvane {

enum class TextStyle {
    Headline,      // the titles of cards and sections
    Subheadline,   // secondary headings
    Body,          // ordinary control text
    Caption,       // explanations under controls
    SecondCaption, // the smallest notes
};

QFont fontFor(TextStyle style);
// A system font of a pixel size, optionally bold or monospaced.
QFont systemFont(int pixelSize, bool isBold = false, bool isMonospaced = false);

QColor accentColor(const QPalette& palette);
// Thin parts and empty thumbnail zones: the text colour, faint.
QColor separatorColor(const QPalette& palette);
// Text that explains rather than labels.
QColor secondaryTextColor(const QPalette& palette);
// The text colour at an opacity.
QColor primaryColor(const QPalette& palette, double opacity);

// A thin horizontal line between the parts of a panel or card.
QFrame* makeDivider(QWidget* parent);
// Gives a label or a flat button the secondary text colour.
void useSecondaryText(QWidget* widget);

} // namespace corvane

#pragma once
// Measures, from a window's rendered pixels, how well each of its texts and controls stands out:
// a text's darkest (or lightest) pixel against the colour most of its area has, a control's edge
// against what surrounds it. The screenshot tool prints the result; a test holds it to WCAG AA.

#include <QImage>
#include <QList>
#include <QString>

class QWidget;

namespace corvane {

struct ContrastMeasure {
    QString what;    // the class and text or name of the item measured
    double ratio;    // as measured, 1 to 21
    double required; // 4.5 for text, 3 for the shape of a control

    bool isMet() const { return ratio >= required; }
};

// Every enabled text and control of `window` shown whole in `image`, its grab at a pixel ratio of 1.
// Disabled controls are left out, as WCAG leaves them out.
QList<ContrastMeasure> measureContrast(QWidget& window, const QImage& image);

} // namespace corvane

#pragma once
// Corvane's picture of itself: a half and two quarters, the shape of a desktop with snapped windows.
// The tray shows it on the accent badge of appIconPixmap (AppIcon.h), which also makes the window
// icon from it.

#include <QIcon>
#include <QImage>
#include <QPalette>

namespace corvane {

class TrayIcon {
public:
    // The shape alone: 18 x 14 points at twice the pixels, black on transparent; drawn once.
    static const QImage& glyph();
    // The shape on its badge at every size a tray asks for.
    static QIcon icon(const QPalette& palette);
};

} // namespace corvane

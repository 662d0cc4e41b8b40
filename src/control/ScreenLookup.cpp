#include "ScreenLookup.h"

#include "control/HitTest.h"
#include "model/ScreenGeometry.h"

namespace corvane {

double primaryScreenHeight(const Screens& screens) {
    const QList<Screen> list = screens.screens();
    for (const Screen& s : list) {
        if (s.frame.x() == 0 && s.frame.y() == 0)
            return s.frame.height();
    }
    return list.isEmpty() ? 0 : list.first().frame.height();
}

std::optional<Screen> screenAt(const Screens& screens, QPointF p) {
    return firstUnder(screens.screens(), p, &Screen::frame, screenRectContainsPoint);
}

std::optional<Screen> screenContaining(const Screens& screens, const QRectF& r) {
    if (const std::optional<Screen> screen = screenAt(screens, r.center()))
        return screen;
    if (const std::optional<Screen> main = screens.mainScreen())
        return main;
    const QList<Screen> list = screens.screens();
    return list.isEmpty() ? std::nullopt : std::optional(list.first());
}

QSizeF screenSizeOfWindow(const Screens& screens, QSize windowSize, QPointF screenPoint) {
    // Centred on the point, the window goes by the scale of the screen that holds the point.
    const QPoint centre = screens.windowGeometry(QRectF(screenPoint, QSizeF())).topLeft();
    const QPoint topLeft = centre - QPoint(windowSize.width() / 2, windowSize.height() / 2);
    return screens.screenFrame(QRect(topLeft, windowSize)).size();
}

} // namespace corvane

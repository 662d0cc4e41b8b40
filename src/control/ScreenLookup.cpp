#include "ScreenLookup.h"

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

std::optional<Screen> screenContaining(const Screens& screens, const QRectF& r) {
    const QList<Screen> list = screens.screens();
    const QPointF centre(r.x() + r.width() / 2, r.y() + r.height() / 2);
    for (const Screen& s : list) {
        if (rectContainsPoint(s.frame, centre))
            return s;
    }
    if (const std::optional<Screen> main = screens.mainScreen())
        return main;
    return list.isEmpty() ? std::nullopt : std::optional(list.first());
}

} // namespace corvane

// Screen coordinates, root pixels and Qt's logical pixels; see the header.
#include "WindowCoordinates.h"

#include <cmath>
#include <optional>

namespace corvane {

namespace {

QRectF logicalArea(const ScreenScale& s) {
    return QRectF(s.root.topLeft(), QSizeF(s.root.size()) / s.ratio);
}

// Half-open, top and left edges inside: every pixel of the root lies on at most one screen.
bool holdsCentre(const QRectF& area, const QRectF& r) {
    const QPointF c = r.center();
    return c.x() >= area.left() && c.x() < area.right() && c.y() >= area.top() && c.y() < area.bottom();
}

// The screen holding the rectangle's centre, seen through `area` (root or logical); else the first.
template <typename Area>
std::optional<ScreenScale> scaleFor(const QRectF& r, const QList<ScreenScale>& scales, Area area) {
    for (const ScreenScale& s : scales) {
        if (holdsCentre(area(s), r))
            return s;
    }
    return scales.isEmpty() ? std::nullopt : std::optional(scales.first());
}

QRectF scaledAbout(const QRectF& r, QPointF origin, double factor) {
    return QRectF(origin + (r.topLeft() - origin) * factor, r.size() * factor);
}

} // namespace

QRectF logicalFromRoot(const QRectF& rootRect, const QList<ScreenScale>& scales) {
    const auto s = scaleFor(rootRect, scales, [](const ScreenScale& scale) { return QRectF(scale.root); });
    return s ? scaledAbout(rootRect, s->root.topLeft(), 1 / s->ratio) : rootRect;
}

QRectF rootFromLogical(const QRectF& logicalRect, const QList<ScreenScale>& scales) {
    const auto s = scaleFor(logicalRect, scales, logicalArea);
    return s ? scaledAbout(logicalRect, s->root.topLeft(), s->ratio) : logicalRect;
}

QRectF rootFromScreen(const QRectF& r, const QRect& primary) {
    return QRectF(r.x() + primary.x(), (primary.y() + primary.height()) - (r.y() + r.height()), r.width(),
                  r.height());
}

QRectF screenFromRoot(const QRectF& r, const QRect& primary) {
    return QRectF(r.x() - primary.x(), (primary.y() + primary.height()) - (r.y() + r.height()), r.width(),
                  r.height());
}

QRect windowGeometryOf(const QRectF& screenFrame, const QRect& primary, const QList<ScreenScale>& scales) {
    const QRectF r = logicalFromRoot(rootFromScreen(screenFrame, primary), scales);
    // Edges rounded on their own, so windows on neighbouring zones meet without a gap.
    const int left = int(std::lround(r.left()));
    const int top = int(std::lround(r.top()));
    return QRect(left, top, int(std::lround(r.right())) - left, int(std::lround(r.bottom())) - top);
}

QRectF screenFrameOf(const QRect& windowGeometry, const QRect& primary, const QList<ScreenScale>& scales) {
    return screenFromRoot(rootFromLogical(QRectF(windowGeometry), scales), primary);
}

} // namespace corvane

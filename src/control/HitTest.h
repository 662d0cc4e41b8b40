#pragma once
// The one hit test: which of some items (screens, zones, listed windows, title-bar corners) is under
// a point. The rule says what "under" means in the items' coordinates: rectContainsPoint in AX
// coordinates, screenRectContainsPoint in screen coordinates (model/ScreenGeometry.h).

#include <QPointF>
#include <QRectF>
#include <functional>
#include <optional>
#include <ranges>

namespace corvane {

using ContainsRule = bool (*)(const QRectF& rect, QPointF point);

// The first item, in the given order (front to back), whose rectangle holds the point.
template <std::ranges::input_range Items, typename RectOf>
std::optional<std::ranges::range_value_t<Items>> firstUnder(const Items& items, QPointF point, RectOf rectOf,
                                                            ContainsRule contains) {
    for (const auto& item : items) {
        if (contains(std::invoke(rectOf, item), point))
            return item;
    }
    return std::nullopt;
}

} // namespace corvane

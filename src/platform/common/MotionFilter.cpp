#include "MotionFilter.h"

#include "platform/Events.h"

#include <algorithm>
#include <utility>

namespace corvane {

quint32 mouseButtonBit(quint32 button) {
    return button == 1 ? mousebutton::kLeft : button == 3 ? mousebutton::kRight : 4;
}

bool MotionFilter::passes(QPointF point, bool isMotion, bool isButtonHeld) {
    const bool isInside = std::any_of(m_regions.cbegin(), m_regions.cend(), [point](const QRectF& r) {
        return point.x() >= r.left() && point.x() < r.right() && point.y() >= r.top() &&
               point.y() < r.bottom();
    });
    const bool wasInside = std::exchange(m_wasInside, isInside);
    return !isMotion || isButtonHeld || isInside || wasInside;
}

} // namespace corvane

#include "PossibleFrame.h"

#include <cmath>

namespace corvane {

namespace {
constexpr double kMaxWindowExtent = 32767.0;
}

bool isPossibleWindowFrame(const QRectF& r) {
    // Written so that NaN fails every test.
    return r.width() >= 1 && r.width() <= kMaxWindowExtent && r.height() >= 1 &&
           r.height() <= kMaxWindowExtent && std::abs(r.x()) <= kMaxWindowExtent &&
           std::abs(r.y()) <= kMaxWindowExtent;
}

} // namespace corvane

#include "SizeHints.h"

#include <algorithm>

namespace corvane {

namespace {

// The flags of WM_SIZE_HINTS that say which fields hold.
constexpr quint32 kMinimumSize = 1U << 4;
constexpr quint32 kMaximumSize = 1U << 5;
constexpr quint32 kResizeSteps = 1U << 6;
constexpr int kOldestLength = 15;

// A side of a field, read as signed: below 1 means none.
int side(quint32 value) {
    return std::max(0, qint32(value));
}

// Window managers round an ask down to the window's steps: an ask from the current size up to a
// step beyond it leaves the window as it is.
bool canChangeSide(int current, int asked, int minimum, int maximum, int step) {
    int reachable = std::max(asked, minimum);
    if (maximum > 0)
        reachable = std::min(reachable, std::max(maximum, minimum));
    return reachable < current || reachable >= current + step;
}

} // namespace

SizeHints SizeHints::fromProperty(const QList<quint32>& values) {
    SizeHints hints;
    if (values.size() < kOldestLength)
        return hints;
    const quint32 flags = values[0];
    if (flags & kMinimumSize)
        hints.minimum = QSize(std::max(1, side(values[5])), std::max(1, side(values[6])));
    if (flags & kMaximumSize)
        hints.maximum = QSize(side(values[7]), side(values[8]));
    if (flags & kResizeSteps)
        hints.step = QSize(std::max(1, side(values[9])), std::max(1, side(values[10])));
    return hints;
}

bool SizeHints::canChange(QSize current, QSize asked) const {
    return canChangeSide(current.width(), asked.width(), minimum.width(), maximum.width(), step.width()) ||
           canChangeSide(current.height(), asked.height(), minimum.height(), maximum.height(), step.height());
}

} // namespace corvane

#pragma once
// Which frames a window can have at all. X keeps window sizes and positions in 16 bits; the frame a
// window remembers (ax::kRestoreFrame) may have been written by any client, so both the core that
// reads it and the backends that replace it ask this.

#include <QRectF>

namespace corvane {

// At least 1 and at most 32767 wide and high, each coordinate within ±32767; NaN is none.
bool isPossibleWindowFrame(const QRectF& frame);

} // namespace corvane

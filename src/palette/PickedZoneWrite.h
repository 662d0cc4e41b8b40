#pragma once
// What a pick on the palette does, wherever the palette was opened (on a maximize button, by the chord):
// the window goes to the zone on the screen under the place the palette was opened at. With swapping
// on, the window in front in that zone first goes to the picked window's place.

#include "control/FrameWriteQueue.h"
#include "control/SwapChoice.h"
#include "model/ZoneSpacing.h"
#include "platform/Platform.h"

namespace corvane {

// `anchor` is where the palette was opened, AX coordinates. Nothing is written without screens.
void writePickedZone(Platform& platform, FrameWriteQueue& frameWrites, ZoneSpacing spacing, AxElement window,
                     const QRectF& anchor, const QRectF& fraction, const SwapChoice& swap);

} // namespace corvane

#include "PickedZoneWrite.h"

#include "control/ScreenLookup.h"
#include "control/WindowAccess.h"
#include "model/ScreenGeometry.h"

namespace corvane {

void writePickedZone(Platform& platform, FrameWriteQueue& frameWrites, ZoneSpacing spacing, AxElement window,
                     const QRectF& anchor, const QRectF& fraction, const SwapChoice& swap) {
    const double h = primaryScreenHeight(platform.screens);
    const QRectF anchorOnScreen = screenFrameFromAx(anchor.topLeft(), anchor.size(), h);
    const std::optional<Screen> screen = screenContaining(platform.screens, anchorOnScreen);
    if (!screen || !(h > 0))
        return;
    if (ZoneSwapper* swapper = swap.active()) {
        if (const std::optional<QRectF> frame = axFrameOf(platform.accessibility, window))
            swapper->displaceOccupant(window, screenFrameFromAx(frame->topLeft(), frame->size(), h), fraction,
                                      *screen);
    }
    frameWrites.write({.window = window,
                       .frame = screenRect(fraction, screen->visibleFrame, spacing),
                       .primaryHeight = h,
                       .visibleFrame = screen->visibleFrame,
                       .write = FrameWrite::Pointed,
                       .zone = ZonePlace{{}, fraction, screen->id, screen->name}});
}

} // namespace corvane

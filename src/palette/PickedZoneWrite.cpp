#include "PickedZoneWrite.h"

#include "control/ScreenLookup.h"
#include "model/ScreenGeometry.h"

namespace corvane {

void writePickedZone(Platform& platform, FrameWriteQueue& frameWrites, ZoneSpacing spacing, AxElement window,
                     const QRectF& anchor, const QRectF& fraction) {
    const double h = primaryScreenHeight(platform.screens);
    const QRectF anchorOnScreen = screenFrameFromAx(anchor.topLeft(), anchor.size(), h);
    const std::optional<Screen> screen = screenContaining(platform.screens, anchorOnScreen);
    if (!screen || !(h > 0))
        return;
    frameWrites.write({.window = window,
                       .frame = screenRect(fraction, screen->visibleFrame, spacing),
                       .primaryHeight = h,
                       .visibleFrame = screen->visibleFrame,
                       .write = FrameWrite::Pointed,
                       .zone = ZonePlace{{}, fraction, screen->id, screen->name}});
}

} // namespace corvane

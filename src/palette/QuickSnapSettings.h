#pragma once
// Whether Quick Snap (the palette on the maximize button) is on; off by default. Only Corvane's own
// settings record it: no desktop setting on Linux asks applications for a menu of their own on the
// maximize button. Where the pointer on a maximize button cannot be seen there is no palette.

#include "control/FeatureToggle.h"

namespace corvane {

class QuickSnapSettings : public FeatureToggle {
public:
    QuickSnapSettings(Platform& platform, FeatureMonitor& monitor, QObject* parent = nullptr)
        : FeatureToggle(platform, monitor, {"zoomPaletteEnabled", false, Capability::MaximizeButtonPalette},
                        parent) {}
};

} // namespace corvane

#pragma once
// The keyboard's moves to the neighbouring zone: the target window goes to the zone next to it in a
// direction, in the layout it was last placed with (else the one its screen offers), and across to the
// neighbouring screen at the edge, into that screen's first zone that way. A window in no zone goes to
// the nearest zone that way. The rule is ZoneNeighbours'; the placing WindowPlacer's.

#include "control/PresetStore.h"
#include "control/WindowPlacer.h"
#include "control/ZoneTracker.h"
#include "model/ZoneNeighbours.h"

#include <functional>

namespace corvane {

class ZoneNavigator {
public:
    // The name of the layout a screen offers a window that was placed with none.
    using ScreenLayout = std::function<QString(const Screen&)>;

    ZoneNavigator(Platform& platform, const PresetStore& presets, WindowPlacer& placer, ZoneTracker& zones,
                  ScreenLayout screenLayout);

    Placement moveToNeighbourZone(ZoneDirection direction, WriteDone done = {});

private:
    Platform& m_platform;
    const PresetStore& m_presets;
    WindowPlacer& m_placer;
    ZoneTracker& m_zones;
    ScreenLayout m_screenLayout;
};

} // namespace corvane

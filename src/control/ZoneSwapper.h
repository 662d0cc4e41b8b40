#pragma once
// Swaps the target window with the window in the zone next to it in a direction, on its screen: the
// target takes that window's zone, and that window takes the target's zone, or the target's frame
// where it is in none. The neighbour is the nearest window in a zone that way, by ZoneNeighbours' rule;
// of two in one zone, the one in front; a window of an application left alone is none. The neighbour is
// written first, so that the target, written last, keeps the focus.

#include "control/ExcludedApplications.h"
#include "control/WindowPlacer.h"
#include "control/ZoneTracker.h"
#include "model/ZoneNeighbours.h"

namespace corvane {

class ZoneSwapper {
public:
    ZoneSwapper(Platform& platform, WindowPlacer& placer, ZoneTracker& zones,
                const ExcludedApplications& excluded);

    // `done` hears once both writes have landed: true when both windows were written to.
    Placement swapWithNeighbour(ZoneDirection direction, WriteDone done = {});

private:
    Platform& m_platform;
    WindowPlacer& m_placer;
    ZoneTracker& m_zones;
    const ExcludedApplications& m_excluded;
};

} // namespace corvane

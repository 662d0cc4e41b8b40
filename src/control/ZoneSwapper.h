#pragma once
// Swaps two windows' places. By direction: the target takes the zone of the window next to it that way
// on its screen, and that window takes the target's zone, or the target's frame where it is in none.
// The neighbour is the nearest window in a zone that way, by ZoneNeighbours' rule; of two in one zone,
// the one in front. On a drop or a pick: the window in the zone a window is taken to goes to that
// window's former place. A window of an application left alone is never moved. The displaced window is
// written first, so that the one the user moved, written last, keeps the focus.

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

    // Where a window was before the user took it elsewhere: its zone, or its frame where it had none.
    struct FormerPlace {
        std::optional<ZonePlace> zone;
        QRectF frame; // screen coordinates
    };
    // Read before a drag or a pick moves it; `frame` in screen coordinates.
    FormerPlace formerPlaceOf(AxElement window, const QRectF& frame);
    // The window that taking `window` into the zone `fraction` of `screen` displaces: the one in front
    // among those in that zone; none when that zone is the one `window` came from.
    std::optional<AxElement> occupantOf(AxElement window, const FormerPlace& former, const QRectF& fraction,
                                        const Screen& screen);
    // Where the displaced window goes, screen coordinates; none when that screen is gone.
    std::optional<QRectF> frameAt(const FormerPlace& place) const;
    // Writes the displaced window there; false when that screen is gone.
    bool displace(AxElement window, const FormerPlace& place, WriteDone done = {});
    // Before `window` is taken from where it is (`frame`, screen coordinates) into the zone `fraction` of
    // `screen` in one step, as a pick does: the window it displaces goes to its place.
    void displaceOccupant(AxElement window, const QRectF& frame, const QRectF& fraction,
                          const Screen& screen);

private:
    std::optional<Screen> screenOf(const FormerPlace& place) const;

    Platform& m_platform;
    WindowPlacer& m_placer;
    ZoneTracker& m_zones;
    const ExcludedApplications& m_excluded;
};

} // namespace corvane

#include "ZoneSwapper.h"

#include "control/ScreenLookup.h"
#include "model/ScreenGeometry.h"

#include <memory>

namespace corvane {

ZoneSwapper::ZoneSwapper(Platform& platform, WindowPlacer& placer, ZoneTracker& zones,
                         const ExcludedApplications& excluded)
    : m_platform(platform)
    , m_placer(placer)
    , m_zones(zones)
    , m_excluded(excluded) {}

Placement ZoneSwapper::swapWithNeighbour(ZoneDirection direction, WriteDone done) {
    const std::optional<WindowPlacer::Target> target = m_placer.target();
    if (!target)
        return m_placer.noTarget();
    const std::optional<Screen> screen = screenContaining(m_platform.screens, target->frame);
    if (!screen || !(screen->visibleFrame.width() > 0) || !(screen->visibleFrame.height() > 0))
        return Placement::NoTargetWindow;
    std::optional<ZonePlace> zone = m_zones.zoneOf(target->window);
    if (zone && zone->screenId != screen->id)
        zone.reset();
    const QRectF from = zone ? zone->fraction : fractionOf(target->frame, screen->visibleFrame);

    QList<ZoneTracker::WindowInZone> neighbours = m_zones.windowsInZones();
    neighbours.removeIf([&](const ZoneTracker::WindowInZone& w) {
        return w.window == target->window || w.place.screenId != screen->id ||
               m_excluded.isWindowExcluded(w.window);
    });
    QList<QRectF> rects;
    for (const ZoneTracker::WindowInZone& neighbour : neighbours)
        rects.append(neighbour.place.fraction);
    const std::optional<qsizetype> next = nextRect(rects, from, direction);
    if (!next)
        return Placement::NoNeighbourWindow;
    const ZoneTracker::WindowInZone& neighbour = neighbours[*next];

    // One answer for the two writes.
    auto pending = std::make_shared<int>(2);
    auto isWritten = std::make_shared<bool>(true);
    const WriteDone both = [pending, isWritten, done = std::move(done)](bool written) {
        *isWritten = *isWritten && written;
        if (--*pending == 0 && done)
            done(*isWritten);
    };
    if (zone)
        m_placer.placeInZone(neighbour.window, std::nullopt, *zone, *screen, both);
    else
        m_placer.placeAt(neighbour.window, std::nullopt, target->frame, *screen, both);
    m_placer.placeInZone(target->window, target->application, neighbour.place, *screen, both);
    return Placement::Requested;
}

} // namespace corvane

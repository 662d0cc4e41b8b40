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
    FormerPlace former = formerPlaceOf(target->window, target->frame);
    if (former.zone && former.zone->screenId != screen->id)
        former.zone.reset();
    const QRectF from = former.zone ? former.zone->fraction : fractionOf(target->frame, screen->visibleFrame);

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
    if (!displace(neighbour.window, former, both))
        return Placement::NoTargetWindow;
    m_placer.placeInZone(target->window, target->application, neighbour.place, *screen, both);
    return Placement::Requested;
}

ZoneSwapper::FormerPlace ZoneSwapper::formerPlaceOf(AxElement window, const QRectF& frame) {
    return {m_zones.zoneOf(window), frame};
}

std::optional<AxElement> ZoneSwapper::occupantOf(AxElement window, const FormerPlace& former,
                                                 const QRectF& fraction, const Screen& screen) {
    if (former.zone && former.zone->screenId == screen.id && isSameFraction(former.zone->fraction, fraction))
        return std::nullopt; // back where it came from: nothing to swap
    for (const ZoneTracker::WindowInZone& w : m_zones.windowsInZones()) {
        if (w.window != window && w.place.screenId == screen.id &&
            isSameFraction(w.place.fraction, fraction) && !m_excluded.isWindowExcluded(w.window))
            return w.window;
    }
    return std::nullopt;
}

void ZoneSwapper::displaceOccupant(AxElement window, const QRectF& frame, const QRectF& fraction,
                                   const Screen& screen) {
    const FormerPlace former = formerPlaceOf(window, frame);
    if (const std::optional<AxElement> occupant = occupantOf(window, former, fraction, screen))
        displace(*occupant, former);
}

std::optional<Screen> ZoneSwapper::screenOf(const FormerPlace& place) const {
    if (!place.zone)
        return screenContaining(m_platform.screens, place.frame);
    for (const Screen& screen : m_platform.screens.screens()) {
        if (screen.id == place.zone->screenId)
            return screen;
    }
    return std::nullopt;
}

std::optional<QRectF> ZoneSwapper::frameAt(const FormerPlace& place) const {
    const std::optional<Screen> screen = screenOf(place);
    if (!screen)
        return std::nullopt;
    if (!place.zone)
        return place.frame;
    return screenRect(place.zone->fraction, screen->visibleFrame, m_placer.zoneSpacing().spacing());
}

bool ZoneSwapper::displace(AxElement window, const FormerPlace& place, WriteDone done) {
    const std::optional<Screen> screen = screenOf(place);
    if (!screen)
        return false;
    if (place.zone)
        m_placer.placeInZone(window, std::nullopt, *place.zone, *screen, std::move(done));
    else
        m_placer.placeAt(window, std::nullopt, place.frame, *screen, std::move(done));
    return true;
}

} // namespace corvane

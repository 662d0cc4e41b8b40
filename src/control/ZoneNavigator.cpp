#include "ZoneNavigator.h"

#include "control/ScreenLookup.h"
#include "model/ScreenGeometry.h"

namespace corvane {

namespace {

// Screen coordinates (y up) turned y down, as the neighbour rule takes them.
QRectF yDown(const QRectF& r) {
    return {r.x(), -r.bottom(), r.width(), r.height()};
}

QList<QRectF> zoneRects(const SnapLayout& layout) {
    QList<QRectF> rects;
    for (const SnapZone& zone : layout.zones)
        rects.append(zone.rect);
    return rects;
}

} // namespace

ZoneNavigator::ZoneNavigator(Platform& platform, const PresetStore& presets, WindowPlacer& placer,
                             ZoneTracker& zones, ScreenLayout screenLayout)
    : m_platform(platform)
    , m_presets(presets)
    , m_placer(placer)
    , m_zones(zones)
    , m_screenLayout(std::move(screenLayout)) {}

Placement ZoneNavigator::moveToNeighbourZone(ZoneDirection direction, WriteDone done) {
    const std::optional<WindowPlacer::Target> target = m_placer.target();
    if (!target)
        return Placement::NoTargetWindow;
    const std::optional<Screen> screen = screenContaining(m_platform.screens, target->frame);
    if (!screen || !(screen->visibleFrame.width() > 0) || !(screen->visibleFrame.height() > 0))
        return Placement::NoTargetWindow;
    const std::optional<ZonePlace> zone = m_zones.zoneOf(target->window);
    // The layout stays with the window, onto the next screen too; without one each screen offers its own.
    const bool isWindowsLayout = zone && !zone->layout.isEmpty() && m_presets.layout(zone->layout);
    const QString name = isWindowsLayout ? zone->layout : m_screenLayout(*screen);
    // What a screen offers is not the window's: on the next screen that one's offer counts.
    const QString windowsLayout = isWindowsLayout ? name : QString();
    const std::optional<SnapLayout> layout = m_presets.layout(name);
    if (!layout || layout->zones.isEmpty())
        return Placement::UnknownLayout;
    const QRectF from = zone && zone->screenId == screen->id
                            ? zone->fraction
                            : fractionOf(target->frame, screen->visibleFrame);
    const QList<QRectF> rects = zoneRects(*layout);
    if (const std::optional<qsizetype> next = nextRect(rects, from, direction))
        return m_placer.snapFocusedWindow(rects[*next], *screen, std::move(done), windowsLayout);

    const QList<Screen> screens = m_platform.screens.screens();
    QList<QRectF> frames;
    for (const Screen& s : screens)
        frames.append(yDown(s.frame));
    const std::optional<qsizetype> nextScreen = nextRect(frames, yDown(screen->frame), direction);
    if (!nextScreen)
        return Placement::NoOtherScreen;
    const Screen& other = screens[*nextScreen];
    const QString otherName = isWindowsLayout ? name : m_screenLayout(other);
    const std::optional<SnapLayout> otherLayout = m_presets.layout(otherName);
    if (!otherLayout || otherLayout->zones.isEmpty())
        return Placement::UnknownLayout;
    // It keeps its height going sideways and its column going up or down, as near as the zones allow.
    const bool isSideways = direction == ZoneDirection::Left || direction == ZoneDirection::Right;
    const QList<QRectF> otherRects = zoneRects(*otherLayout);
    const std::optional<qsizetype> entry =
        entryRect(otherRects, isSideways ? from.center().y() : from.center().x(), direction);
    return m_placer.snapFocusedWindow(otherRects[*entry], other, std::move(done), windowsLayout);
}

} // namespace corvane

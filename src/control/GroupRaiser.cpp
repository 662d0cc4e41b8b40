#include "GroupRaiser.h"

#include "control/WindowAccess.h"
#include "control/WindowLookup.h"
#include "platform/common/Log.h"

namespace corvane {

GroupRaiser::GroupRaiser(Platform& platform, ZoneTracker& zones, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_zones(zones) {
    connect(&platform.workspace, &Workspace::didActivateApplication, this, &GroupRaiser::activated);
}

void GroupRaiser::activated(const std::optional<RunningApplication>& application) {
    if (!m_isRunning || !application)
        return;
    const std::optional<AxElement> active = focusedWindowOf(m_platform.accessibility, application->pid);
    if (!active)
        return;
    const QList<ZoneTracker::WindowInZone> placed = m_zones.windowsInZones(); // front to back
    const auto own = std::find_if(placed.cbegin(), placed.cend(),
                                  [&](const ZoneTracker::WindowInZone& w) { return w.window == *active; });
    if (own == placed.cend() || own->place.layout.isEmpty())
        return;
    // The order they end in: the activated window, then the others as they were.
    QList<AxElement> group{*active};
    for (const ZoneTracker::WindowInZone& other : placed) {
        if (other.window != *active && other.place.layout == own->place.layout &&
            other.place.screenId == own->place.screenId)
            group.append(other.window);
    }
    // Already so: a raise of ours that the desktop answered with an activation ends here too.
    if (group.size() < 2 || isInFront(group))
        return;
    // From the back, each over the one before: the activated one last, in front of them all. A desktop
    // that raises no window for us refuses the first, and nothing has moved.
    for (auto it = group.crbegin(); it != group.crend(); ++it) {
        if (m_platform.accessibility.performAction(*it, ax::kRaiseAction) == AxError::ActionUnsupported) {
            if (!m_hasSaidUnsupported)
                qCInfo(lcGeneral, "Bringing windows to the front together: the window manager raises no "
                                  "window without giving it the focus");
            m_hasSaidUnsupported = true;
            return;
        }
    }
}

bool GroupRaiser::isInFront(const QList<AxElement>& windows) {
    const QList<quint32> front = ordinaryWindowsInFront(m_platform);
    if (front.size() < windows.size())
        return false;
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (m_platform.accessibility.elementOfWindow(front[i]) != windows[i])
            return false;
    }
    return true;
}

} // namespace corvane

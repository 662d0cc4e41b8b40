#pragma once
// Brings the windows Corvane placed in the zones of one layout on one monitor to the front together:
// when one of them is activated (from the taskbar, by Alt+Tab, by a click), the others come up with it
// in the order they were in, and the activated one stays in front of them with the focus. A window
// leaves its group as it leaves its zone (ZoneTracker) or closes. Placements that named no layout (a
// palette's cell, a thumbnail's zone) form no group.

#include "control/FeatureMonitor.h"
#include "control/ZoneTracker.h"
#include "platform/Platform.h"

#include <QObject>
#include <optional>

namespace corvane {

class GroupRaiser : public QObject, public FeatureMonitor {
    Q_OBJECT
public:
    GroupRaiser(Platform& platform, ZoneTracker& zones, QObject* parent = nullptr);

    void start() override { m_isRunning = true; }
    void stop() override { m_isRunning = false; }
    bool isRunning() const { return m_isRunning; }

private:
    void activated(const std::optional<RunningApplication>& application);
    // Whether the windows, front to back, are already the frontmost ordinary windows in that order.
    bool isInFront(const QList<AxElement>& windows);

    Platform& m_platform;
    ZoneTracker& m_zones;
    bool m_isRunning = false;
    bool m_hasSaidUnsupported = false; // said once
};

} // namespace corvane

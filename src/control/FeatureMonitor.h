#pragma once
// A monitor that a setting switches on and off (drag to snap, the palette). Both calls are idempotent;
// stop() also drops transient state and hides whatever the monitor shows.

namespace corvane {

class FeatureMonitor {
public:
    virtual ~FeatureMonitor() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
};

// The start rule: a monitor runs only while its feature is on and accessibility access is granted.
inline void applyMonitorStartRule(bool isEnabled, bool isTrusted, FeatureMonitor& monitor) {
    if (isEnabled && isTrusted)
        monitor.start();
    else
        monitor.stop();
}

} // namespace corvane

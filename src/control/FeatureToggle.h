#pragma once
// A feature the user switches on or off, stored under one key of the defaults: its monitor runs only
// while it is on, the desktop can serve it and access is granted. A desktop that cannot gets no
// monitor, whatever the stored choice (kept for the desktops that can).

#include "control/FeatureMonitor.h"
#include "control/FeatureSwitch.h"
#include "platform/Platform.h"

#include <QObject>

namespace corvane {

class FeatureToggle : public QObject, public FeatureSwitch {
    Q_OBJECT
public:
    struct Stored {
        const char* key;
        bool isOnByDefault; // also what a damaged value reads as
        Capability needed;
    };

    // Reads the stored choice; writes nothing and leaves the monitor alone.
    FeatureToggle(Platform& platform, FeatureMonitor& monitor, Stored stored, QObject* parent = nullptr);

    bool isEnabled() const { return m_isEnabled; }
    // Only a real change writes and touches the monitor.
    void setEnabled(bool isEnabled);

    void applyStartRule() override;

signals:
    void isEnabledChanged(bool isEnabled);

private:
    Platform& m_platform;
    FeatureMonitor& m_monitor;
    const Stored m_stored;
    bool m_isEnabled = false;
};

} // namespace corvane

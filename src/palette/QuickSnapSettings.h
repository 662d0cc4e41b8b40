#pragma once
// Whether Quick Snap (the palette on the maximize button) is on. Only Corvane's own settings record it: no
// desktop setting on Linux asks applications for a menu of their own on the maximize button.

#include "control/FeatureMonitor.h"
#include "control/FeatureSwitch.h"
#include "platform/Platform.h"

#include <QObject>

namespace corvane {

class QuickSnapSettings : public QObject, public FeatureSwitch {
    Q_OBJECT
public:
    // Reads the stored choice; writes nothing and leaves the monitor alone.
    QuickSnapSettings(Platform& platform, FeatureMonitor& monitor, QObject* parent = nullptr);

    bool isEnabled() const { return m_isEnabled; }
    // Only a real change writes and touches the monitor.
    void setEnabled(bool isEnabled);

    void applyStartRule() override;

signals:
    void isEnabledChanged(bool isEnabled);

private:
    Platform& m_platform;
    FeatureMonitor& m_monitor;
    bool m_isEnabled = false;
};

} // namespace corvane

#include "FeatureToggle.h"

namespace corvane {

FeatureToggle::FeatureToggle(Platform& platform, FeatureMonitor& monitor, Stored stored, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_monitor(monitor)
    , m_stored(stored)
    , m_isEnabled(platform.defaults.boolean(stored.key).value_or(stored.isOnByDefault)) {}

void FeatureToggle::setEnabled(bool isEnabled) {
    if (isEnabled == m_isEnabled)
        return;
    m_isEnabled = isEnabled;
    emit isEnabledChanged(isEnabled);
    m_platform.defaults.setBool(m_stored.key, isEnabled);
    applyStartRule();
}

void FeatureToggle::applyStartRule() {
    applyMonitorStartRule(m_isEnabled && m_platform.capabilities.testFlag(m_stored.needed),
                          m_platform.accessibility.isProcessTrusted(), m_monitor);
}

} // namespace corvane

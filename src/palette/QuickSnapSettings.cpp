#include "QuickSnapSettings.h"

namespace corvane {

namespace {
constexpr auto kEnabledKey = "zoomPaletteEnabled";
} // namespace

QuickSnapSettings::QuickSnapSettings(Platform& platform, FeatureMonitor& monitor, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_monitor(monitor)
    , m_isEnabled(platform.defaults.boolean(kEnabledKey).value_or(false)) {}

void QuickSnapSettings::setEnabled(bool isEnabled) {
    if (isEnabled == m_isEnabled)
        return;
    m_isEnabled = isEnabled;
    emit isEnabledChanged(isEnabled);
    m_platform.defaults.setBool(kEnabledKey, isEnabled);
    applyStartRule();
}

void QuickSnapSettings::applyStartRule() {
    applyMonitorStartRule(m_isEnabled, m_platform.accessibility.isProcessTrusted(), m_monitor);
}

} // namespace corvane

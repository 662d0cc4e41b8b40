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

// A desktop where the pointer on a maximize button cannot be seen gets no monitor, whatever the stored
// choice (kept for the desktops where it can).
void QuickSnapSettings::applyStartRule() {
    applyMonitorStartRule(m_isEnabled && m_platform.capabilities.testFlag(Capability::MaximizeButtonPalette),
                          m_platform.accessibility.isProcessTrusted(), m_monitor);
}

} // namespace corvane

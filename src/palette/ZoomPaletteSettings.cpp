#include "ZoomPaletteSettings.h"

namespace corvane {

namespace {
constexpr auto kEnabledKey = "zoomPaletteEnabled";
} // namespace

ZoomPaletteSettings::ZoomPaletteSettings(Platform& platform, FeatureMonitor& monitor, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_monitor(monitor)
    , m_isEnabled(platform.defaults.boolean(kEnabledKey).value_or(false)) {}

void ZoomPaletteSettings::setEnabled(bool isEnabled) {
    if (isEnabled == m_isEnabled)
        return;
    m_isEnabled = isEnabled;
    emit isEnabledChanged(isEnabled);
    m_platform.defaults.setBool(kEnabledKey, isEnabled);
    // Turning the palette off removes the key, so the desktop's own default applies again.
    Defaults& global = m_platform.globalPreferences;
    if (isEnabled)
        global.setBool(kZoomButtonShowMenuKey, false);
    else
        global.removeObject(kZoomButtonShowMenuKey);
    global.synchronize();
    applyStartRule();
}

void ZoomPaletteSettings::applyStartRule() {
    applyMonitorStartRule(m_isEnabled, m_platform.accessibility.isProcessTrusted(), m_monitor);
}

} // namespace corvane

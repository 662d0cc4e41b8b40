#include "WindowController.h"

#include "platform/common/Log.h"

namespace corvane {

WindowController::WindowController(Platform& platform, GlobalKeyMonitor& keyMonitor, FeatureSwitch& dragSnap,
                                   FeatureSwitch& palette, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_keyMonitor(keyMonitor)
    , m_dragSnap(dragSnap)
    , m_palette(palette) {
    qCDebug(lcGeneral) << "WindowController initializing";
    m_platform.application.setApplicationIconNamed(QStringLiteral("AppIcon"));
    connect(&m_presets, &PresetStore::presetNameReleased, &m_hotkeys, &HotkeyTable::releaseLayoutName);
    connect(&m_presets, &PresetStore::presetNameReleased, &m_cycle, &ZoneCycle::releaseLayoutName);
    startKeyMonitor();
    applyFeatureStartRules();
    m_platform.runLoop.post(
        this, [this] { m_platform.application.setActivationPolicy(ActivationPolicy::Accessory); });
    connect(&m_trust, &AccessTrust::isTrustedChanged, this, &WindowController::trustChanged);
    connect(&m_platform.application, &Application::windowWillClose, this, [this](QObject* window) {
        if (window && window == m_settingsWindow)
            m_platform.application.setActivationPolicy(ActivationPolicy::Accessory);
    });
}

WindowController::~WindowController() {
    m_keyMonitor.stop();
}

void WindowController::startKeyMonitor() {
    m_keyMonitor.start([self = QPointer<WindowController>(this)](const Event& event) {
        if (self)
            self->handleKeyEvent(event);
    });
}

void WindowController::applyFeatureStartRules() {
    m_dragSnap.applyStartRule();
    m_palette.applyStartRule();
}

void WindowController::trustChanged(bool isTrusted) {
    // Losing access stops no monitor.
    if (!isTrusted)
        return;
    startKeyMonitor();
    applyFeatureStartRules();
    qCInfo(lcGeneral) << "Accessibility granted, hotkeys re-armed";
}

void WindowController::handleKeyEvent(const Event& event) {
    // A chord being recorded in the settings window is not acted on.
    if (m_platform.keyGrabs.isKeyboardGrabbed())
        return;
    const std::optional<HotkeyAction> action = m_hotkeys.actionOf(event);
    if (!action)
        return;
    if (const std::optional<int> number = layoutNumber(*action)) {
        const QString name = m_hotkeys.assignments().value(*number);
        if (!name.isEmpty())
            m_cycle.applyLayout(name);
        return;
    }
    const qint64 direction = *action == HotkeyAction::Previous ? -1 : 1;
    if (m_cycle.isActive())
        m_cycle.cycleZone(direction);
    else
        m_cycle.moveToAdjacentScreen(direction);
}

} // namespace corvane

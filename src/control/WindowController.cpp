#include "WindowController.h"

#include "platform/common/Log.h"

namespace corvane {

WindowController::WindowController(Platform& platform, FrameWriteQueue& frameWrites, FeatureSwitch& dragSnap,
                                   FeatureSwitch& palette, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_dragSnap(dragSnap)
    , m_palette(palette)
    , m_placer(platform, frameWrites) {
    qCDebug(lcGeneral) << "WindowController initializing";
    m_platform.application.setApplicationIconNamed(QStringLiteral("AppIcon"));
    connect(&m_presets, &PresetStore::presetNameReleased, &m_hotkeys, &HotkeyTable::releaseLayoutName);
    connect(&m_presets, &PresetStore::presetNameReleased, &m_cycle, &ZoneCycle::releaseLayoutName);
    connect(&m_platform.shortcuts, &Shortcuts::triggered, this, [this](int id) {
        qCDebug(lcGeneral) << "Hotkey" << id;
        act(HotkeyAction(id));
    });
    connect(&m_hotkeys, &HotkeyTable::chordsChanged, this, &WindowController::registerShortcuts);
    registerShortcuts();
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
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i)
        m_platform.shortcuts.clearShortcut(int(i));
}

void WindowController::registerShortcuts() {
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i)
        m_platform.shortcuts.setShortcut(int(i), m_hotkeys.chords()[i]);
}

void WindowController::applyFeatureStartRules() {
    m_dragSnap.applyStartRule();
    m_palette.applyStartRule();
}

void WindowController::trustChanged(bool isTrusted) {
    // Losing access stops no monitor.
    if (!isTrusted)
        return;
    registerShortcuts();
    applyFeatureStartRules();
    qCInfo(lcGeneral) << "Accessibility granted, hotkeys re-armed";
}

void WindowController::act(HotkeyAction action) {
    if (const std::optional<int> number = layoutNumber(action)) {
        const QString name = m_hotkeys.assignments().value(*number);
        if (!name.isEmpty())
            m_cycle.applyLayout(name);
        return;
    }
    const qint64 direction = action == HotkeyAction::Previous ? -1 : 1;
    if (m_cycle.isActive())
        m_cycle.cycleZone(direction);
    else
        m_cycle.moveToAdjacentScreen(direction);
}

} // namespace corvane

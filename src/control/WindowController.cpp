#include "WindowController.h"

#include "platform/common/Log.h"

namespace corvane {

namespace {

// The direction of a move to the neighbouring zone or of a swap with it.
std::optional<ZoneDirection> zoneDirection(HotkeyAction action) {
    switch (action) {
    case HotkeyAction::ZoneLeft:
    case HotkeyAction::SwapLeft:
        return ZoneDirection::Left;
    case HotkeyAction::ZoneRight:
    case HotkeyAction::SwapRight:
        return ZoneDirection::Right;
    case HotkeyAction::ZoneUp:
    case HotkeyAction::SwapUp:
        return ZoneDirection::Up;
    case HotkeyAction::ZoneDown:
    case HotkeyAction::SwapDown:
        return ZoneDirection::Down;
    default:
        return std::nullopt;
    }
}

} // namespace

WindowController::WindowController(Platform& platform, FrameWriteQueue& frameWrites,
                                   ZoneSpacingSettings& zoneSpacing, FeatureSwitch& dragSnap,
                                   FeatureSwitch& palette, ExcludedApplications& excluded,
                                   ZoneNavigator::ScreenLayout screenLayout, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_zoneSpacing(zoneSpacing)
    , m_dragSnap(dragSnap)
    , m_palette(palette)
    , m_excluded(excluded)
    , m_placer(platform, frameWrites, zoneSpacing, excluded)
    , m_zoneTracker(platform, frameWrites)
    , m_zoneMemory(platform, frameWrites, m_zoneTracker)
    , m_navigator(
          platform, m_presets, m_placer, m_zoneTracker,
          screenLayout ? std::move(screenLayout) : [](const Screen&) { return QString(); })
    , m_swapper(platform, m_placer, m_zoneTracker, excluded)
    , m_resizer(platform, frameWrites, m_zoneTracker, zoneSpacing, excluded, m_resizeSettings) {
    qCDebug(lcGeneral) << "WindowController initializing";
    m_platform.application.setApplicationIconNamed(QStringLiteral("AppIcon"));
    connect(&m_presets, &PresetStore::presetNameReleased, &m_hotkeys, &HotkeyTable::releaseLayoutName);
    connect(&m_presets, &PresetStore::presetNameReleased, &m_cycle, &ZoneCycle::releaseLayoutName);
    connect(&m_platform.shortcuts, &Shortcuts::triggered, this, [this](int id) {
        qCDebug(lcGeneral) << "Hotkey" << id;
        act(HotkeyAction(id));
    });
    connect(&m_platform.shortcuts, &Shortcuts::chordChangedOnDesktop, this,
            &WindowController::followDesktopChord);
    connect(&m_hotkeys, &HotkeyTable::chordsChanged, this, &WindowController::registerShortcuts);
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i)
        m_platform.shortcuts.nameShortcut(int(i), hotkeyShortcutName(HotkeyAction(i)));
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
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i) {
        const std::optional<KeyChord>& chord = m_hotkeys.chords()[i];
        if (m_registered[i] == chord)
            continue;
        m_registered[i] = chord;
        if (chord)
            m_platform.shortcuts.setShortcut(int(i), *chord);
        else
            m_platform.shortcuts.clearShortcut(int(i));
    }
}

void WindowController::followDesktopChord(int id, std::optional<KeyChord> chord) {
    if (id < 0 || id >= kHotkeyActionCount)
        return;
    // The desktop has it so already: nothing to tell it back.
    m_registered[id] = chord;
    if (!chord)
        qCInfo(lcGeneral) << "Hotkey" << id << "has no chord in the desktop's settings";
    HotkeyChords chords = m_hotkeys.chords();
    chords[id] = chord;
    m_hotkeys.setChords(chords);
}

void WindowController::applyFeatureStartRules() {
    m_dragSnap.applyStartRule();
    m_palette.applyStartRule();
    m_resizeSettings.applyStartRule();
    m_raiseSettings.applyStartRule();
}

void WindowController::trustChanged(bool isTrusted) {
    // Losing access stops no monitor.
    if (!isTrusted)
        return;
    m_registered.fill(std::nullopt);
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
    if (const std::optional<ZoneDirection> direction = zoneDirection(action)) {
        if (isZoneSwap(action))
            m_swapper.swapWithNeighbour(*direction);
        else
            m_navigator.moveToNeighbourZone(*direction);
        return;
    }
    if (action == HotkeyAction::QuickSnap) {
        emit quickSnapRequested();
        return;
    }
    const qint64 direction = action == HotkeyAction::Previous ? -1 : 1;
    if (m_cycle.isActive())
        m_cycle.cycleZone(direction);
    else
        m_cycle.moveToAdjacentScreen(direction);
}

} // namespace corvane

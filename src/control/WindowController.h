#pragma once
// Holds the pieces that act on windows and wires them at start-up: the preset store, the hotkey
// tables, the placer, cycle mode, the neighbours resized together, the groups brought to the front
// together, accessibility trust and the login item. It gives the hotkeys' chords to the platform's
// shortcuts, follows a chord the user changes in the desktop's settings, and turns each one fired into
// a placement, re-arms the hotkeys and the feature monitors when access is granted, and repairs what
// names a deleted preset. Callers take the piece they need.

#include "control/AccessTrust.h"
#include "control/FeatureSwitch.h"
#include "control/GroupRaiseSettings.h"
#include "control/GroupRaiser.h"
#include "control/HotkeyTable.h"
#include "control/LaunchAtLogin.h"
#include "control/NeighbourResizer.h"
#include "control/PresetStore.h"
#include "control/WindowPlacer.h"
#include "control/ZoneCycle.h"
#include "control/ZoneMemory.h"
#include "control/ZoneNavigator.h"
#include "control/ZoneSwapper.h"
#include "platform/Platform.h"

#include <QObject>
#include <QPointer>
#include <optional>

namespace corvane {

class WindowController : public QObject {
    Q_OBJECT
public:
    // Runs the whole start-up: the features' settings must exist already. `screenLayout` names the
    // layout each screen offers the moves to the neighbouring zone (none: no such moves).
    WindowController(Platform& platform, FrameWriteQueue& frameWrites, ZoneSpacingSettings& zoneSpacing,
                     FeatureSwitch& dragSnap, FeatureSwitch& palette, ExcludedApplications& excluded,
                     ZoneNavigator::ScreenLayout screenLayout = {}, QObject* parent = nullptr);
    ~WindowController() override;

    AccessTrust& trust() { return m_trust; }
    PresetStore& presets() { return m_presets; }
    HotkeyTable& hotkeys() { return m_hotkeys; }
    WindowPlacer& placer() { return m_placer; }
    ZoneSpacingSettings& zoneSpacing() { return m_zoneSpacing; }
    ZoneCycle& cycle() { return m_cycle; }
    ExcludedApplications& excludedApplications() { return m_excluded; }
    ZoneTracker& zoneTracker() { return m_zoneTracker; }
    ZoneMemory& zoneMemory() { return m_zoneMemory; }
    ZoneNavigator& navigator() { return m_navigator; }
    ZoneSwapper& swapper() { return m_swapper; }
    NeighbourResizer& neighbourResizer() { return m_resizer; }
    NeighbourResizeSettings& neighbourResizeSettings() { return m_resizeSettings; }
    GroupRaiser& groupRaiser() { return m_raiser; }
    GroupRaiseSettings& groupRaiseSettings() { return m_raiseSettings; }
    LaunchAtLogin& launchAtLogin() { return m_launchAtLogin; }

    // How the window manager lays out its title-bar buttons, for the settings' picture of them.
    std::optional<ButtonLayout> titleButtonLayout() const { return m_platform.workspace.titleButtonLayout(); }
    // Closing this window makes Corvane an accessory again, out of the taskbar.
    void setSettingsWindow(QObject* window) { m_settingsWindow = window; }

signals:
    // The Quick Snap chord was pressed: the palette opens for the active window, or closes.
    void quickSnapRequested();

private:
    // Gives each hotkey whose chord changed its chord from the table.
    void registerShortcuts();
    // Takes a chord the user gave in the desktop's settings as the table's, without giving it back.
    void followDesktopChord(int id, std::optional<KeyChord> chord);
    void act(HotkeyAction action);
    void applyFeatureStartRules();
    void trustChanged(bool isTrusted);

    Platform& m_platform;
    ZoneSpacingSettings& m_zoneSpacing;
    FeatureSwitch& m_dragSnap;
    FeatureSwitch& m_palette;
    ExcludedApplications& m_excluded;
    AccessTrust m_trust{m_platform};
    PresetStore m_presets{m_platform.defaults};
    HotkeyTable m_hotkeys{m_platform.defaults};
    WindowPlacer m_placer;
    ZoneCycle m_cycle{m_platform.runLoop, m_presets, m_placer};
    ZoneTracker m_zoneTracker;
    ZoneMemory m_zoneMemory;
    ZoneNavigator m_navigator;
    ZoneSwapper m_swapper;
    NeighbourResizer m_resizer; // reads its settings only once started
    NeighbourResizeSettings m_resizeSettings{m_platform, m_resizer};
    GroupRaiser m_raiser{m_platform, m_zoneTracker};
    GroupRaiseSettings m_raiseSettings{m_platform, m_raiser};
    LaunchAtLogin m_launchAtLogin{m_platform.loginItem};
    QPointer<QObject> m_settingsWindow;
    // The chord each hotkey was last given, or that the desktop has: set again only when it changes.
    std::array<std::optional<KeyChord>, kHotkeyActionCount> m_registered;
};

} // namespace corvane

#pragma once
// The one central object: it finds the window the user is working in, places it into zones,
// keeps the presets and the hotkey table, and follows accessibility access. Its frame writes go
// through one ordered queue on the background queue (FrameWriteQueue); everything else runs on
// the main thread.
//
// The class spans WindowController.cpp (placing and cycling), WindowControllerPresets.cpp (the
// preset store and the hotkey table) and WindowControllerLifecycle.cpp (start-up, access, login
// item, icon): one object, three concerns, each file short enough to read.

#include "control/FeatureSwitch.h"
#include "control/FrameWriteQueue.h"
#include "control/WindowAccess.h"
#include "input/GlobalKeyMonitor.h"
#include "input/HotkeyChords.h"
#include "input/HotkeyRules.h"
#include "model/GridSpan.h"
#include "model/Preset.h"
#include "model/SnapLayout.h"
#include "platform/Platform.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

namespace corvane {

inline constexpr auto kPresetsKey = "corvanePresets";

// What a placing operation did at once. Requested: a frame write is on the background queue, and its
// outcome reaches the WriteDone given with it. Anything else: nothing was written, and WriteDone is
// not called.
enum class Placement {
    Requested,
    NoTargetWindow,
    NoOtherScreen,          // a screen move with one screen, or from a screen without a usable area
    UnknownLayout,          // no layout with zones and no size preset of that name
    NoSuchZone,             // the layout has fewer zones
    NoCycledLayout,         // no layout was applied yet to step through
    NothingToRestore,       // the target window has no frame remembered from before Corvane placed it
    InvalidRememberedFrame, // what the window remembered is no frame a window can have: it was removed
};
inline constexpr auto kHasPromptedForAccessibilityKey = "hasPromptedForAccessibility";

class WindowController : public QObject {
    Q_OBJECT
public:
    // Runs the whole start-up: the features' settings must exist already.
    WindowController(Platform& platform, GlobalKeyMonitor& keyMonitor, FeatureSwitch& dragSnap,
                     FeatureSwitch& palette, QObject* parent = nullptr);
    ~WindowController() override;

    // Published state.
    const QList<Preset>& presets() const { return m_presets; }
    bool isAccessibilityTrusted() const { return m_isAccessibilityTrusted; }
    const HotkeyAssignments& hotkeyAssignments() const { return m_hotkeyAssignments; }
    void setHotkeyAssignments(HotkeyAssignments assignments);
    const HotkeyChords& hotkeyChords() const { return m_hotkeyChords; }
    // Stored at once.
    void setHotkeyChords(const HotkeyChords& chords);
    bool launchAtLogin() const;
    void setLaunchAtLogin(bool isOn);
    const QImage& menuBarIcon();

    const std::optional<RunningApplication>& lastActiveApp() const { return m_lastActiveApp; }
    bool isCyclingActive() const { return m_isCyclingActive; }
    const std::optional<QString>& lastActiveLayoutName() const { return m_lastActiveLayoutName; }
    qint64 currentZoneIndex() const { return m_currentZoneIndex; }
    bool hasCycleTimeoutTimer() const { return m_cycleTimeoutTimer != nullptr; }
    bool hasPermissionPollTimer() const { return m_permissionPollTimer != nullptr; }
    static constexpr double cycleTimeoutSeconds = 5.0;

    // The target window.
    std::optional<QRectF> focusedWindowFrame();
    // False when nothing was queued (no screens).
    bool setFocusedWindowFrame(const QRectF& frame, const Screen& screen, WriteDone done = {},
                               RememberedFrame remembered = RememberedFrame::Keep);

    // Placing and cycling. Each acts on the target window; `done` hears how a requested write went.
    std::optional<SnapLayout> layout(const QString& name) const;
    Placement snapFocusedWindow(const QRectF& fraction, std::optional<Screen> screen = std::nullopt,
                                WriteDone done = {});
    Placement resizeFocusedWindow(double width, double height, WriteDone done = {});
    Placement applyLayout(const QString& name, WriteDone done = {});
    // Zone `index` (from 0, in the layout's order) of a layout, entering cycle mode there as
    // applyLayout does at zone 0.
    Placement snapToZone(const QString& name, qint64 index, WriteDone done = {});
    Placement cycleZone(qint64 step, WriteDone done = {});
    Placement moveToAdjacentScreen(qint64 step, WriteDone done = {});
    // The target window back to the frame it had before Corvane first placed it, which it then forgets.
    Placement restoreFocusedWindow(WriteDone done = {});
    void restartCycleTimeout();
    void endCycle();

    // Presets.
    void loadPresets();
    void savePresets();
    std::optional<QString> validatePresetName(const QString& typedName) const;
    // True when the preset was added, so the settings view clears what was typed.
    bool addSizePreset(const QString& typedName, double width, double height);
    bool addGridPreset(const QString& typedName, qint64 rows, qint64 cols, const QList<GridSpan>& merges);
    void deletePreset(const QUuid& id);

    // Hotkeys.
    void handleKeyEvent(const Event& event);
    HotkeyAssignments loadHotkeyAssignments() const;
    void saveHotkeyAssignments();

    // Access.
    void requestAccessibility();
    void openAccessibilitySettings();
    // Whether there is anything for openAccessibilitySettings() to open (a copy run from its build
    // folder has no installed help).
    bool canOpenAccessibilitySettings() const;
    // How the window manager lays out its title-bar buttons, for the settings' picture of them.
    std::optional<ButtonLayout> titleButtonLayout() const { return m_platform.workspace.titleButtonLayout(); }
    void refreshAccessibilityTrust();
    void applyAccessibilityTrust(bool isTrusted);
    void startPermissionPolling();

    // Notifications.
    void appDidActivate(std::optional<RunningApplication> application);
    void checkPermissions();
    void accessibilityAPIChanged();
    void settingsWindowWillClose(QObject* window);
    void setSettingsWindow(QObject* window) { m_settingsWindow = window; }

signals:
    void presetsChanged();
    void isAccessibilityTrustedChanged(bool isTrusted);
    void hotkeyAssignmentsChanged();
    void hotkeyChordsChanged();
    void launchAtLoginChanged();
    // A deleted preset's name no longer names anything; holders of it by name repair it.
    void presetNameReleased(const QString& name);

private:
    // The applications whose focused window is the target, in the order tried: the one last active,
    // then the frontmost; never this process.
    QList<RunningApplication> targetCandidates() const;
    // The target window, found on the main thread when a placement is asked for: later key presses
    // may change the focus before the write runs, and the write is to land where this one was meant.
    // A candidate without a focused window is passed over, and where the placement builds on the
    // window's frame, one whose frame cannot be read too.
    struct Target {
        AxElement window;
        RunningApplication application;
        QRectF frame; // screen coordinates; empty unless it was needed
    };
    std::optional<Target> target(bool isFrameNeeded = true);
    void requestWrite(const Target& target, const QRectF& frame, const Screen& screen, WriteDone done,
                      RememberedFrame remembered = RememberedFrame::Keep);
    Placement enterCycle(const QString& name, const SnapLayout& layout, qint64 index, WriteDone done);
    void startKeyMonitor();
    void applyFeatureStartRules();
    void setPresets(QList<Preset> presets);
    bool appendPreset(Preset preset);

    Platform& m_platform;
    GlobalKeyMonitor& m_keyMonitor;
    FeatureSwitch& m_dragSnap;
    FeatureSwitch& m_palette;

    QList<Preset> m_presets;
    bool m_isAccessibilityTrusted = false;
    HotkeyAssignments m_hotkeyAssignments;
    HotkeyChords m_hotkeyChords;
    std::optional<RunningApplication> m_lastActiveApp;
    std::unique_ptr<Timer> m_cycleTimeoutTimer;
    bool m_isCyclingActive = false;
    std::optional<QString> m_lastActiveLayoutName;
    qint64 m_currentZoneIndex = 0;
    std::unique_ptr<Timer> m_permissionPollTimer;
    std::optional<QImage> m_menuBarIcon;
    QPointer<QObject> m_settingsWindow;
    FrameWriteQueue m_writes{m_platform};
};

} // namespace corvane

#pragma once
// The program: builds every long-lived object once, in start-up order, on the given platform, and
// shows the tray icon, whose click opens the panel next to it. While the desktop has no system tray
// the panel is a small window instead; Corvane moves between the two as trays come and go. The one
// place that knows all the pieces.

#include "app/MenuBarView.h"
#include "app/SettingsWindowManager.h"
#include "app/UpdaterController.h"
#include "control/WindowController.h"
#include "dragsnap/DragSnapMonitor.h"
#include "dragsnap/DragSnapSettings.h"
#include "dragsnap/SnapPreviewOverlay.h"
#include "input/HotkeyGrabs.h"
#include "palette/DrawnQuickSnap.h"
#include "palette/QuickSnapChord.h"
#include "palette/QuickSnapMonitor.h"
#include "palette/QuickSnapPanel.h"
#include "palette/QuickSnapSettings.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <memory>

namespace corvane {

class CorvaneApp : public QObject {
    Q_OBJECT
public:
    explicit CorvaneApp(Platform& platform);
    ~CorvaneApp() override;

    WindowController& controller() { return *m_controller; }
    FrameWriteQueue& frameWrites() { return m_frameWrites; }
    // Runs `then` once the pointer's events sent before the call have been delivered and judged:
    // Quick Snap has opened its palette where the pointer rests, or will not.
    void whenPointerJudged(std::function<void()> then);
    // The panel as the tray shows it now: made anew whenever the tray comes or goes.
    MenuBarView& panel() { return *m_panel; }
    SettingsWindowManager& settingsWindow() { return *m_settingsWindow; }
    const QSystemTrayIcon& tray() const { return m_tray; }

    // Shows what a user asks for when they launch Corvane again: the settings window, or the panel
    // where there is no tray to open it from.
    void bringForward();
    void showSettings();
    // Opens the panel at the tray icon, or brings the panel window forward where there is no tray.
    void showPanel();

private:
    // Quick Snap's palette: drawn by the desktop's agent where it draws, else Corvane's own window.
    PalettePresenter& palette();
    // Opens the panel just below or above the tray icon, kept on the icon's screen; closes it when open.
    void togglePanelAtTray();
    // The icon in the tray and a panel as its popup, or a panel as a window of its own.
    void followSystemTray(bool isAvailable);
    // The tray panel as the desktop's overlay closes once the keyboard went elsewhere.
    void closeOverlayPanelOnFocusLoss(QWindow* focused);

    Platform& m_platform;
    bool m_isPanelFocused = false;
    FrameWriteQueue m_frameWrites;
    ZoneSpacingSettings m_zoneSpacing;
    ExcludedApplications m_excludedApps;
    SnapPreviewOverlay m_preview; // built on first show: unused where the desktop's agent draws
    DragSnapMonitor m_dragSnapMonitor;
    QuickSnapPanel m_palettePanel;
    std::unique_ptr<DrawnQuickSnap> m_drawnPalette; // where the desktop's agent draws the palette
    QuickSnapMonitor m_paletteMonitor;
    DragSnapSettings m_dragSnapSettings;
    QuickSnapSettings m_paletteSettings;
    std::unique_ptr<WindowController> m_controller;
    std::unique_ptr<QuickSnapChord> m_quickSnapChord;
    std::unique_ptr<HotkeyGrabs> m_hotkeyGrabs; // checks the controller's chords
    std::unique_ptr<UpdaterController> m_updater;
    std::unique_ptr<SettingsWindowManager> m_settingsWindow;
    std::unique_ptr<MenuBarView> m_panel;
    QMenu m_trayMenu;
    QSystemTrayIcon m_tray;
};

} // namespace corvane

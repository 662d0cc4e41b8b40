#include "CorvaneApp.h"

#include "app/SettingsView.h"
#include "app/TrayPanelPlacement.h"
#include "ui/AppIcon.h"
#include "ui/LegibleStyle.h"
#include "ui/TrayIcon.h"

#include <QApplication>
#include <QPalette>
#include <QShortcut>
#include <QWindow>
#include <utility>

namespace corvane {

CorvaneApp::CorvaneApp(Platform& platform)
    : m_platform(platform)
    , m_frameWrites(platform)
    , m_zoneSpacing(platform.defaults)
    , m_excludedApps(platform)
    , m_preview(platform)
    // Drag events reach the monitor only after start-up, when the controller exists.
    , m_dragSnapMonitor(
          platform, m_frameWrites,
          [this](const QString& name) {
              return m_controller ? m_controller->presets().layout(name) : std::nullopt;
          },
          m_dragSnapSettings, m_zoneSpacing, m_excludedApps,
          platform.agentPreview ? *platform.agentPreview : m_preview)
    , m_palettePanel(platform, m_zoneSpacing)
    , m_drawnPalette(platform.agentCanvas ? std::make_unique<DrawnQuickSnap>(*platform.agentCanvas,
                                                                             platform.screens, m_zoneSpacing)
                                          : nullptr)
    , m_paletteMonitor(platform, m_frameWrites, m_zoneSpacing, palette(), m_excludedApps)
    , m_dragSnapSettings(platform, m_dragSnapMonitor)
    , m_paletteSettings(platform, m_paletteMonitor) {
    QApplication::setStyle(new LegibleStyle(QApplication::style()->name()));
    m_dragSnapMonitor.setRowPalette(&palette());
    // The layout a screen offers the moves to the neighbouring zone: the one dragging offers there.
    const auto screenLayout = [this](const Screen& screen) {
        return m_dragSnapSettings.layoutNameFor(screen);
    };
    m_controller =
        std::make_unique<WindowController>(platform, m_frameWrites, m_zoneSpacing, m_dragSnapSettings,
                                           m_paletteSettings, m_excludedApps, screenLayout);
    m_dragSnapMonitor.setSwapper(&m_controller->swapper());
    m_dragSnapMonitor.setNeighbourResizer(&m_controller->neighbourResizer());
    const SwapChoice swap{&m_controller->swapper(), [this] { return m_dragSnapSettings.swapsOnDrop(); }};
    m_paletteMonitor.setSwapChoice(swap);
    m_quickSnapChord = std::make_unique<QuickSnapChord>(platform, m_controller->placer(), m_frameWrites,
                                                        m_zoneSpacing, palette());
    m_quickSnapChord->setSwapChoice(swap);
    connect(m_controller.get(), &WindowController::quickSnapRequested, m_quickSnapChord.get(),
            &QuickSnapChord::toggle);
    HotkeyTable& hotkeys = m_controller->hotkeys();
    m_hotkeyGrabs = std::make_unique<HotkeyGrabs>(platform, hotkeys.chords());
    connect(&hotkeys, &HotkeyTable::chordsChanged, m_hotkeyGrabs.get(),
            [this, &hotkeys] { m_hotkeyGrabs->setChords(hotkeys.chords()); });
    connect(&m_controller->presets(), &PresetStore::presetNameReleased, &m_dragSnapSettings,
            &DragSnapSettings::releaseLayoutName);
    m_updater = std::make_unique<UpdaterController>(platform.updater);
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(QIcon(appIconPixmap(TrayIcon::glyph(), 64, QApplication::palette())));

    m_settingsWindow = std::make_unique<SettingsWindowManager>(platform, [this]() -> QWidget* {
        return new SettingsView(*m_controller, m_dragSnapSettings, m_paletteSettings, *m_hotkeyGrabs,
                                m_platform.capabilities, m_platform.desktopAgent, m_platform.edgeTiling);
    });
    m_controller->setSettingsWindow(m_settingsWindow->window());

    // Where a click on the icon opens this menu (GNOME's AppIndicator extension), the panel is one entry
    // away.
    m_trayMenu.addAction(tr("Open Corvane"), this, [this] { showPanel(); });
    m_trayMenu.addAction(tr("Settings…"), this, [this] { m_settingsWindow->show(); });
    m_trayMenu.addAction(tr("Quit Corvane"), this, [this] { m_platform.application.terminate(); });
    m_tray.setContextMenu(&m_trayMenu);
    m_tray.setIcon(TrayIcon::icon(QApplication::palette()));
    m_tray.setToolTip(QStringLiteral("Corvane"));
    connect(&m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            togglePanelAtTray();
    });
    connect(&platform.application, &Application::systemTrayAvailabilityDidChange, this,
            &CorvaneApp::followSystemTray);
    followSystemTray(platform.application.isSystemTrayAvailable());
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &CorvaneApp::closeOverlayPanelOnFocusLoss);
}

PalettePresenter& CorvaneApp::palette() {
    if (m_drawnPalette)
        return *m_drawnPalette;
    return m_palettePanel;
}

void CorvaneApp::followSystemTray(bool isAvailable) {
    // Made anew for each way it is shown: a window once made an overlay of the desktop's stays one,
    // and as the window of its own it would float over every other, with no title bar.
    m_panel = std::make_unique<MenuBarView>(
        *m_controller, *m_updater, m_platform.application,
        [this] {
            if (m_panel->windowFlags().testFlag(Qt::Popup))
                m_panel->hide();
            m_settingsWindow->show();
        },
        m_platform.desktopAgent);
    m_panel->setWindowTitle(QStringLiteral("Corvane"));
    m_isPanelFocused = false;
    if (isAvailable && m_platform.overlayWindows) {
        // Where a popup cannot choose its place, the panel is an overlay of the desktop's, closed when
        // it loses the keyboard as a popup is by a click elsewhere, and by Escape as a popup is.
        m_panel->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        m_platform.overlayWindows->adopt(*m_panel, OverlayKind::Panel);
        new QShortcut(QKeySequence(Qt::Key_Escape), m_panel.get(), m_panel.get(), &QWidget::hide);
        m_tray.show();
    } else if (isAvailable) {
        // A popup closes on a click elsewhere, like a menu, and never takes the target's focus.
        m_panel->setWindowFlags(Qt::Popup);
        m_tray.show();
    } else {
        // Without a tray the panel is the way in: a window of its own, shown at once.
        m_tray.hide();
        m_panel->show();
    }
}

void CorvaneApp::whenPointerJudged(std::function<void()> then) {
    m_platform.events.whenPointerCaughtUp(
        [this, then = std::move(then)]() mutable { m_paletteMonitor.whenJudged(std::move(then)); });
}

void CorvaneApp::bringForward() {
    if (m_tray.isVisible())
        showSettings();
    else
        showPanel();
}

void CorvaneApp::showSettings() {
    m_settingsWindow->show();
}

void CorvaneApp::showPanel() {
    if (m_tray.isVisible()) {
        if (!m_panel->isVisible())
            togglePanelAtTray();
        return;
    }
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
}

void CorvaneApp::togglePanelAtTray() {
    if (m_panel->isVisible()) {
        m_panel->hide();
        return;
    }
    const QSize size(MenuBarView::width, MenuBarView::height);
    if (const std::optional<QPoint> origin = panelOriginAtTray(m_platform.screens, m_tray.geometry(), size)) {
        if (m_platform.overlayWindows)
            m_platform.overlayWindows->place(*m_panel, QRect(*origin, size));
        else
            m_panel->move(*origin);
    }
    m_panel->show();
    if (m_platform.overlayWindows)
        m_panel->activateWindow();
}

void CorvaneApp::closeOverlayPanelOnFocusLoss(QWindow* focused) {
    QWindow* panel = m_panel->windowHandle();
    if (!m_platform.overlayWindows || !m_tray.isVisible() || !panel)
        return;
    if (focused == panel || (focused && focused->transientParent() == panel)) {
        m_isPanelFocused = true;
        return;
    }
    if (std::exchange(m_isPanelFocused, false))
        m_panel->hide();
}

CorvaneApp::~CorvaneApp() = default;

} // namespace corvane

#pragma once
// The program: builds every long-lived object once, in start-up order, on the given platform, and
// shows the tray icon. The one place that knows all the pieces.

#include "control/WindowController.h"
#include "dragsnap/DragSnapMonitor.h"
#include "dragsnap/DragSnapSettings.h"
#include "dragsnap/SnapPreviewOverlay.h"
#include "input/GlobalKeyMonitor.h"
#include "palette/ZoomPaletteMonitor.h"
#include "palette/ZoomPalettePanel.h"
#include "palette/ZoomPaletteSettings.h"

#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>
#include <memory>

namespace corvane {

class CorvaneApp : public QObject {
    Q_OBJECT
public:
    explicit CorvaneApp(Platform& platform);
    ~CorvaneApp() override;

    WindowController& controller() { return *m_controller; }

private:
    QIcon trayIcon();
    void showTrayStandIn();

    Platform& m_platform;
    GlobalKeyMonitor m_keyMonitor;
    SnapPreviewOverlay m_preview;
    DragSnapMonitor m_dragSnapMonitor;
    ZoomPalettePanel m_palettePanel;
    ZoomPaletteMonitor m_paletteMonitor;
    DragSnapSettings m_dragSnapSettings;
    ZoomPaletteSettings m_paletteSettings;
    std::unique_ptr<WindowController> m_controller;
    QMenu m_trayMenu;
    QSystemTrayIcon m_tray;
    // With no system tray on the desktop, a small window keeps Corvane reachable.
    std::unique_ptr<QWidget> m_trayStandIn;
};

} // namespace corvane

#include "CorvaneApp.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

namespace corvane {

CorvaneApp::CorvaneApp(Platform& platform)
    : m_platform(platform)
    , m_keyMonitor(platform.events)
    , m_dragSnapSettings(platform, m_dragSnapMonitor)
    , m_paletteSettings(platform, m_paletteMonitor) {
    m_controller =
        std::make_unique<WindowController>(platform, m_keyMonitor, m_dragSnapSettings, m_paletteSettings);
    connect(m_controller.get(), &WindowController::presetNameReleased, &m_dragSnapSettings,
            &DragSnapSettings::releaseLayoutName);
    platform.updater.start();

    m_trayMenu.addAction(tr("Quit Corvane"), this, [this] { m_platform.application.terminate(); });
    m_tray.setContextMenu(&m_trayMenu);
    m_tray.setIcon(trayIcon());
    m_tray.setToolTip(QStringLiteral("Corvane"));
    m_tray.show();
}

CorvaneApp::~CorvaneApp() = default;

QIcon CorvaneApp::trayIcon() {
    // The icon is a shape: draw it in the panel's text colour so it reads on light and dark panels.
    QImage tinted = m_controller->menuBarIcon();
    QPainter painter(&tinted);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(QPointF(0, 0), tinted.deviceIndependentSize()),
                     QApplication::palette().windowText());
    painter.end();
    return QIcon(QPixmap::fromImage(tinted));
}

} // namespace corvane

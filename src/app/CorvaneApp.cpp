#include "CorvaneApp.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

CorvaneApp::CorvaneApp(Platform& platform)
    : m_platform(platform)
    , m_keyMonitor(platform.events)
    , m_preview(platform)
    // Drag events reach the monitor only after start-up, when the controller exists.
    , m_dragSnapMonitor(
          platform,
          [this](const QString& name) { return m_controller ? m_controller->layout(name) : std::nullopt; },
          m_dragSnapSettings, m_preview)
    , m_palettePanel(platform)
    , m_paletteMonitor(platform, m_palettePanel)
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
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        showTrayStandIn();
}

void CorvaneApp::showTrayStandIn() {
    m_trayStandIn = std::make_unique<QWidget>();
    m_trayStandIn->setWindowTitle(QStringLiteral("Corvane"));
    m_trayStandIn->setWindowIcon(trayIcon());
    auto* layout = new QVBoxLayout(m_trayStandIn.get());
    auto* text = new QLabel(tr("Corvane is running. Your desktop has no system tray, so it lives here."));
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* quit = new QPushButton(tr("Quit Corvane"));
    connect(quit, &QPushButton::clicked, this, [this] { m_platform.application.terminate(); });
    layout->addWidget(quit);
    m_trayStandIn->resize(280, 120);
    m_trayStandIn->show();
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

// A desktop panel for the KWin end-to-end tests: a layer-shell surface along the bottom of one output
// that reserves a strip of its height, as a taskbar does, so the work area KWin gives windows shrinks.
// With "tray" it also holds the session's system tray (StatusNotifierTray) in a square at its right
// end, where a click activates the tray's item.
//   corvane_test_panel [OUTPUT-INDEX [HEIGHT [tray]]]    the first output and 40 pixels by default
#include "StatusNotifierTray.h"

#include <LayerShellQt/Window>
#include <QColor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>
#include <iostream>

namespace {

class PanelWindow : public QRasterWindow {
public:
    explicit PanelWindow(StatusNotifierTray* tray)
        : m_tray(tray) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(QRect(QPoint(), size()), Qt::darkCyan);
        if (m_tray)
            painter.fillRect(trayCell(), QColor(Qt::darkCyan).lighter(130));
    }

    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        if (!m_tray || !trayCell().contains(at))
            return;
        // Qt does not know where a layer-shell surface lies: this one lies along its output's bottom.
        const QRect output = screen()->geometry();
        m_tray->activateFirstItem(at + QPoint(output.x(), output.y() + output.height() - height()));
    }

private:
    QRect trayCell() const { return QRect(width() - height(), 0, height(), height()); }

    StatusNotifierTray* m_tray;
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int output = arguments.size() > 1 ? arguments[1].toInt() : 0;
    const int height = arguments.size() > 2 ? arguments[2].toInt() : 40;
    const bool hasTray = arguments.size() > 3 && arguments[3] == QLatin1String("tray");
    const QList<QScreen*> screens = app.screens();
    if (output < 0 || output >= screens.size() || height <= 0) {
        std::cerr << "test panel: no output " << output << " of " << screens.size() << ", or no height\n";
        return 2;
    }
    StatusNotifierTray* tray = hasTray ? new StatusNotifierTray(&app) : nullptr;
    if (tray && !tray->isServing()) {
        std::cerr << "test panel: the session bus already has a system tray\n";
        return 2;
    }

    PanelWindow panel(tray);
    panel.setScreen(screens[output]);
    auto* layer = LayerShellQt::Window::get(&panel);
    layer->setScreenConfiguration(LayerShellQt::Window::ScreenFromQWindow);
    layer->setLayer(LayerShellQt::Window::LayerTop);
    layer->setAnchors({LayerShellQt::Window::AnchorBottom, LayerShellQt::Window::AnchorLeft,
                       LayerShellQt::Window::AnchorRight});
    layer->setExclusiveZone(height);
    layer->setKeyboardInteractivity(LayerShellQt::Window::KeyboardInteractivityNone);
    panel.resize(screens[output]->geometry().width(), height);
    panel.show();
    return app.exec();
}

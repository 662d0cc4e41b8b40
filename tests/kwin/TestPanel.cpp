// A desktop panel for the KWin end-to-end tests: a layer-shell surface along the bottom of one output
// that reserves a strip of its height, as a taskbar does, so the work area KWin gives windows shrinks.
//   corvane_test_panel [OUTPUT-INDEX [HEIGHT]]       the first output and 40 pixels by default
#include <LayerShellQt/Window>
#include <QColor>
#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>
#include <iostream>

namespace {

class PanelWindow : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(QRect(QPoint(), size()), Qt::darkCyan); }
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int output = arguments.size() > 1 ? arguments[1].toInt() : 0;
    const int height = arguments.size() > 2 ? arguments[2].toInt() : 40;
    const QList<QScreen*> screens = app.screens();
    if (output < 0 || output >= screens.size() || height <= 0) {
        std::cerr << "test panel: no output " << output << " of " << screens.size() << ", or no height\n";
        return 2;
    }

    PanelWindow panel;
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

#include "LayerShellOverlays.h"

#include <LayerShellQt/Window>
#include <QDebug>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace corvane {

namespace {

using LayerWindow = LayerShellQt::Window;

QString scopeOf(OverlayKind kind) {
    switch (kind) {
    case OverlayKind::Preview:
        return QStringLiteral("corvane-preview");
    case OverlayKind::Palette:
        return QStringLiteral("corvane-palette");
    case OverlayKind::Panel:
        return QStringLiteral("corvane-panel");
    }
    return {};
}

QScreen* screenAt(const QRect& geometry) {
    QScreen* screen = QGuiApplication::screenAt(geometry.center());
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

void LayerShellOverlays::adopt(QWidget& window, OverlayKind kind) {
    window.winId();
    LayerWindow* layer = LayerWindow::get(window.windowHandle());
    if (!layer)
        return;
    layer->setScope(scopeOf(kind));
    layer->setLayer(kind == OverlayKind::Panel ? LayerWindow::LayerTop : LayerWindow::LayerOverlay);
    layer->setKeyboardInteractivity(kind == OverlayKind::Panel ? LayerWindow::KeyboardInteractivityOnDemand
                                                               : LayerWindow::KeyboardInteractivityNone);
    layer->setScreenConfiguration(LayerWindow::ScreenFromQWindow);
    layer->setAnchors({LayerWindow::AnchorTop, LayerWindow::AnchorLeft});
    // Placed over panels too, measured from the screen's edge.
    layer->setExclusiveZone(-1);
    layer->setCloseOnDismissed(false);
    window.installEventFilter(this);
    connect(&window, &QObject::destroyed, this, [this, &window] { m_surfaces.remove(&window); });
}

void LayerShellOverlays::place(QWidget& window, const QRect& geometry) {
    Surface& surface = m_surfaces[&window];
    surface.geometry = geometry;
    // Only the size counts to Qt; the place is the surface's margins.
    window.setGeometry(geometry);
    if (!window.isVisible())
        return;
    if (screenAt(geometry) == surface.screen) {
        applyMargins(window, surface);
        return;
    }
    // A surface is bound to the screen it was made on: it is made again on the new one.
    window.hide();
    window.show();
}

bool LayerShellOverlays::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::Show || !window || !window->windowHandle())
        return false;
    // A widget's show event comes before its surface is made, on the window's screen.
    Surface& surface = m_surfaces[window];
    if (surface.geometry.isNull())
        surface.geometry = window->geometry();
    surface.screen = screenAt(surface.geometry);
    window->windowHandle()->setScreen(surface.screen);
    applyMargins(*window, surface);
    return false;
}

void LayerShellOverlays::applyMargins(QWidget& window, const Surface& surface) {
    LayerWindow* layer = LayerWindow::get(window.windowHandle());
    if (!layer || !surface.screen)
        return;
    const QPoint offset = surface.geometry.topLeft() - surface.screen->geometry().topLeft();
    const QMargins margins(offset.x(), offset.y(), 0, 0);
    if (layer->margins() == margins)
        return;
    layer->setMargins(margins);
    // A margin takes effect with the surface's next commit; a window that only moved draws nothing new.
    window.update();
}

} // namespace corvane

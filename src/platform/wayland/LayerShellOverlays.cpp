#include "LayerShellOverlays.h"

#include <LayerShellQt/Window>
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

QScreen* screenUnder(const QWidget& window) {
    QScreen* screen = QGuiApplication::screenAt(window.geometry().center());
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
    connect(&window, &QObject::destroyed, this, [this, &window] { m_surfaceScreens.remove(&window); });
}

bool LayerShellOverlays::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    QWindow* handle = window ? window->windowHandle() : nullptr;
    if (!handle)
        return false;
    // A widget's show event comes before its surface is made, which binds it to the screen it is on.
    if (event->type() == QEvent::Show) {
        QScreen* screen = screenUnder(*window);
        handle->setScreen(screen);
        m_surfaceScreens.insert(window, screen);
        place(*window);
    } else if (event->type() == QEvent::Move && handle->isVisible()) {
        // Qt follows a move to another screen in the window's own screen, but the surface stays where
        // it was made.
        if (screenUnder(*window) == m_surfaceScreens.value(window)) {
            place(*window);
        } else {
            // Moved to another screen: made again there, once this move is done.
            QMetaObject::invokeMethod(
                window,
                [window] {
                    window->hide();
                    window->show();
                },
                Qt::QueuedConnection);
        }
    }
    return false;
}

void LayerShellOverlays::place(QWidget& window) {
    LayerWindow* layer = LayerWindow::get(window.windowHandle());
    const QPoint offset = window.geometry().topLeft() - window.windowHandle()->screen()->geometry().topLeft();
    const QMargins margins(offset.x(), offset.y(), 0, 0);
    if (layer->margins() == margins)
        return;
    layer->setMargins(margins);
    // A margin takes effect with the surface's next commit; a window that only moved draws nothing new.
    window.update();
}

} // namespace corvane

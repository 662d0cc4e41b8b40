#include "SnapPreviewOverlay.h"

#include "control/ScreenLookup.h"

namespace corvane {

SnapPreviewOverlay::SnapPreviewOverlay(Platform& platform, QObject* parent)
    : QObject(parent)
    , m_platform(platform) {
    connect(&platform.workspace, &Workspace::didWake, this, &SnapPreviewOverlay::discardHiddenWindow);
    connect(&platform.application, &Application::screenParametersDidChange, this,
            &SnapPreviewOverlay::discardHiddenWindow);
}

SnapPreviewOverlay::~SnapPreviewOverlay() = default;

QRect SnapPreviewOverlay::toWindowGeometry(const QRectF& f) const {
    // Window geometry is in root coordinates, y down, from the primary screen's top-left.
    const double h = primaryScreenHeight(m_platform.screens);
    return QRectF(f.x(), h - (f.y() + f.height()), f.width(), f.height()).toRect();
}

void SnapPreviewOverlay::show(const QRectF& frame) {
    if (!m_window)
        m_window = std::make_unique<SnapPreviewView>(m_platform.application.isCompositing());
    const QRect geometry = toWindowGeometry(frame);
    if (m_window->geometry() != geometry)
        m_window->setGeometry(geometry);
    if (m_isVisible)
        return;
    m_isVisible = true;
    // A window above the window manager's control shows on whatever desktop is current, so it can
    // never be left behind on another one.
    m_window->show();
    m_window->raise();
    m_window->fadeTo(1.0, fadeInSeconds);
}

void SnapPreviewOverlay::hide() {
    if (!m_window || !m_isVisible)
        return;
    m_isVisible = false;
    m_window->fadeTo(0.0, fadeOutSeconds);
    m_platform.runLoop.postAfter(fadeOutSeconds, this, [this] {
        // A show during the fade keeps the window.
        if (!m_isVisible && m_window)
            m_window->hide();
    });
}

void SnapPreviewOverlay::discardHiddenWindow() {
    if (!m_isVisible && m_window)
        m_window.reset();
}

} // namespace corvane

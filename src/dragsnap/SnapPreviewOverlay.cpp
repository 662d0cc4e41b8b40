#include "SnapPreviewOverlay.h"

namespace corvane {

SnapPreviewOverlay::SnapPreviewOverlay(Platform& platform, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_fade(platform.runLoop, [this](double opacity) {
        if (m_window)
            m_window->setOpacity(opacity);
    }) {
    connect(&platform.workspace, &Workspace::didWake, this, &SnapPreviewOverlay::discardHiddenWindow);
    connect(&platform.application, &Application::screenParametersDidChange, this,
            &SnapPreviewOverlay::discardHiddenWindow);
}

SnapPreviewOverlay::~SnapPreviewOverlay() = default;

void SnapPreviewOverlay::show(const QRectF& frame) {
    if (!m_window) {
        // The desktop's overlay surfaces take no window opacity.
        m_window = std::make_unique<SnapPreviewView>(m_platform.application.isCompositing(),
                                                     m_platform.overlayWindows != nullptr);
        if (m_platform.overlayWindows) {
            m_platform.overlayWindows->adopt(*m_window, OverlayKind::Preview);
        }
    }
    const QRect geometry = m_platform.screens.windowGeometry(frame);
    if (m_platform.overlayWindows)
        m_platform.overlayWindows->place(*m_window, geometry);
    else if (m_window->geometry() != geometry)
        m_window->setGeometry(geometry);
    if (m_isVisible)
        return;
    m_isVisible = true;
    // A window above the window manager's control shows on whatever desktop is current, so it can
    // never be left behind on another one.
    m_window->show();
    m_window->raise();
    m_fade.start(1.0, fadeInSeconds);
}

void SnapPreviewOverlay::hide() {
    if (!m_window || !m_isVisible)
        return;
    m_isVisible = false;
    // The window goes when this fade ends; a show before then takes over the fade and keeps it.
    m_fade.start(0.0, fadeOutSeconds, [this] { m_window->hide(); });
}

void SnapPreviewOverlay::discardHiddenWindow() {
    if (!m_isVisible && m_window) {
        m_fade.set(0); // a fade-out still running ends with the window
        m_window.reset();
    }
}

} // namespace corvane

#include "SnapPreviewOverlay.h"

namespace corvane {

SnapPreviewOverlay::SnapPreviewOverlay(Platform& platform, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_fade(platform.runLoop, [this](double opacity) {
        for (SnapPreviewView* window : {m_window.get(), m_displaced.get()}) {
            if (window)
                window->setOpacity(opacity);
        }
    }) {
    connect(&platform.workspace, &Workspace::didWake, this, &SnapPreviewOverlay::discardHiddenWindow);
    connect(&platform.application, &Application::screenParametersDidChange, this,
            &SnapPreviewOverlay::discardHiddenWindow);
}

SnapPreviewOverlay::~SnapPreviewOverlay() = default;

std::unique_ptr<SnapPreviewView> SnapPreviewOverlay::makeWindow() const {
    // The desktop's overlay surfaces take no window opacity.
    auto window = std::make_unique<SnapPreviewView>(m_platform.application.isCompositing(),
                                                    m_platform.overlayWindows != nullptr);
    if (m_platform.overlayWindows)
        m_platform.overlayWindows->adopt(*window, OverlayKind::Preview);
    return window;
}

void SnapPreviewOverlay::place(SnapPreviewView& window, const QRectF& frame) {
    const QRect geometry = m_platform.screens.windowGeometry(frame);
    if (m_platform.overlayWindows)
        m_platform.overlayWindows->place(window, geometry);
    else if (window.geometry() != geometry)
        window.setGeometry(geometry);
}

void SnapPreviewOverlay::show(const QRectF& frame, const std::optional<QRectF>& displaced) {
    if (!m_window)
        m_window = makeWindow();
    place(*m_window, frame);
    if (displaced) {
        if (!m_displaced) {
            m_displaced = makeWindow();
            m_displaced->setWindowTitle(QStringLiteral("Corvane Swap Preview"));
        }
        place(*m_displaced, *displaced);
        if (!m_isDisplacedShown) {
            m_isDisplacedShown = true;
            m_displaced->setOpacity(m_window->opacity());
            m_displaced->show();
            m_displaced->raise();
        }
    } else if (std::exchange(m_isDisplacedShown, false)) {
        m_displaced->hide();
    }
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
    // The windows go when this fade ends; a show before then takes over the fade and keeps them.
    m_fade.start(0.0, fadeOutSeconds, [this] {
        m_window->hide();
        if (std::exchange(m_isDisplacedShown, false))
            m_displaced->hide();
    });
}

void SnapPreviewOverlay::discardHiddenWindow() {
    if (!m_isVisible && m_window) {
        m_fade.set(0); // a fade-out still running ends with the window
        m_window.reset();
        m_displaced.reset();
        m_isDisplacedShown = false;
    }
}

} // namespace corvane

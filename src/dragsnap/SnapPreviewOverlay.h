#pragma once
// The preview window's life: built on first show, moved to each new frame at once, faded in over
// 0.12 s and out over 0.1 s (one fade at a time, each from where the last one left the opacity), and
// discarded after a wake or a screen change while hidden so the next show builds it for the new
// arrangement. A drop that swaps shows a second such window, "Corvane Swap Preview", on the frame the
// displaced window goes to, shown and hidden with the first. SnapPreviewView draws both.

#include "dragsnap/OpacityFade.h"
#include "dragsnap/SnapPreviewView.h"
#include "platform/Platform.h"
#include "platform/SnapPreview.h"

#include <memory>

namespace corvane {

class SnapPreviewOverlay : public QObject, public SnapPreview {
    Q_OBJECT
public:
    explicit SnapPreviewOverlay(Platform& platform, QObject* parent = nullptr);
    ~SnapPreviewOverlay() override;

    void show(const QRectF& frame, const std::optional<QRectF>& displaced) override;
    void hide() override;

    bool isVisible() const { return m_isVisible; }
    SnapPreviewView* window() const { return m_window.get(); }
    // The swap's second window, while a swap is shown.
    SnapPreviewView* displacedWindow() const { return m_isDisplacedShown ? m_displaced.get() : nullptr; }

    static constexpr double fadeInSeconds = 0.12;
    static constexpr double fadeOutSeconds = 0.1;

private:
    void discardHiddenWindow();
    std::unique_ptr<SnapPreviewView> makeWindow() const;
    void place(SnapPreviewView& window, const QRectF& frame);

    Platform& m_platform;
    std::unique_ptr<SnapPreviewView> m_window;
    std::unique_ptr<SnapPreviewView> m_displaced;
    bool m_isDisplacedShown = false;
    OpacityFade m_fade;
    bool m_isVisible = false;
};

} // namespace corvane

#pragma once
// The preview window's life: built on first show, moved to each new frame at once, faded in over
// 0.12 s and out over 0.1 s (one fade at a time, each from where the last one left the opacity), and
// discarded after a wake or a screen change while hidden so the next show builds it for the new
// arrangement. SnapPreviewView draws it.

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

    void show(const QRectF& frame) override;
    void hide() override;

    bool isVisible() const { return m_isVisible; }
    SnapPreviewView* window() const { return m_window.get(); }

    static constexpr double fadeInSeconds = 0.12;
    static constexpr double fadeOutSeconds = 0.1;

private:
    void discardHiddenWindow();

    Platform& m_platform;
    std::unique_ptr<SnapPreviewView> m_window;
    OpacityFade m_fade;
    bool m_isVisible = false;
};

} // namespace corvane

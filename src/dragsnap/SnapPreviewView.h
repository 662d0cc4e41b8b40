#pragma once
// The preview's pixels: a rounded rectangle 4 points inside the window, radius 10, tinted with the
// highlight colour at 0.22 and outlined with 2 points at 0.85. Without a compositing manager only
// the outline shows, cut out with a mask, so the preview stays visible.

#include "platform/SnapPreview.h"

#include <QWidget>

namespace corvane {

class SnapPreviewView : public QWidget {
    Q_OBJECT
public:
    // Starts fully transparent; its opacity is faded by SnapPreviewOverlay (without a compositing
    // manager it has no effect, and the window is simply shown or hidden). A window whose desktop takes
    // no window opacity (an overlay surface on Wayland) paints it instead.
    SnapPreviewView(bool isCompositing, bool paintsOpacity);

    void setOpacity(double opacity);
    double opacity() const { return m_opacity; }

    static constexpr double inset = previewstyle::kInset;
    static constexpr double cornerRadius = previewstyle::kCornerRadius;
    static constexpr double lineWidth = previewstyle::kLineWidth;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRectF highlightRect() const;
    bool m_isCompositing;
    bool m_paintsOpacity;
    double m_opacity = 0;
};

} // namespace corvane

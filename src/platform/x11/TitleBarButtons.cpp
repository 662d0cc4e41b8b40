#include "TitleBarButtons.h"

namespace corvane {

std::optional<QRectF> TitleBarButtons::drawnButton(TitleButton button, const QRectF& frame,
                                                   int decorationTop) const {
    const ButtonLayoutReader::Layout layout = m_layouts.current();
    return titleButtonRect(layout.buttons, layout.metrics, button, frame, decorationTop);
}

std::optional<QRectF> TitleBarButtons::zoomButtonRegion(xcb_window_t window, const QRectF& frame) {
    const int top = decorationTop(window);
    if (top == 0)
        return m_client.zoomButtonRegion(window, frame);
    return drawnButton(TitleButton::Maximize, frame, top);
}

} // namespace corvane

#include "TitleBarButtons.h"

namespace corvane {

std::optional<QRectF> TitleBarButtons::drawnButton(TitleButton button, const QRectF& frame,
                                                   int decorationTop) const {
    const ButtonLayoutReader::Layout layout = m_layouts.current();
    return titleButtonRect(layout.buttons, layout.metrics, button, frame, decorationTop);
}

std::optional<QRectF> TitleBarButtons::zoomButtonRegion(xcb_window_t window,
                                                        const X11Windows::TitledFrame& titled) {
    if (titled.decorationTop == 0)
        return m_client.zoomButtonRegion(window, titled.frame);
    return drawnButton(TitleButton::Maximize, titled.frame, titled.decorationTop);
}

} // namespace corvane

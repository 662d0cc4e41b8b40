#include "KWinTitleBarButtons.h"

#include <utility>

namespace corvane {

namespace {
// Breeze in KWin 6.3 on Wayland, measured on foot's window where the pointer lights each button:
// squares 6 pixels below the frame's top and 6 above the client area, 6 apart, the outermost 6 in
// from the client area's side, so past the side borders, whatever their size. buttonMetrics(KWin)
// is KWin 5's Breeze, measured on X11.
constexpr ButtonMetrics kBreeze{.top = 6, .bottomInset = 6, .edge = 6, .spacing = 6};
} // namespace

KWinTitleBarButtons::KWinTitleBarButtons(const ConfigFolders& folders)
    : m_files(WindowManager::KWin, layoutFiles(WindowManager::KWin, folders),
              [this](const ButtonLayout& layout) { emit changed(std::exchange(m_layout, layout)); })
    , m_layout(m_files.layout()) {}

std::optional<QRectF> KWinTitleBarButtons::maximizeButton(const ButtonLayout& layout,
                                                          const AgentWindow& window) const {
    // Without a title bar of KWin's the top is 0 pixels: no room for a button.
    const int decorationTop = qRound(window.client.top() - window.frame.top());
    const QRectF titleBar(window.client.left(), window.frame.top(), window.client.width(), decorationTop);
    return titleButtonRect(layout, kBreeze, TitleButton::Maximize, titleBar, decorationTop);
}

} // namespace corvane

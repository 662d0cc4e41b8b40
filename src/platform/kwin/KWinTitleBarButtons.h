#pragma once
// Where KWin draws a window's title-bar buttons: its decoration's button layout, read from kwinrc and
// followed there as it changes, placed on the title bar the way Breeze draws them in KWin 6. The files
// rather than KWin's reloadConfig signal: every writer changes the file (the settings module, then
// reloadConfig; kwriteconfig6, then a reconfigure call that no signal tells), and the shared reader
// of the X11 backend watches them already. AgentWindowServer gives each window's maximize button.

#include "platform/agent/AgentTitleBars.h"
#include "platform/wmconfig/ButtonLayoutFiles.h"

#include <QObject>

namespace corvane {

class KWinTitleBarButtons final : public AgentTitleBars {
    Q_OBJECT
public:
    explicit KWinTitleBarButtons(const ConfigFolders& folders);

    ButtonLayout layout() const override { return m_layout; }

    // Where KWin draws the window's maximize button with that layout, in KWin's coordinates; none when
    // the layout has none or KWin draws no title bar on the window (full screen, or a client that
    // draws its own: nothing on Wayland tells where its buttons lie).
    std::optional<QRectF> maximizeButton(const ButtonLayout& layout,
                                         const AgentWindow& window) const override;

private:
    ButtonLayoutFiles m_files;
    ButtonLayout m_layout; // the one changed() was last told of
};

} // namespace corvane

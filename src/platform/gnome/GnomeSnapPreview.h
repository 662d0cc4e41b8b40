#pragma once
// The zone preview on GNOME, drawn by the extension in the Shell: no application may put a window over
// others there. The frame, the swap's second frame where there is one, and the look are sent; the
// extension fades it in and out.

#include "platform/SnapPreview.h"
#include "platform/agent/AgentCommand.h"
#include "platform/agent/AgentScreens.h"

#include <optional>

namespace corvane {

class GnomeSnapPreview final : public SnapPreview {
public:
    GnomeSnapPreview(AgentCommand send, const AgentScreens& screens);

    void show(const QRectF& frame, const std::optional<QRectF>& displaced) override;
    void hide() override;

private:
    AgentCommand m_send;
    const AgentScreens& m_screens;
    // As sent, the compositor's coordinates: the frame, and the swap's.
    std::optional<std::pair<QRectF, std::optional<QRectF>>> m_shown;
};

} // namespace corvane

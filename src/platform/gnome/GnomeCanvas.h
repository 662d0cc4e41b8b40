#pragma once
// What Corvane's GNOME Shell extension draws above the windows for the core (the Quick Snap palette), and
// the pointer over it as the extension reports it: the scene is sent in the Shell's coordinates, and the
// reports come back as the canvas's pointer signal in Corvane's screen coordinates.

#include "platform/AgentCanvas.h"
#include "platform/agent/AgentCommand.h"
#include "platform/agent/AgentScreens.h"

#include <QJsonObject>
#include <optional>

namespace corvane {

class GnomeCanvas final : public AgentCanvas {
    Q_OBJECT
public:
    GnomeCanvas(AgentCommand send, const AgentScreens& screens, QObject* parent = nullptr);

    void show(const CanvasScene& scene) override;
    void hide() override;
    bool isShown() const override { return m_shown.has_value(); }

    // One {"e": "palette"} report of the extension; one that is not well formed is dropped.
    void report(const QJsonObject& event);

    // What the extension draws at most: a bigger scene is cut to these.
    static constexpr qsizetype maxShapes = agentprotocol::bounds::kMaxShapes;
    static constexpr qsizetype maxTexts = agentprotocol::bounds::kMaxTexts;
    static constexpr qsizetype maxTextCharacters = agentprotocol::bounds::kMaxTextLength;

private:
    AgentCommand m_send;
    const AgentScreens& m_screens;
    std::optional<CanvasScene> m_shown;
};

} // namespace corvane

#pragma once
// The desktop agent's canvas on the simulated desktop: it keeps the scene it was given, and a test
// reports the pointer over it as the agent would.

#include "platform/AgentCanvas.h"

namespace corvane {

class SimCanvas final : public AgentCanvas {
public:
    void show(const CanvasScene& scene) override {
        m_scene = scene;
        ++m_showCount;
    }
    void hide() override { m_scene.reset(); }
    bool isShown() const override { return m_scene.has_value(); }

    const std::optional<CanvasScene>& scene() const { return m_scene; }
    // How many scenes were sent: a change the pointer makes is drawn once.
    int showCount() const { return m_showCount; }
    // The agent reports the pointer only over a scene that takes it.
    void report(CanvasPointer kind, QPointF cursor) {
        if (m_scene && m_scene->isInteractive)
            emit pointer(kind, cursor);
    }

private:
    std::optional<CanvasScene> m_scene;
    int m_showCount = 0;
};

} // namespace corvane

#pragma once
// The compositor's outputs as screens. KWin and mutter place everything in one space of logical pixels,
// y down; Corvane's screen coordinates put the origin at the bottom-left of the primary output (the
// first reported), y up, and its AX coordinates at the primary output's top-left, y down. Qt on Wayland
// gives our own windows the compositor's logical pixels, so no scale is applied between the two.

#include "platform/Screens.h"
#include "platform/agent/AgentDesktop.h"

namespace corvane {

class AgentScreens final : public Screens {
public:
    explicit AgentScreens(const AgentDesktop& desktop);

    QList<Screen> screens() const override;
    // The output of the active window, else the primary one.
    std::optional<Screen> mainScreen() const override;
    QRect windowGeometry(const QRectF& screenFrame) const override;
    QRectF screenFrame(const QRect& windowGeometry) const override;

    // Between the compositor's coordinates and Corvane's.
    QRectF toScreen(const QRectF& agentRect) const;
    QPointF toScreen(QPointF agentPoint) const;
    QRectF toAx(const QRectF& agentRect) const;
    QPointF toAx(QPointF agentPoint) const;
    QRectF fromAx(const QRectF& axRect) const;
    QRectF fromScreen(const QRectF& screenRect) const;

private:
    QRect primary() const;
    Screen screenOf(const AgentOutput& output) const;

    const AgentDesktop& m_desktop;
};

} // namespace corvane

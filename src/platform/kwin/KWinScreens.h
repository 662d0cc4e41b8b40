#pragma once
// KWin's outputs as screens. KWin places everything in one space of logical pixels, y down; Corvane's
// screen coordinates put the origin at the bottom-left of the primary output (KWin's first), y up, and
// its AX coordinates at the primary output's top-left, y down. Qt on Wayland gives our own windows
// KWin's logical pixels, so no scale is applied between the two.

#include "platform/Screens.h"
#include "platform/kwin/KWinDesktop.h"

namespace corvane {

class KWinScreens final : public Screens {
public:
    explicit KWinScreens(const KWinDesktop& desktop);

    QList<Screen> screens() const override;
    // The output of the active window, else the primary one.
    std::optional<Screen> mainScreen() const override;
    QRect windowGeometry(const QRectF& screenFrame) const override;
    QRectF screenFrame(const QRect& windowGeometry) const override;

    // Between KWin's coordinates and Corvane's.
    QRectF toScreen(const QRectF& kwinRect) const;
    QPointF toScreen(QPointF kwinPoint) const;
    QRectF toAx(const QRectF& kwinRect) const;
    QPointF toAx(QPointF kwinPoint) const;
    QRectF fromAx(const QRectF& axRect) const;
    QRectF fromScreen(const QRectF& screenRect) const;

private:
    QRect primary() const;
    Screen screenOf(const KWinOutput& output) const;

    const KWinDesktop& m_desktop;
};

} // namespace corvane

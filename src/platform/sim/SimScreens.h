#pragma once
// The simulated displays, as the test arranges them, and our windows on them at the scale and
// primary origin the test sets.

#include "platform/Screens.h"
#include "platform/common/WindowCoordinates.h"

namespace corvane {

class SimDesktop;

class SimScreens final : public Screens {
public:
    explicit SimScreens(SimDesktop& desktop)
        : m_desktop(desktop) {}

    QList<Screen> screens() const override;
    std::optional<Screen> mainScreen() const override;
    QRect windowGeometry(const QRectF& screenFrame) const override;
    QRectF screenFrame(const QRect& windowGeometry) const override;

    // How Qt scales our own windows: one device pixel ratio on every screen (1 by default), and where
    // the primary screen's top-left lies in the root window ((0, 0) by default).
    void setWindowScale(double ratio) { m_windowScale = ratio; }
    void setPrimaryRootOrigin(QPoint origin) { m_primaryRootOrigin = origin; }

private:
    QRect primaryRoot() const;
    QList<ScreenScale> scales() const;

    SimDesktop& m_desktop;
    double m_windowScale = 1;
    QPoint m_primaryRootOrigin;
};

} // namespace corvane

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

private:
    QRect primaryRoot() const;
    QList<ScreenScale> scales() const;

    SimDesktop& m_desktop;
};

} // namespace corvane

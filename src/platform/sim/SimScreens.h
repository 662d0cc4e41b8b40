#pragma once
// The simulated displays, as the test arranges them.

#include "platform/Screens.h"

namespace corvane {

class SimDesktop;

class SimScreens final : public Screens {
public:
    explicit SimScreens(SimDesktop& desktop)
        : m_desktop(desktop) {}

    QList<Screen> screens() const override;
    std::optional<Screen> mainScreen() const override;

private:
    SimDesktop& m_desktop;
};

} // namespace corvane

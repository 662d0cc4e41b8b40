#pragma once
// Whether a pick onto a zone another window fills swaps the two, and what swaps them. The user's choice
// is asked at each pick, so a change takes effect at once.

#include "control/ZoneSwapper.h"

#include <functional>

namespace corvane {

struct SwapChoice {
    ZoneSwapper* swapper = nullptr;
    std::function<bool()> isOn;

    // The swapper while the choice is on; none otherwise.
    ZoneSwapper* active() const { return swapper && isOn && isOn() ? swapper : nullptr; }
};

} // namespace corvane

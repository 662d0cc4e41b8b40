#pragma once
// How the runners on real desktops let time pass: Qt's event loop turns until a condition holds or a
// real deadline passes (the simulated desktop moves its clock by hand instead).

#include <functional>

namespace corvane {

// Whether the condition held within `seconds`; asked at least every few milliseconds.
bool waitInEventLoop(double seconds, const std::function<bool()>& condition);

} // namespace corvane

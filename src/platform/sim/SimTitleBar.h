#pragma once
// The title-bar buttons a test gives a simulated window, built from the scene's elements.

#include "platform/sim/SimDesktop.h"

namespace corvane {

// The three title-bar buttons, 14 x 16 at the window's top-left, each with AXWindow set; returns
// close, minimise, zoom (none when the window is gone).
QList<AxElement> addTitleBarButtons(SimDesktop& desktop, SimWindowId window);

} // namespace corvane

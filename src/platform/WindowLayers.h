#pragma once
// Layers of the window list (windowinfo::kLayer), the same on every desktop. Only ordinary windows
// (normal, dialog and utility) are on layer 0, the one every lookup of a window to move takes; the
// desktop lies below it, panels and pop-ups above.

namespace corvane {

inline constexpr int kOrdinaryLayer = 0;
inline constexpr int kDesktopLayer = -1000;
inline constexpr int kToolbarLayer = 3;
inline constexpr int kDockLayer = 20;
inline constexpr int kPopUpLayer = 101;

} // namespace corvane

#pragma once
// What a desktop lets Corvane do. The settings window and the tray panel show what the running
// desktop cannot do instead of offering it.

#include <QFlags>

namespace corvane {

enum class Capability {
    Hotkeys = 0x1,               // global chords reach Corvane
    DragObservation = 0x2,       // a window being moved by the user is seen while it moves
    OwnOverlay = 0x4,            // Corvane draws the zone preview over other windows itself
    MaximizeButtonPalette = 0x8, // the pointer resting on a window's maximize button is seen
    LoginItem = 0x10,            // Corvane can start with the session
    RaiseWithoutFocus = 0x20,    // a window can be brought to the front without taking the focus
};
Q_DECLARE_FLAGS(Capabilities, Capability)
Q_DECLARE_OPERATORS_FOR_FLAGS(Capabilities)

inline constexpr Capabilities kAllCapabilities{Capability::Hotkeys,    Capability::DragObservation,
                                               Capability::OwnOverlay, Capability::MaximizeButtonPalette,
                                               Capability::LoginItem,  Capability::RaiseWithoutFocus};

} // namespace corvane

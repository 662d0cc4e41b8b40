#pragma once
// Which chord a key-down is, for the backends that see every key (ObservedShortcuts) and for the
// recorder of the settings window.

#include "platform/Events.h"
#include "platform/KeyChord.h"

#include <optional>

namespace corvane {

// The digit (what the key types, so the keypad's digit is the digit) or the arrow that went down,
// with the modifiers held: Caps Lock, the keypad and function flags and the device-dependent bits
// aside. None for any other key.
std::optional<KeyChord> pressedChord(const Event& event);

} // namespace corvane

#pragma once
// The keys a user presses for a chord, by their evdev codes, as the input of a Wayland compositor
// takes them.

#include "platform/KeyChord.h"

#include <QList>

namespace corvane {

// The chord's modifiers first (Control, Alt, Shift, Super), then its key.
QList<int> evdevKeysOf(const KeyChord& chord);

} // namespace corvane

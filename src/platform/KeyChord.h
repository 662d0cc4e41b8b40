#pragma once
// A key with its modifiers, as a shortcut is registered (Shortcuts) and as a key is grabbed (KeyGrabs).

#include <QtGlobal>

namespace corvane {

// The keys the platform knows how to find on any keyboard layout: what the dispatcher reads as the
// digits 0 to 9 (the main row's and the keypad's, whatever Num Lock says) and the four arrows.
enum class GrabKey : quint8 { Digit, KeypadDigit, LeftArrow, RightArrow, UpArrow, DownArrow };

struct KeyChord {
    GrabKey key = GrabKey::Digit;
    int digit = 0;             // 0 to 9, for the digit keys only
    quint64 modifierFlags = 0; // device-independent flags (Events.h); Caps Lock and Num Lock never count
    bool operator==(const KeyChord&) const = default;
};

} // namespace corvane

#pragma once
// A chord as kglobalaccel takes it: one Qt key code, the key with its modifiers (QKeyCombination's
// int). KGlobalAccelShortcuts gives our chords to KDE with it and reads back the user's.

#include "platform/KeyChord.h"

#include <optional>

namespace corvane {

int qtKeyCode(const KeyChord& chord);
// None for a key no chord can name (F5, a letter) or a modifier Corvane does not know.
std::optional<KeyChord> keyChordOfQtKey(int code);

} // namespace corvane

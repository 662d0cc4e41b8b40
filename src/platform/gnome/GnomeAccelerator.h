#pragma once
// A chord as GNOME writes it in its keybinding settings: "<Control><Alt>1", "<Super>Left". The
// extension binds our chords in this form, and GNOME's own keybindings are read in it.

#include "platform/KeyChord.h"

#include <QString>
#include <optional>

namespace corvane {

QString gnomeAccelerator(const KeyChord& chord);
// None for a key no chord can name (a letter, F5), a modifier Corvane does not know, or no accelerator
// at all. Modifier names are GTK's, in any case, with their aliases (<Primary>, <Ctrl>, <Mod4>).
std::optional<KeyChord> keyChordOfGnomeAccelerator(const QString& accelerator);

} // namespace corvane

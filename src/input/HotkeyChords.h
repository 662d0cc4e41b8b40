#pragma once
// Which key chord does what: the four layout hotkeys, the two arrows, the four moves to the
// neighbouring zone, the one that opens the Quick Snap palette and the four swaps with the window in the
// neighbouring zone, each changeable, modifiers
// included, or none where the desktop's own shortcut settings took it away. Stored as text
// ("Ctrl+Alt+1", "none") under one settings key; an entry that cannot be read, or that repeats an
// earlier one's chord, is its default, and the others keep what the user chose. A digit's chord covers
// the keypad's digit too.

#include "platform/Events.h"
#include "platform/KeyChord.h"
#include "platform/Shortcuts.h"

#include <QVariant>
#include <array>
#include <optional>

namespace corvane {

enum class HotkeyAction : quint8 {
    Layout1,
    Layout2,
    Layout3,
    Layout4,
    Previous,
    Next,
    ZoneLeft,
    ZoneRight,
    ZoneUp,
    ZoneDown,
    QuickSnap,
    SwapLeft,
    SwapRight,
    SwapUp,
    SwapDown,
};
inline constexpr qsizetype kHotkeyActionCount = 15;
using HotkeyChords = std::array<std::optional<KeyChord>, kHotkeyActionCount>;

inline constexpr auto kHotkeyChordsKey = "hotkeyChords";

// Control+Alt with 1 to 4, Left and Right; Control+Alt+Shift with the four arrows for the zones;
// Control+Alt+0 for the palette; Control+Alt+Super with the four arrows for the swaps.
HotkeyChords defaultHotkeyChords();
// The layout hotkey number of an action, 1 to 4; none for the arrows.
std::optional<int> layoutNumber(HotkeyAction action);
// One of the four moves to the neighbouring zone.
bool isZoneMove(HotkeyAction action);
// One of the four swaps with the window in the neighbouring zone.
bool isZoneSwap(HotkeyAction action);

// How the desktop's shortcut settings list the action: "layout-1", "Layout hotkey 1"; "throw-next",
// "Throw Window: next zone or screen"; "zone-left", "Move Window: zone on the left"; "quick-snap",
// "Quick Snap: open the palette"; "swap-left", "Swap Window: with the zone on the left", as the settings
// window words them.
ShortcutName hotkeyShortcutName(HotkeyAction action);

// "Ctrl+Alt+1", "Ctrl+Super+Left": the stored form.
QString chordText(const KeyChord& chord);
// None unless the text names a digit or an arrow with at least one of Control, Alt and Super.
std::optional<KeyChord> chordFromText(const QString& text);
// As the settings window writes chords: "Ctrl + Alt + 1", "Ctrl + Alt + keypad 1", "Ctrl + Alt + Left";
// "None" for no chord.
QString chordName(const std::optional<KeyChord>& chord);

// An entry the stored table lacks (one stored before its action existed) is its default, unless another
// entry has that chord: then it is none.
HotkeyChords hotkeyChordsFromStored(const QVariant& stored);
QVariantMap storedHotkeyChords(const HotkeyChords& chords);

// The chord a key-down makes, as a recorder takes it: none for keys no chord can use, and without
// Control, Alt or Super, which would take the key from typing.
std::optional<KeyChord> chordOfEvent(const Event& event);
// The chords to grab for a chord: a digit's keypad twin follows it; none for no chord.
QList<KeyChord> grabbedChords(const std::optional<KeyChord>& chord);
QList<KeyChord> grabbedChords(const HotkeyChords& chords);

// What to offer for an action whose chord another program holds, best first: the same key with
// Control+Alt+Super, which the stock bindings of the window managers Corvane is tested with leave
// free, then Control+Super and Alt+Super; for the zones' arrows, which those take for the previous
// and next zone, the same with Shift; for the swaps, which take Control+Alt+Super, Control+Super and
// Alt+Super.
QList<KeyChord> alternativeChords(HotkeyAction action);

} // namespace corvane

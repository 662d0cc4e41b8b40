#pragma once
// The keyboard as the X server has it: what each key types (xkbcommon), the modifiers held now,
// which keys auto-repeat and how fast (XKB's controls, read from the server and followed as they
// change), and the X modifier bits of a chord. X11Events reads key events through it; X11KeyGrabs
// finds the keys to grab with it.

#include "platform/Events.h"
#include "platform/KeyGrabs.h"
#include "platform/common/KeyRepeater.h"
#include "platform/x11/X11Connection.h"

#include <array>
#include <bitset>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace corvane {

class X11Keyboard {
public:
    explicit X11Keyboard(X11Connection& connection);
    ~X11Keyboard();
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    // A key-down of the key as the dispatcher reads it, with the modifiers held now.
    Event keyDown(quint32 keycode, double timestamp) const;
    // Follows a raw press or release into the modifiers held. Raw events carry no modifier state,
    // and asking the server later would see the modifiers as they are by then, not as they were.
    void update(quint32 keycode, bool isPress);
    bool isDown(quint32 keycode) const { return keycode < m_keysDown.size() && m_keysDown[keycode]; }
    quint64 modifierFlags() const;

    // How the key auto-repeats now; none when it does not, or repeating is off for the keyboard.
    std::optional<KeyRepeatTiming> repeatTiming(quint32 keycode) const;

    // Every keycode whose key-down the dispatcher reads as the chord's key (a layout may have two).
    QList<quint32> keycodesOf(const KeyChord& chord) const;
    // The X modifier bits of the chord's modifier flags.
    static quint16 modifierMask(quint64 flags);
    // Caps Lock and Num Lock in each of their four combinations, as X modifier bits.
    static std::array<quint16, 4> lockMasks();

private:
    void readControls();

    X11Connection& m_connection;
    int m_xkbEventBase = -1;
    xkb_context* m_context = nullptr;
    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_plainState = nullptr; // no modifiers: the characters ignoring modifiers
    xkb_state* m_liveState = nullptr;  // follows every raw press and release in order
    bool m_repeatsKeys = false;
    KeyRepeatTiming m_repeatTiming;
    std::array<quint8, 32> m_perKeyRepeat{}; // one bit per keycode
    std::bitset<256> m_keysDown;             // as update() has followed them
    EventSubscription m_subscription;        // last: removed before the rest goes
};

} // namespace corvane

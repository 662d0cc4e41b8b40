#pragma once
// The modifier keys held on KWin, from the key states its key-state protocol reports (KWinKeyState).
// Control, Alt, Shift and Meta count while pressed only: latched (a sticky key waiting for the next
// key) or locked, a key is not held down, and drag to snap reads a held key as the user's hand on it.
// Caps Lock is the exception, its flag meaning "on", as on X11. AltGr picks characters, it is not Alt.
// Main thread only.

#include <QtGlobal>

namespace corvane {

class KWinModifierKeys {
public:
    // The protocol's numbering (org_kde_kwin_keystate; Alt to AltGr and Pressed since its version 5).
    enum Key : quint32 { CapsLock = 0, NumLock, ScrollLock, Alt, Control, Shift, Meta, AltGr };
    enum State : quint32 { Unlocked = 0, Latched, Locked, Pressed };

    // One key's new state; a key this does not follow changes nothing.
    void update(quint32 key, quint32 state);
    // Every key up, as when KWin takes the protocol away.
    void clear() { m_flags = 0; }
    // The device-independent flags of platform/Events.h.
    quint64 flags() const { return m_flags; }

private:
    quint64 m_flags = 0;
};

} // namespace corvane

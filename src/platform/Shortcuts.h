#pragma once
// Global shortcuts: the core gives each of its actions a chord and hears when one is pressed,
// whichever application has the keyboard. What an action means is the core's alone; the platform
// knows it by its number. Where the desktop lets Corvane see every key the backend matches them
// itself (ObservedShortcuts); where it does not, the compositor holds them as its own shortcuts, which
// the user may rebind in the desktop's settings too.

#include "platform/KeyChord.h"

#include <QObject>
#include <QString>
#include <optional>

namespace corvane {

// How the desktop's own shortcut settings list an action: a key that stays the same from one release
// to the next, and the words the user reads there.
struct ShortcutName {
    QString key;  // "layout-1"
    QString text; // "Layout hotkey 1"
};

class Shortcuts : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Gives the action its chord, in place of the one it had. A digit's chord is the keypad's digit too.
    virtual void setShortcut(int id, const KeyChord& chord) = 0;
    // The action's chord does nothing any more. Where the desktop lists shortcuts, an action that had
    // no chord in this run stays listed with none, for the user to give it one there.
    virtual void clearShortcut(int id) = 0;
    // Where the desktop lists shortcuts in its own settings, how the action is listed there; given
    // before the action's first chord. Shortcuts matched on observed keys are listed nowhere.
    virtual void nameShortcut(int /*id*/, const ShortcutName& /*name*/) {}

signals:
    // Once for each press of the action's chord and once for each auto-repeat while it is held; never
    // for its release, nor while the keys are being recorded (KeyGrabs::isKeyboardGrabbed()).
    void triggered(int id);
    // The user gave the action another chord, or took its chord away, in the desktop's own settings,
    // now or while Corvane was not running: the desktop's record is the one that counts.
    void chordChangedOnDesktop(int id, std::optional<KeyChord> chord);
};

} // namespace corvane

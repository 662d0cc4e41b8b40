#pragma once
// Global shortcuts: the core gives each of its actions a chord and hears when one is pressed,
// whichever application has the keyboard. What an action means is the core's alone; the platform
// knows it by its number. Where the desktop lets Corvane see every key the backend matches them
// itself (ObservedShortcuts); where it does not, the compositor holds them as its own shortcuts.

#include "platform/KeyChord.h"

#include <QObject>

namespace corvane {

class Shortcuts : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Gives the action its chord, in place of the one it had. A digit's chord is the keypad's digit too.
    virtual void setShortcut(int id, const KeyChord& chord) = 0;
    // The action's chord does nothing any more.
    virtual void clearShortcut(int id) = 0;

signals:
    // Once for each press of the action's chord and once for each auto-repeat while it is held; never
    // for its release, nor while the keys are being recorded (KeyGrabs::isKeyboardGrabbed()).
    void triggered(int id);
};

} // namespace corvane

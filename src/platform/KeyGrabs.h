#pragma once
// Passive key grabs on the whole desktop: which key combinations another program (the window manager,
// most often) already holds for itself, and our own grabs, which keep a combination from every other
// application. Observing keys (Events) needs no grab; this is for when a key must be taken.

#include "platform/KeyChord.h"

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

namespace corvane {

class KeyGrabs : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Grabs each chord for this process, with Caps Lock and Num Lock in every state, so the chord
    // reaches no other application. Returns the chords another program holds in some lock state:
    // those stay with it. Grabbing a chord this process holds already changes nothing.
    virtual QList<KeyChord> grabKeys(const QList<KeyChord>& chords) = 0;
    // Releases this process's grabs of the chords; other programs' grabs are never touched.
    virtual void ungrabKeys(const QList<KeyChord>& chords) = 0;
    // The running window manager's own name for itself; none without one, or when it gives none.
    virtual std::optional<QString> windowManagerName() = 0;
    // The file the running window manager reads its key bindings from, where that can be told.
    virtual std::optional<QString> windowManagerKeyFile() = 0;

    // Takes the whole keyboard for this process, so that every key, one another program binds
    // included, reaches only the key monitors until ungrabKeyboard(). False when another program
    // holds the keyboard.
    virtual bool grabKeyboard() = 0;
    virtual void ungrabKeyboard() = 0;
    // While true, the keys pressed are being recorded, not acted on.
    virtual bool isKeyboardGrabbed() const = 0;

signals:
    // A window manager started, restarted or left: the keys others hold may have changed.
    void windowManagerChanged();
};

} // namespace corvane

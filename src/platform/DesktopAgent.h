#pragma once
// Corvane's own part inside the desktop, where one must run before Corvane can act there (its
// extension in GNOME Shell), and the user may have to do one thing first. Until it runs, Corvane
// says so and offers what needs no agent: its settings and presets.

#include <QObject>
#include <QString>

namespace corvane {

class DesktopAgent : public QObject {
    Q_OBJECT
public:
    enum class State {
        Running,
        NotInstalled,  // no copy where the desktop looks for it
        NeedsNewLogin, // installed after the desktop started, which looks for new ones only then
        TurnedOff,     // installed and seen, but off
        Failed,        // the desktop tried to run it and could not; detail() says why
        Untested,      // this version of the desktop is not one the agent was made for; detail() names it
    };
    Q_ENUM(State)

    using QObject::QObject;

    // How the user knows it: "Corvane's GNOME Shell extension".
    virtual QString name() const = 0;
    virtual State state() const = 0;
    // What the desktop said, for Failed and Untested; empty otherwise.
    virtual QString detail() const = 0;
    // Asks the desktop to turn the agent on (TurnedOff); the outcome arrives as stateChanged.
    virtual void turnOn() = 0;

signals:
    void stateChanged();
};

} // namespace corvane

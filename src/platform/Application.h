#pragma once
// This process as an application: whether it shows in the taskbar, its activation, its icon and
// the notifications about its own windows and the displays.

#include <QObject>
#include <QString>

namespace corvane {

enum class ActivationPolicy {
    Regular,   // shows in the taskbar, can be activated
    Accessory, // tray only
};

class Application : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual ActivationPolicy activationPolicy() const = 0;
    virtual void setActivationPolicy(ActivationPolicy policy) = 0;
    virtual void activateIgnoringOtherApps() = 0;
    virtual void terminate() = 0;
    // Makes the named image of the program's resources its icon; false when there is no such image.
    virtual bool setApplicationIconNamed(const QString& name) = 0;
    // Whether a compositing manager blends translucent windows; without one only opaque pixels show.
    virtual bool isCompositing() const = 0;
    // Whether the desktop shows a system tray (a panel's notification area) for our icon now.
    virtual bool isSystemTrayAvailable() const = 0;
    // Where the desktop shows no tray without help, what gives it one, for the user; empty elsewhere.
    virtual QString systemTrayHint() const { return {}; }

signals:
    void didBecomeActive();
    // One of this process's windows is about to close; the object identifies the window.
    void windowWillClose(QObject* window);
    void screenParametersDidChange();
    // A system tray appeared or went away: panels start after us at login, and restart.
    void systemTrayAvailabilityDidChange(bool isAvailable);
};

} // namespace corvane

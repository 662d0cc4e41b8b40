#pragma once
// Other applications: which one is frontmost, which run, activation, and the workspace's
// notifications. Applications are processes that own windows.

#include "platform/TitleButtons.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace corvane {

// The page where the user grants Corvane access to other applications' windows; each desktop
// opens its own (on X11, the help on what access needs).
inline constexpr auto kAccessibilitySettingsUrl = "corvane:accessibility-settings";

struct RunningApplication {
    qint32 pid = 0;
    QString name;

    friend bool operator==(const RunningApplication&, const RunningApplication&) = default;
};

// Main thread only.
class Workspace : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual std::optional<RunningApplication> frontmostApplication() = 0;
    virtual QList<RunningApplication> runningApplications() = 0;
    virtual qint32 currentProcessId() = 0;
    // Hands activation to another application, which comes to the front ignoring others.
    virtual void yieldActivation(const RunningApplication& target) = 0;
    virtual bool openUrl(const QString& url) = 0;
    // Whether there is anything at the address to open (the access page may not be installed).
    virtual bool canOpenUrl(const QString& url) = 0;
    // How the running window manager lays out its title-bar buttons; none when it cannot be told (a
    // window manager whose configuration Corvane does not read).
    virtual std::optional<ButtonLayout> titleButtonLayout() = 0;

signals:
    // An application was activated; the notification may not say which.
    void didActivateApplication(std::optional<corvane::RunningApplication> application);
    void activeSpaceDidChange();
    void didWake();
};

} // namespace corvane

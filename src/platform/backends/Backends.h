#pragma once
// The desktops Corvane can drive, and which one serves this session: the one place that names each
// backend, so that main() and everything above the platform name none.

#include "platform/Backend.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace corvane {

// What the session says about itself, from its environment.
struct SessionEnvironment {
    QString sessionType;    // XDG_SESSION_TYPE: "x11", "wayland", "tty", or empty
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString display;        // DISPLAY
    QString currentDesktop; // XDG_CURRENT_DESKTOP, a colon-separated list such as "ubuntu:GNOME"

    static SessionEnvironment fromProcess();
};

// Either the backend to start or, for a session no backend serves, what to tell the user.
struct BackendChoice {
    QString backend;
    QString refusal;
};

class Backends {
public:
    // The names --backend accepts.
    static QStringList names();
    // The backend named by --backend (`forced`, one of names()) or else the one the session calls for.
    static BackendChoice choose(const SessionEnvironment& session, const QString& forced = {});
    // What names the display the backend runs on, as Corvane tells its instances apart: the Wayland
    // socket for a compositor's backend, DISPLAY for X11.
    static QString displayOf(const QString& backend, const SessionEnvironment& session);
    // Whether the backend drives a Wayland compositor.
    static bool isWayland(const QString& backend);
    // Why the chosen backend cannot start here, asked before Qt starts (Qt aborts without a
    // display); none when it can. Sets what Qt needs to know to start on that desktop.
    static std::optional<QString> prepare(const QString& backend);
    // The backend, once Qt runs; none when its desktop could not be reached after all.
    static std::unique_ptr<Backend> create(const QString& backend);
};

} // namespace corvane

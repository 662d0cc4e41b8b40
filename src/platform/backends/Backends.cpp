#include "Backends.h"

#include "platform/gnome/GnomeBackend.h"
#include "platform/kwin/KWinBackend.h"
#include "platform/x11/X11Backend.h"

#include <QtGlobal>

namespace corvane {

namespace {

constexpr auto kX11 = "x11";
constexpr auto kKWin = "kwin";
constexpr auto kGnome = "gnome";

bool isWaylandSession(const SessionEnvironment& session) {
    if (!session.sessionType.isEmpty())
        return session.sessionType == u"wayland";
    return !session.waylandDisplay.isEmpty();
}

bool isDesktop(const SessionEnvironment& session, const char* name) {
    return session.currentDesktop.split(u':').contains(QLatin1String(name), Qt::CaseInsensitive);
}

} // namespace

SessionEnvironment SessionEnvironment::fromProcess() {
    return {qEnvironmentVariable("XDG_SESSION_TYPE"), qEnvironmentVariable("WAYLAND_DISPLAY"),
            qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("XDG_CURRENT_DESKTOP")};
}

QStringList Backends::names() {
    return {QLatin1String(kX11), QLatin1String(kKWin), QLatin1String(kGnome)};
}

BackendChoice Backends::choose(const SessionEnvironment& session, const QString& forced) {
    if (!forced.isEmpty())
        return {forced, {}};
    // On Wayland, X11 reaches only the windows of X11 programs: Corvane would seem to ignore every
    // other window, so a Wayland desktop without a backend of its own is not served at all.
    if (isWaylandSession(session) && isDesktop(session, "KDE"))
        return {QLatin1String(kKWin), {}};
    if (isWaylandSession(session) && isDesktop(session, "GNOME"))
        return {QLatin1String(kGnome), {}};
    if (isWaylandSession(session)) {
        const QString desktop =
            session.currentDesktop.isEmpty() ? QStringLiteral("unknown") : session.currentDesktop;
        return {
            {},
            QStringLiteral(
                "Corvane cannot move windows on this Wayland session (desktop: %1).\n"
                "It supports KDE Plasma and GNOME on Wayland, and X11 sessions with any window manager. To "
                "move only the "
                "windows of X11 programs here, start it with --backend x11.")
                .arg(desktop)};
    }
    return {QLatin1String(kX11), {}};
}

QString Backends::displayOf(const QString& backend, const SessionEnvironment& session) {
    return isWayland(backend) ? session.waylandDisplay : session.display;
}

bool Backends::isWayland(const QString& backend) {
    return backend == QLatin1String(kKWin) || backend == QLatin1String(kGnome);
}

std::optional<QString> Backends::prepare(const QString& backend) {
    if (backend == u"x11") {
        if (!X11Backend::isDisplayReachable()) {
            const QByteArray display = qgetenv("DISPLAY");
            return QStringLiteral(
                       "Corvane needs an X11 display, and none could be reached (DISPLAY=%1).\n"
                       "On a Wayland session without X11 access, Corvane cannot move other windows.")
                .arg(display.isEmpty() ? QStringLiteral("unset") : QString::fromLocal8Bit(display));
        }
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "xcb");
        return std::nullopt;
    }
    if (backend == u"kwin" || backend == u"gnome") {
        if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            return QStringLiteral("Corvane needs a %1 Wayland session, and WAYLAND_DISPLAY is not set.")
                .arg(backend == u"kwin" ? QStringLiteral("KDE Plasma") : QStringLiteral("GNOME"));
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "wayland");
        return std::nullopt;
    }
    return QStringLiteral("Corvane has no backend named %1.").arg(backend);
}

std::unique_ptr<Backend> Backends::create(const QString& backend) {
    if (backend == u"x11")
        return X11Backend::create();
    if (backend == u"kwin")
        return KWinBackend::create();
    if (backend == u"gnome")
        return GnomeBackend::create();
    return nullptr;
}

} // namespace corvane

#include "SettingsPaths.h"

#include <QDir>

namespace corvane {

QString configHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The base-directory rules say a relative value is invalid and must be ignored.
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.config");
}

QString settingsDirectory() {
    return configHome() + QStringLiteral("/corvane");
}

QString defaultsFilePath() {
    return settingsDirectory() + QStringLiteral("/app.corvane.plist");
}

QString autostartEntryPath() {
    return configHome() + QStringLiteral("/autostart/corvane.desktop");
}

} // namespace corvane

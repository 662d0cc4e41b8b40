#include "SettingsPaths.h"

#include "platform/common/XdgConfigHome.h"

namespace corvane {

QString settingsDirectory() {
    return xdgConfigHome() + QStringLiteral("/corvane");
}

QString defaultsFilePath() {
    return settingsDirectory() + QStringLiteral("/app.corvane.plist");
}

QString autostartEntryPath() {
    return xdgConfigHome() + QStringLiteral("/autostart/corvane.desktop");
}

} // namespace corvane

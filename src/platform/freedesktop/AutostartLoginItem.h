#pragma once
// The login item on Linux desktops: an XDG autostart entry, $XDG_CONFIG_HOME/autostart/corvane.desktop,
// that starts this program when the user logs in.

#include "platform/LoginItem.h"

namespace corvane {

class AutostartLoginItem final : public LoginItem {
public:
    // `executablePath` is the running program, resolved once at start: a package upgrade that replaces
    // the file later leaves the path right, while the running program's own link reads as deleted.
    AutostartLoginItem(QString entryPath, QString executablePath);

    // Enabled when the entry exists and is not switched off (Hidden=true or the GNOME switch false).
    LoginItemStatus status() override;
    LoginItemResult registerItem() override;
    LoginItemResult unregisterItem() override;

private:
    QString m_entryPath;
    QString m_executablePath;
};

} // namespace corvane

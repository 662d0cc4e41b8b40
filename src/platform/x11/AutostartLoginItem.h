#pragma once
// The login item on Linux desktops: an XDG autostart entry, $XDG_CONFIG_HOME/autostart/corvane.desktop,
// that starts this program when the user logs in.

#include "platform/LoginItem.h"

namespace corvane {

class AutostartLoginItem final : public LoginItem {
public:
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

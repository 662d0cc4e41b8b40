#pragma once
// The running window manager, as the root's _NET_SUPPORTING_WM_CHECK names it: its name (the
// _NET_WM_NAME of its check window), the configuration file it says it was started with (openbox's
// _OB_CONFIG_FILE), and word when either or what it supports (_NET_SUPPORTED) changes. The one
// place that watches those properties.

#include "platform/x11/X11Connection.h"

#include <QObject>
#include <optional>

namespace corvane {

class WindowManagerWatcher : public QObject {
    Q_OBJECT
public:
    explicit WindowManagerWatcher(X11Connection& connection);

    // None when no window manager says, or the one that did has died.
    std::optional<QString> name();
    // Empty when it names none.
    QString configFile();

signals:
    // A window manager came, went or was replaced, or named another configuration file.
    void changed();
    // It changed what it says it supports.
    void supportChanged();

private:
    X11Connection& m_connection;
    xcb_atom_t m_check;
    EventSubscription m_subscription;
};

} // namespace corvane

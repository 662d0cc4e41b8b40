#pragma once
// Reads what panels and docks reserve: the struts of every window that declares one, however deep
// it lies (a window manager's own panel may sit inside frames of its own), and the window manager's
// work area for the current desktop. WorkArea.h does the arithmetic; X11Screens caches the result.

#include "platform/x11/X11Connection.h"

#include <QRect>
#include <optional>

namespace corvane {

struct ReservedAreas {
    QList<QRect> strips; // in root coordinates
    std::optional<QRect> workArea;
};

class X11WorkArea {
public:
    explicit X11WorkArea(X11Connection& connection)
        : m_connection(connection) {}

    ReservedAreas read() const;

private:
    QList<xcb_window_t> allWindows() const;
    QList<QRect> strips(const QList<xcb_window_t>& windows) const;
    std::optional<QRect> workArea() const;

    X11Connection& m_connection;
};

} // namespace corvane

#pragma once
// Monitors from RandR (or Xinerama heads when it sees more), in screen coordinates: origin at the
// bottom-left of the primary monitor, y up. Visible frames leave out the struts of panels and docks.

#include "platform/Screens.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11WorkArea.h"

#include <QPoint>
#include <optional>

namespace corvane {

class X11Screens final : public QObject, public Screens {
    Q_OBJECT
public:
    explicit X11Screens(X11Connection& connection);

    QList<Screen> screens() const override;
    // The primary monitor.
    std::optional<Screen> mainScreen() const override;
    // With the device pixel ratio Qt gives each of its screens.
    QRect windowGeometry(const QRectF& screenFrame) const override;
    QRectF screenFrame(const QRect& windowGeometry) const override;

    // Root coordinates of the primary monitor's top-left (the AX origin) and its height.
    QPoint primaryOrigin() const;
    double primaryHeight() const;

    // Root rectangle (y down) to screen coordinates, and back.
    QRectF toScreen(const QRectF& rootRect) const;
    QRectF toRoot(const QRectF& screenRect) const;
    // Where the server's own pointer coordinates start on the root. Several X screens joined by
    // Xinerama keep them relative to the first screen, and recorded pointer events carry them so
    // (clients are sent root positions); elsewhere the root's origin.
    QPoint deviceOrigin() const;

signals:
    void screensChanged();

private:
    struct Monitor {
        QRect root; // in root coordinates
        bool isPrimary = false;
        QString name{};      // given once all are found
        QString connector{}; // RandR's name of the monitor; none for Xinerama's heads
    };
    // Cached: every frame read needs the primary monitor. Dropped when the monitors change.
    QList<Monitor> monitors() const;
    QList<Monitor> queryMonitors() const;
    QRect primaryRoot() const;
    // Cached: the window manager updates _NET_WORKAREA whenever a panel's strut changes, panels
    // come and go through _NET_CLIENT_LIST, and the work area is the current desktop's, so any of
    // those properties changing drops the cache.
    ReservedAreas reservedAreas() const;

    X11Connection& m_connection;
    X11WorkArea m_workArea;
    int m_randrEvent = -1;
    mutable std::optional<QList<Monitor>> m_monitors;
    mutable QPoint m_deviceOrigin; // with m_monitors
    mutable std::optional<ReservedAreas> m_reservedAreas;
    EventSubscription m_subscription; // last: removed before the rest goes
};

} // namespace corvane

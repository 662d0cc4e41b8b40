#pragma once
// The accessibility bus of the desktop (AT-SPI 2), spoken to over Qt D-Bus: finds the push button named
// for maximize under a point of an application's window. Its address is the one the X server announces
// (AT_SPI_BUS), else the one the session bus hands out; without either, nothing is found. Every
// question is bounded as a whole by its timeout.

#include "platform/AccessibilityBus.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Screens.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QHash>
#include <mutex>

namespace corvane {

class AtspiBus final : public AccessibilityBus {
public:
    AtspiBus(X11Connection& connection, X11Screens& screens);
    ~AtspiBus() override;

    BusButton maximizeButtonAt(qint32 pid, const QRectF& windowFrame, QPointF point, double timeout) override;

private:
    struct Node {
        QString service;
        QString path;
    };
    class Call;

    std::optional<QDBusConnection> openBus(const QDeadlineTimer& deadline);
    std::optional<Node> application(Call& call, qint32 pid);
    std::optional<Node> window(Call& call, const Node& application, const QRect& frame, QPoint point);

    X11Connection& m_connection;
    X11Screens& m_screens;
    std::mutex m_mutex;
    bool m_isConnected = false;
    QHash<QString, qint32> m_pids; // by the applications' names on the bus
};

} // namespace corvane

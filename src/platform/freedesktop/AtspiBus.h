#pragma once
// The accessibility bus of the desktop (AT-SPI 2), spoken to over Qt D-Bus: finds the push button named
// for maximize under a point of an application's window. Its address is the one the X server announces
// (on X11, AT_SPI_BUS), else the one the session bus hands out; without either, nothing is found. Every
// question is bounded as a whole by its timeout. Main thread only.

#include "platform/AccessibilityBus.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QHash>
#include <functional>

namespace corvane {

class AtspiBus final : public AccessibilityBus {
public:
    // What the display server adds: the bus address it announces within a timeout in seconds (empty
    // when it announces none), and where the primary screen's top-left lies in the coordinates the
    // applications report their windows in.
    struct Desktop {
        std::function<QString(double timeout)> announcedAddress;
        std::function<QPoint()> primaryOrigin;
    };
    explicit AtspiBus(Desktop desktop);
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

    const Desktop m_desktop;
    bool m_isConnected = false;
    QHash<QString, qint32> m_pids; // by the applications' names on the bus
};

} // namespace corvane

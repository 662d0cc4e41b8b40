#pragma once
// Corvane's own interface on the session bus, app.corvane.Corvane1 of CorvaneService's object: every
// placement by name for scripts and the desktop's own keyboard settings (the command line calls it
// too). It answers a placement once the window has been written to, or with the error of
// CorvaneCommands; CorvaneService.xml describes it.

#include "app/CorvaneCommands.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>

namespace corvane {

class CorvaneService;

class CorvaneAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.corvane.Corvane1")
public:
    static constexpr auto interfaceName = "app.corvane.Corvane1";

    CorvaneAdaptor(CorvaneService* service, QDBusConnection bus, CorvaneCommands& commands);

public slots:
    void ApplyLayout(const QString& name, const QDBusMessage& message);
    void CycleZone(int step, const QDBusMessage& message);
    void MoveToAdjacentScreen(int step, const QDBusMessage& message);
    void Resize(double width, double height, const QDBusMessage& message);
    void SnapToZone(const QString& layout, uint zone, const QDBusMessage& message);
    void SnapToZones(const QString& layout, uint first, uint last, const QDBusMessage& message);
    void Restore(const QDBusMessage& message);
    void MoveToNeighbourZone(const QString& direction, const QDBusMessage& message);
    void SwapWithNeighbour(const QString& direction, const QDBusMessage& message);
    QList<corvane::LayoutSummary> ListLayouts();
    void Settle(const QDBusMessage& message);
    void ShowSettings();
    void ShowPanel();

private:
    // The reply to a call, sent when the command answers: after this slot has returned, for a write.
    CorvaneCommands::Reply replyTo(const QDBusMessage& message);

    QDBusConnection m_bus;
    CorvaneCommands& m_commands;
};

} // namespace corvane

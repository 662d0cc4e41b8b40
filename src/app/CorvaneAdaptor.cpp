#include "CorvaneAdaptor.h"

#include "app/CorvaneService.h"

namespace corvane {

CorvaneAdaptor::CorvaneAdaptor(CorvaneService* service, QDBusConnection bus, CorvaneCommands& commands)
    : QDBusAbstractAdaptor(service)
    , m_bus(std::move(bus))
    , m_commands(commands) {
    registerLayoutSummaryType();
}

CorvaneCommands::Reply CorvaneAdaptor::replyTo(const QDBusMessage& message) {
    message.setDelayedReply(true);
    return [bus = m_bus, message](std::optional<CommandError> error) {
        QDBusConnection(bus).send(error ? message.createErrorReply(error->name, error->message)
                                        : message.createReply());
    };
}

void CorvaneAdaptor::ApplyLayout(const QString& name, const QDBusMessage& message) {
    m_commands.applyLayout(name, replyTo(message));
}

void CorvaneAdaptor::CycleZone(int step, const QDBusMessage& message) {
    m_commands.cycleZone(step, replyTo(message));
}

void CorvaneAdaptor::MoveToAdjacentScreen(int step, const QDBusMessage& message) {
    m_commands.moveToAdjacentScreen(step, replyTo(message));
}

void CorvaneAdaptor::Resize(double width, double height, const QDBusMessage& message) {
    m_commands.resize(width, height, replyTo(message));
}

void CorvaneAdaptor::SnapToZone(const QString& layout, uint zone, const QDBusMessage& message) {
    m_commands.snapToZone(layout, zone, replyTo(message));
}

void CorvaneAdaptor::SnapToZones(const QString& layout, uint first, uint last, const QDBusMessage& message) {
    m_commands.snapToZones(layout, first, last, replyTo(message));
}

void CorvaneAdaptor::Restore(const QDBusMessage& message) {
    m_commands.restore(replyTo(message));
}

void CorvaneAdaptor::MoveToNeighbourZone(const QString& direction, const QDBusMessage& message) {
    m_commands.moveToNeighbourZone(direction, replyTo(message));
}

void CorvaneAdaptor::SwapWithNeighbour(const QString& direction, const QDBusMessage& message) {
    m_commands.swapWithNeighbour(direction, replyTo(message));
}

QList<LayoutSummary> CorvaneAdaptor::ListLayouts() {
    return m_commands.listLayouts();
}

void CorvaneAdaptor::Settle(const QDBusMessage& message) {
    m_commands.settle(replyTo(message));
}

void CorvaneAdaptor::ShowSettings() {
    m_commands.showSettings();
}

void CorvaneAdaptor::ShowPanel() {
    m_commands.showPanel();
}

} // namespace corvane

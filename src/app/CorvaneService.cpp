#include "CorvaneService.h"

#include "app/ApplicationAdaptor.h"
#include "app/CorvaneAdaptor.h"
#include "app/CorvaneBusObject.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace corvane {

namespace {

QString displayNamePrefix() {
    return QLatin1String(CorvaneService::serviceName) + u'.';
}

} // namespace

QString CorvaneService::displayServiceName(const DisplayName& display) {
    return displayNamePrefix() + display.busElement();
}

std::optional<DisplayName> CorvaneService::displayOf(const QString& name) {
    if (!name.startsWith(displayNamePrefix()))
        return std::nullopt;
    return DisplayName::fromBusElement(name.mid(displayNamePrefix().size()));
}

CorvaneService::CorvaneService(QDBusConnection bus, DisplayName display, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_display(std::move(display))
    , m_object(new CorvaneBusObject(this)) {
    new ApplicationAdaptor(this);
}

CorvaneService::~CorvaneService() {
    if (!m_isServing)
        return;
    m_bus.unregisterObject(QLatin1String(objectPath));
    m_bus.unregisterService(QLatin1String(serviceName));
    m_bus.unregisterService(displayServiceName(m_display));
}

bool CorvaneService::start() {
    if (!m_bus.isConnected())
        return false;
    // The object first: a call may arrive as soon as a name is ours.
    if (!m_bus.registerVirtualObject(QLatin1String(objectPath), m_object))
        return false;
    QDBusConnectionInterface* names = m_bus.interface();
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        names->registerService(displayServiceName(m_display), QDBusConnectionInterface::DontQueueService,
                               QDBusConnectionInterface::DontAllowReplacement);
    m_isServing = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
    if (!m_isServing) {
        m_bus.unregisterObject(QLatin1String(objectPath));
        return false;
    }
    // In line for the usual name: scripts that call it keep reaching a Corvane while any runs.
    names->registerService(QLatin1String(serviceName), QDBusConnectionInterface::QueueService,
                           QDBusConnectionInterface::DontAllowReplacement);
    return true;
}

// Calls wait in the event loop until then; the bus object finds an adaptor added after it was served.
void CorvaneService::serve(CorvaneCommands& commands) {
    new CorvaneAdaptor(this, m_bus, commands);
}

bool CorvaneService::activateRunningInstance(const QDBusConnection& bus, const DisplayName& display) {
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(displayServiceName(display), QLatin1String(objectPath),
                                                       QLatin1String(ApplicationAdaptor::interfaceName),
                                                       QStringLiteral("Activate"));
    call << QVariantMap();
    // A running instance answers at once; one stuck in a long task is not waited for long.
    return bus.call(call, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
}

} // namespace corvane

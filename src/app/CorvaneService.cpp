#include "CorvaneService.h"

#include "app/ApplicationAdaptor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace corvane {

CorvaneService::CorvaneService(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus)) {
    new ApplicationAdaptor(this);
}

CorvaneService::~CorvaneService() {
    if (!m_isServing)
        return;
    m_bus.unregisterObject(QLatin1String(objectPath));
    m_bus.unregisterService(QLatin1String(serviceName));
}

bool CorvaneService::start() {
    if (!m_bus.isConnected())
        return false;
    // The object first: a call may arrive as soon as the name is ours.
    if (!m_bus.registerObject(QLatin1String(objectPath), this, QDBusConnection::ExportAdaptors))
        return false;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_bus.interface()->registerService(QLatin1String(serviceName),
                                           QDBusConnectionInterface::DontQueueService,
                                           QDBusConnectionInterface::DontAllowReplacement);
    m_isServing = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
    if (!m_isServing)
        m_bus.unregisterObject(QLatin1String(objectPath));
    return m_isServing;
}

bool CorvaneService::activateRunningInstance(QDBusConnection bus) {
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(serviceName), QLatin1String(objectPath),
                                                       QLatin1String(ApplicationAdaptor::interfaceName),
                                                       QStringLiteral("Activate"));
    call << QVariantMap();
    // A running instance answers at once; one stuck in a long task is not waited for long.
    return bus.call(call, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
}

} // namespace corvane

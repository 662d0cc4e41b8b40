#include "AgentBackend.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

namespace corvane {

AgentBackend::AgentBackend(QString name, QString lostMessage)
    : m_name(std::move(name))
    , m_lostMessage(std::move(lostMessage)) {}

bool AgentBackend::isOnSessionBus(const char* service) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QLatin1String(service)).value();
}

void AgentBackend::endWhenGone(const char* service) {
    auto* watcher = new QDBusServiceWatcher(QLatin1String(service), QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, &Backend::lost);
}

} // namespace corvane

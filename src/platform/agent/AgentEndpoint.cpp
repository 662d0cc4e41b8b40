#include "AgentEndpoint.h"

#include "platform/common/Log.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QJsonArray>

namespace corvane {

AgentEndpoint::AgentEndpoint(QDBusConnection bus, AgentDesktop& desktop, const Compositor& compositor,
                             QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_desktop(desktop)
    , m_compositor(compositor) {
    auto* watcher = new QDBusServiceWatcher(QLatin1String(m_compositor.service), m_bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &AgentEndpoint::refreshOwner);
    refreshOwner();
}

AgentEndpoint::~AgentEndpoint() {
    if (m_isRegistered)
        m_bus.unregisterObject(QLatin1String(objectPath));
}

bool AgentEndpoint::start() {
    m_isRegistered =
        m_bus.registerObject(QLatin1String(objectPath), this, QDBusConnection::ExportScriptableSlots);
    if (!m_isRegistered)
        qCWarning(lcGeneral, "%s: the bridge's bus object could not be served", m_compositor.agentName);
    return m_isRegistered;
}

void AgentEndpoint::refreshOwner() {
    QDBusConnectionInterface* names = m_bus.interface();
    const QDBusReply<QString> owner =
        names ? names->serviceOwner(QLatin1String(m_compositor.service)) : QDBusReply<QString>();
    m_owner = owner.isValid() ? owner.value() : QString();
}

bool AgentEndpoint::isFromCompositor(const QDBusMessage& message) {
    if (m_owner.isEmpty())
        refreshOwner();
    if (!m_owner.isEmpty() && message.service() == m_owner)
        return true;
    qCWarning(lcGeneral, "%s: refused a call from %s, which is not %s", m_compositor.agentName,
              qPrintable(message.service()), m_compositor.name);
    m_bus.send(message.createErrorReply(QStringLiteral("app.corvane.Error.NotAllowed"),
                                        QString::fromUtf8(m_compositor.refusal)));
    return false;
}

void AgentEndpoint::Report(const QString& json, const QDBusMessage& message) {
    if (!isFromCompositor(message))
        return;
    if (const std::optional<QJsonArray> events = AgentDesktop::events(json)) {
        for (const QJsonValue& event : *events)
            take(event.toObject());
    }
}

void AgentEndpoint::take(const QJsonObject& event) {
    m_desktop.apply(event);
}

} // namespace corvane

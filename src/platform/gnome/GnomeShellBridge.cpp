#include "GnomeShellBridge.h"

#include "platform/common/Log.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QJsonDocument>
#include <QTimer>

namespace corvane {

GnomeShellBridge::GnomeShellBridge(QDBusConnection bus, AgentDesktop& desktop, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_desktop(desktop) {
    auto* watcher = new QDBusServiceWatcher(QLatin1String(shellService), m_bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &GnomeShellBridge::refreshShellOwner);
    refreshShellOwner();
}

GnomeShellBridge::~GnomeShellBridge() {
    if (m_isRegistered)
        m_bus.unregisterObject(QLatin1String(objectPath));
}

bool GnomeShellBridge::start() {
    m_isRegistered =
        m_bus.registerObject(QLatin1String(objectPath), this, QDBusConnection::ExportScriptableSlots);
    return m_isRegistered;
}

void GnomeShellBridge::refreshShellOwner() {
    QDBusConnectionInterface* names = m_bus.interface();
    const QDBusReply<QString> owner =
        names ? names->serviceOwner(QLatin1String(shellService)) : QDBusReply<QString>();
    m_shellOwner = owner.isValid() ? owner.value() : QString();
}

bool GnomeShellBridge::isFromShell(const QDBusMessage& message) {
    if (m_shellOwner.isEmpty())
        refreshShellOwner();
    if (!m_shellOwner.isEmpty() && message.service() == m_shellOwner)
        return true;
    qCWarning(lcGeneral, "GNOME Shell extension: refused a call from %s, which is not GNOME Shell",
              qPrintable(message.service()));
    m_bus.send(message.createErrorReply(
        QStringLiteral("app.corvane.Error.NotAllowed"),
        QStringLiteral("Only Corvane's extension in GNOME Shell may call this object.")));
    return false;
}

void GnomeShellBridge::Report(const QString& json, const QDBusMessage& message) {
    if (!isFromShell(message))
        return;
    const std::optional<QJsonArray> events = AgentDesktop::events(json);
    if (!events)
        return;
    for (const QJsonValue& value : *events) {
        const QJsonObject event = value.toObject();
        const QString kind = event.value(QLatin1String("e")).toString();
        if (kind == u"key")
            emit keyPressed(event.value(QLatin1String("name")).toString().left(64));
        else if (kind == u"palette")
            emit canvasReported(event);
        else
            m_desktop.apply(event);
    }
}

void GnomeShellBridge::send(const QJsonObject& command) {
    m_pending.append(command);
    if (m_pending.size() == 1)
        QTimer::singleShot(0, this, &GnomeShellBridge::flush);
}

void GnomeShellBridge::flush() {
    if (m_pending.isEmpty())
        return;
    QDBusMessage run =
        QDBusMessage::createMethodCall(QLatin1String(shellService), QLatin1String(extensionPath),
                                       QLatin1String(extensionInterface), QStringLiteral("Run"));
    run << QString::fromUtf8(QJsonDocument(m_pending).toJson(QJsonDocument::Compact));
    m_pending = QJsonArray();
    ++m_callsInFlight;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(run, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        --m_callsInFlight;
        if (!call->isError())
            return;
        qCWarning(lcGeneral, "GNOME Shell extension: a command failed (%s: %s)",
                  qPrintable(call->error().name()), qPrintable(call->error().message().left(200)));
        emit callFailed(call->error().name());
    });
}

} // namespace corvane

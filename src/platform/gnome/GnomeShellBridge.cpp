#include "GnomeShellBridge.h"

#include "platform/common/Log.h"

#include <QDBusPendingCallWatcher>
#include <QJsonDocument>
#include <QTimer>

namespace corvane {

GnomeShellBridge::GnomeShellBridge(QDBusConnection bus, AgentDesktop& desktop, QObject* parent)
    : AgentEndpoint(std::move(bus), desktop,
                    {shellService, "GNOME Shell extension", "GNOME Shell",
                     "Only Corvane's extension in GNOME Shell may call this object."},
                    parent) {}

void GnomeShellBridge::take(const QJsonObject& event) {
    const QString kind = event.value(agentprotocol::keys::kEvent).toString();
    if (kind == agentprotocol::event::kKey)
        emit keyPressed(
            event.value(agentprotocol::field::kName).toString().left(agentprotocol::bounds::kMaxKeyName));
    else if (kind == agentprotocol::event::kPalette)
        emit canvasReported(event);
    else
        AgentEndpoint::take(event);
}

void GnomeShellBridge::send(const QJsonObject& command) {
    m_pending.append(command);
    if (m_pending.size() == 1)
        QTimer::singleShot(0, this, &GnomeShellBridge::flush);
}

void GnomeShellBridge::flush() {
    if (m_pending.isEmpty())
        return;
    QDBusMessage run = QDBusMessage::createMethodCall(QLatin1String(shellService), extensionPath,
                                                      extensionInterface, QStringLiteral("Run"));
    run << QString::fromUtf8(QJsonDocument(m_pending).toJson(QJsonDocument::Compact));
    m_pending = QJsonArray();
    ++m_callsInFlight;
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(run, kCallTimeoutMs), this);
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

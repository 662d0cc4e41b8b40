#include "KWinAgent.h"

#include "platform/common/Log.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QJsonDocument>

namespace corvane {

KWinAgent::KWinAgent(QDBusConnection bus, AgentDesktop& desktop, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_desktop(desktop) {
    m_gapTimer.setSingleShot(true);
    connect(&m_gapTimer, &QTimer::timeout, this, &KWinAgent::silent);
    auto* watcher = new QDBusServiceWatcher(QLatin1String(kwinService), m_bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &KWinAgent::refreshKWinOwner);
    refreshKWinOwner();
}

KWinAgent::~KWinAgent() {
    if (m_heldPoll)
        m_bus.send(m_heldPoll->createReply(QStringLiteral("[]")));
    if (m_isRegistered)
        m_bus.unregisterObject(QLatin1String(objectPath));
}

bool KWinAgent::start() {
    m_isRegistered =
        m_bus.registerObject(QLatin1String(objectPath), this, QDBusConnection::ExportScriptableSlots);
    return m_isRegistered;
}

void KWinAgent::refreshKWinOwner() {
    QDBusConnectionInterface* names = m_bus.interface();
    const QDBusReply<QString> owner =
        names ? names->serviceOwner(QLatin1String(kwinService)) : QDBusReply<QString>();
    m_kwinOwner = owner.isValid() ? owner.value() : QString();
}

bool KWinAgent::isFromKWin(const QDBusMessage& message) {
    if (m_kwinOwner.isEmpty())
        refreshKWinOwner();
    if (!m_kwinOwner.isEmpty() && message.service() == m_kwinOwner)
        return true;
    qCWarning(lcGeneral, "KWin agent: refused a call from %s, which is not KWin",
              qPrintable(message.service()));
    m_bus.send(message.createErrorReply(QStringLiteral("app.corvane.Error.NotAllowed"),
                                        QStringLiteral("Only KWin's agent script may call this object.")));
    return false;
}

QString KWinAgent::Poll(const QDBusMessage& message) {
    message.setDelayedReply(true);
    if (!isFromKWin(message))
        return {};
    m_gapTimer.stop();
    if (m_isExpectingFirstPoll) {
        m_isExpectingFirstPoll = false;
        emit scriptStarted();
    }
    // A second poll while one is held renews it, or comes from a script loaded again: the old one is
    // done.
    if (m_heldPoll)
        m_bus.send(m_heldPoll->createReply(QStringLiteral("[]")));
    m_heldPoll = message;
    if (!m_pending.isEmpty())
        QTimer::singleShot(0, this, &KWinAgent::answerPoll);
    else
        m_gapTimer.start(kPollRenewMs + kPollGapMs);
    return {};
}

void KWinAgent::Report(const QString& json, const QDBusMessage& message) {
    if (!isFromKWin(message))
        return;
    if (const std::optional<QJsonArray> events = AgentDesktop::events(json)) {
        for (const QJsonValue& event : *events)
            m_desktop.apply(event.toObject());
    }
}

void KWinAgent::send(const QJsonObject& command) {
    m_pending.append(command);
    // Commands of one turn of the event loop go together.
    if (m_heldPoll && m_pending.size() == 1)
        QTimer::singleShot(0, this, &KWinAgent::answerPoll);
}

void KWinAgent::expectScript() {
    m_isExpectingFirstPoll = true;
    m_gapTimer.start(kPollGapMs);
}

void KWinAgent::answerPoll() {
    if (!m_heldPoll)
        return;
    const QString answer = QString::fromUtf8(QJsonDocument(m_pending).toJson(QJsonDocument::Compact));
    m_pending = QJsonArray();
    m_bus.send(m_heldPoll->createReply(answer));
    m_heldPoll.reset();
    m_gapTimer.start(kPollGapMs);
}

} // namespace corvane

#include "KWinAgent.h"

#include <QJsonDocument>

namespace corvane {

KWinAgent::KWinAgent(QDBusConnection bus, AgentDesktop& desktop, QObject* parent)
    : AgentEndpoint(std::move(bus), desktop,
                    {kwinService, "KWin agent", "KWin", "Only KWin's agent script may call this object."},
                    parent) {
    m_gapTimer.setSingleShot(true);
    connect(&m_gapTimer, &QTimer::timeout, this, &KWinAgent::silent);
}

KWinAgent::~KWinAgent() {
    if (m_heldPoll)
        bus().send(m_heldPoll->createReply(QStringLiteral("[]")));
}

QString KWinAgent::Poll(const QDBusMessage& message) {
    message.setDelayedReply(true);
    if (!isFromCompositor(message))
        return {};
    m_gapTimer.stop();
    if (m_isExpectingFirstPoll) {
        m_isExpectingFirstPoll = false;
        emit scriptStarted();
    }
    // A second poll while one is held renews it, or comes from a script loaded again: the old one is
    // done.
    if (m_heldPoll)
        bus().send(m_heldPoll->createReply(QStringLiteral("[]")));
    m_heldPoll = message;
    if (!m_pending.isEmpty())
        QTimer::singleShot(0, this, &KWinAgent::answerPoll);
    else
        m_gapTimer.start(kPollRenewMs + kPollGapMs);
    return {};
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
    bus().send(m_heldPoll->createReply(answer));
    m_heldPoll.reset();
    m_gapTimer.start(kPollGapMs);
}

} // namespace corvane

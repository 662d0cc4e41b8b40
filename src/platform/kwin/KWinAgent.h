#pragma once
// The daemon's end of the bridge to the agent script in KWin: the D-Bus object the script calls
// (/app/corvane/Agent, app.corvane.Agent1). The script reports with Report(json) and asks for work
// with Poll(), which is held until there are commands to hand over, or answered empty before D-Bus's
// own timeout would end it in an error (KWin then drops the script's callback, ending its loop).
// Only KWin's own connection may call (AgentEndpoint). A script that stops polling is reported as
// silent. Main thread only.

#include "platform/agent/AgentEndpoint.h"

#include <QJsonArray>
#include <QTimer>
#include <optional>

namespace corvane {

class KWinAgent final : public AgentEndpoint {
    Q_OBJECT
public:
    static constexpr auto kwinService = "org.kde.KWin";
    // A poll is held until there is a command. While it is held the script polls anew this often
    // (the agent protocol's pollRenewMs, which the script reads too), before D-Bus's 25 s timeout would end
    // its call, and the held one is answered empty: an idle Corvane wakes for nothing but that, 2.5 times a
    // minute. A script unloaded meanwhile is missed until the next answer, which a command brings at once,
    // plus kPollGapMs, or until its renewal is kPollGapMs late.
    static constexpr int kPollRenewMs = agentprotocol::bounds::kPollRenewMs;
    // After an answer the script polls again at once; this long without a poll and it is silent.
    static constexpr int kPollGapMs = 3000;

    KWinAgent(QDBusConnection bus, AgentDesktop& desktop, QObject* parent = nullptr);
    ~KWinAgent() override;

    // Hands a command to the script with its next poll, in order.
    void send(const QJsonObject& command) override;
    // A (re)loaded script is expected: its first poll must come within kPollGapMs.
    void expectScript();
    // The script holds a poll and no command waits for one: it has run every command sent, unless an
    // answer crossed the script's renewal of its poll (a moment every kPollRenewMs).
    bool isIdle() const { return m_heldPoll.has_value() && m_pending.isEmpty(); }

public slots:
    Q_SCRIPTABLE QString Poll(const QDBusMessage& message);

signals:
    // No poll came within kPollGapMs: the script was unloaded, or KWin stopped running it.
    void silent();
    // The script polled for the first time since expectScript().
    void scriptStarted();

private:
    void answerPoll();

    std::optional<QDBusMessage> m_heldPoll;
    QJsonArray m_pending;
    QTimer m_gapTimer;
    bool m_isExpectingFirstPoll = false;
};

} // namespace corvane

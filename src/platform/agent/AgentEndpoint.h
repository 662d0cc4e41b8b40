#pragma once
// The daemon's end of the bridge to an agent of Corvane's inside a compositor: the D-Bus object the agent
// reports to (/app/corvane/Agent, app.corvane.Agent1) with Report(json), whose events go into the
// desktop. Only the compositor's own connection, the owner of its bus name followed as it changes, may
// call: any other program of the session is refused, so none can feign windows or learn what Corvane
// asks. How commands reach the agent is the transport's, the one part that differs: KWinAgent holds the
// script's long poll, GnomeShellBridge calls the extension's Run. Main thread only.

#include "platform/agent/AgentDesktop.h"
#include "platform/agent/AgentProtocol.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <string_view>

namespace corvane {

// D-Bus's class info takes a literal only: it is held to the protocol's name here.
static_assert(std::string_view("app.corvane.Agent1") ==
              std::string_view(agentprotocol::bus::kAgentInterface.data(),
                               agentprotocol::bus::kAgentInterface.size()));

class AgentEndpoint : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.corvane.Agent1")
public:
    static constexpr const char* objectPath = agentprotocol::bus::kAgentPath.data();

    // The compositor alone allowed to call, and how a refusal is logged and answered.
    struct Compositor {
        const char* service;   // its bus name: "org.kde.KWin"
        const char* agentName; // the log's name of the agent: "KWin agent"
        const char* name;      // as the log names the compositor: "KWin"
        const char* refusal;   // the error's text to any other caller
    };

    AgentEndpoint(QDBusConnection bus, AgentDesktop& desktop, const Compositor& compositor,
                  QObject* parent = nullptr);
    ~AgentEndpoint() override;

    // Serves the object; false (and said in the log) when the path is taken.
    bool start();
    // Hands a command to the agent, after the ones before it.
    virtual void send(const QJsonObject& command) = 0;

    QDBusConnection& bus() { return m_bus; }
    AgentDesktop& desktop() { return m_desktop; }

public slots:
    Q_SCRIPTABLE void Report(const QString& json, const QDBusMessage& message);

protected:
    // True for a call from the compositor; any other is answered with an error here.
    bool isFromCompositor(const QDBusMessage& message);
    // One event of a report; the desktop's unless the transport's agent reports more.
    virtual void take(const QJsonObject& event);

private:
    void refreshOwner();

    QDBusConnection m_bus;
    AgentDesktop& m_desktop;
    Compositor m_compositor;
    QString m_owner;
    bool m_isRegistered = false;
};

} // namespace corvane

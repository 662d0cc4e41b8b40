#pragma once
// The daemon's end of the bridge to Corvane's extension in GNOME Shell. The extension serves
// /app/corvane/Shell (app.corvane.Shell1) on the Shell's connection and runs the commands it is given
// with Run(json), for the owner of app.corvane.Corvane only; it reports to this object,
// /app/corvane/Agent (app.corvane.Agent1), with Report(json). Only the Shell's own connection may
// report here (AgentEndpoint). Commands of one turn of the event loop go in one call, which is bounded;
// none is waited for. Main thread only.

#include "platform/agent/AgentEndpoint.h"

#include <QJsonArray>

namespace corvane {

class GnomeShellBridge final : public AgentEndpoint {
    Q_OBJECT
public:
    static constexpr auto shellService = "org.gnome.Shell";
    static constexpr QLatin1StringView extensionPath = agentprotocol::bus::kShellPath;
    static constexpr QLatin1StringView extensionInterface = agentprotocol::bus::kShellInterface;
    // A call into the Shell answers in about a millisecond; one that takes this long is lost.
    static constexpr int kCallTimeoutMs = 2000;

    GnomeShellBridge(QDBusConnection bus, AgentDesktop& desktop, QObject* parent = nullptr);

    // Hands a command to the extension, after the ones before it.
    void send(const QJsonObject& command) override;
    // Every command handed on has been answered: the extension has run it, or refused it.
    bool isIdle() const { return m_pending.isEmpty() && m_callsInFlight == 0; }

signals:
    // A keybinding the extension holds for us was pressed.
    void keyPressed(const QString& name);
    // The pointer over what the extension draws for the core (GnomeCanvas reads it).
    void canvasReported(const QJsonObject& event);
    // The extension refused or did not take a call: it is not running, or runs for another Corvane.
    void callFailed(const QString& error);

protected:
    // Keys pressed and the pointer over the canvas are the backend's; the rest is the desktop's.
    void take(const QJsonObject& event) override;

private:
    void flush();

    QJsonArray m_pending;
    int m_callsInFlight = 0;
};

} // namespace corvane

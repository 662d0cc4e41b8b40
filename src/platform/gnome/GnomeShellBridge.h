#pragma once
// The daemon's end of the bridge to Corvane's extension in GNOME Shell. The extension serves
// /app/corvane/Shell (app.corvane.Shell1) on the Shell's connection and runs the commands it is given
// with Run(json), for the owner of app.corvane.Corvane only; it reports to this object,
// /app/corvane/Agent (app.corvane.Agent1), with Report(json). Only the Shell's own connection may
// report here: no other program of the session can feign windows. Commands of one turn of the event
// loop go in one call, which is bounded; none is waited for. Main thread only.

#include "platform/agent/AgentDesktop.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QObject>

namespace corvane {

class GnomeShellBridge : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.corvane.Agent1")
public:
    static constexpr auto objectPath = "/app/corvane/Agent";
    static constexpr auto shellService = "org.gnome.Shell";
    static constexpr auto extensionPath = "/app/corvane/Shell";
    static constexpr auto extensionInterface = "app.corvane.Shell1";
    // A call into the Shell answers in about a millisecond; one that takes this long is lost.
    static constexpr int kCallTimeoutMs = 2000;

    GnomeShellBridge(QDBusConnection bus, AgentDesktop& desktop, QObject* parent = nullptr);
    ~GnomeShellBridge() override;

    // Serves the object; false when the path is taken.
    bool start();
    // Hands a command to the extension, after the ones before it.
    void send(const QJsonObject& command);
    // Every command handed on has been answered: the extension has run it, or refused it.
    bool isIdle() const { return m_pending.isEmpty() && m_callsInFlight == 0; }

public slots:
    Q_SCRIPTABLE void Report(const QString& json, const QDBusMessage& message);

signals:
    // A keybinding the extension holds for us was pressed.
    void keyPressed(const QString& name);
    // The pointer over what the extension draws for the core (GnomeCanvas reads it).
    void canvasReported(const QJsonObject& event);
    // The extension refused or did not take a call: it is not running, or runs for another Corvane.
    void callFailed(const QString& error);

private:
    bool isFromShell(const QDBusMessage& message);
    void flush();
    void refreshShellOwner();

    QDBusConnection m_bus;
    AgentDesktop& m_desktop;
    QString m_shellOwner;
    QJsonArray m_pending;
    int m_callsInFlight = 0;
    bool m_isRegistered = false;
};

} // namespace corvane

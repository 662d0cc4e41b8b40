#pragma once
// A message bus of the test's own (dbus-daemon, ended with the object), to stand in for the system
// or session bus: each client connects under a name of its own.

#include <QDBusConnection>
#include <QProcess>

namespace corvane {

class PrivateBus {
public:
    PrivateBus() {
        m_daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address"});
        if (m_daemon.waitForReadyRead(5000))
            address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus() {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    QDBusConnection connect(const QString& name) { return QDBusConnection::connectToBus(address, name); }

    QString address;

private:
    QProcess m_daemon;
};

} // namespace corvane

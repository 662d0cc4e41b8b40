#pragma once
// Whether Corvane's extension runs in GNOME Shell, from the Shell's own record of its extensions
// (org.gnome.Shell.Extensions), followed as it changes; and turning it on there. The Shell looks for
// new extensions only when it starts, so one installed later is not known to it until the user logs in
// again. Every call is bounded.

#include "platform/DesktopAgent.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace corvane {

class GnomeExtensionState final : public DesktopAgent {
    Q_OBJECT
public:
    static constexpr auto uuid = "corvane@corvane.app";
    // The Shell serves its record of extensions on its own object (the bus name
    // org.gnome.Shell.Extensions is the Extensions application's, which calling would start).
    static constexpr auto service = "org.gnome.Shell";
    static constexpr auto path = "/org/gnome/Shell";
    static constexpr int kCallTimeoutMs = 1000;

    // Reads the state now.
    explicit GnomeExtensionState(QDBusConnection bus, QObject* parent = nullptr);

    QString name() const override { return QStringLiteral("Corvane's GNOME Shell extension"); }
    State state() const override { return m_state; }
    QString detail() const override { return m_detail; }
    void turnOn() override;

    // The state the Shell's record of an extension means: `info` as GetExtensionInfo answers (empty for
    // one the Shell does not know), whether a copy is installed, whether the user allows extensions.
    static State stateOf(const QVariantMap& info, bool isInstalled, bool areExtensionsAllowed);
    // Whether a copy lies where GNOME Shell looks: gnome-shell/extensions/UUID in the data folders.
    static bool isInstalled();

private slots:
    void extensionStateChanged(const QString& changedUuid, const QVariantMap& info);
    void refresh();

private:
    QDBusMessage call(const QString& method, const QVariantList& arguments, const QString& interface = {});
    bool areExtensionsAllowed();
    void apply(const QVariantMap& info);

    QDBusConnection m_bus;
    State m_state = State::NotInstalled;
    QString m_detail;
};

} // namespace corvane

#include "GnomeExtensionState.h"

#include "platform/common/Log.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QFileInfo>
#include <QMetaEnum>
#include <QStandardPaths>

namespace corvane {

namespace {
constexpr auto kInterface = "org.gnome.Shell.Extensions";
constexpr auto kProperties = "org.freedesktop.DBus.Properties";
// The Shell's numbers for an extension's state.
enum ShellState { Active = 1, Inactive = 2, Error = 3, OutOfDate = 4, Initialized = 6, Activating = 8 };
} // namespace

GnomeExtensionState::GnomeExtensionState(QDBusConnection bus, QObject* parent)
    : DesktopAgent(parent)
    , m_bus(std::move(bus)) {
    m_bus.connect(QLatin1String(service), QLatin1String(path), QLatin1String(kInterface),
                  QStringLiteral("ExtensionStateChanged"), this,
                  SLOT(extensionStateChanged(QString, QVariantMap)));
    // A Shell that starts again looks at the installed extensions again.
    auto* watcher = new QDBusServiceWatcher(QLatin1String(service), m_bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &GnomeExtensionState::refresh);
    refresh();
}

DesktopAgent::State GnomeExtensionState::stateOf(const QVariantMap& info, bool isInstalled,
                                                 bool areExtensionsAllowed) {
    if (info.isEmpty())
        return isInstalled ? State::NeedsNewLogin : State::NotInstalled;
    switch (info.value(QStringLiteral("state")).toInt()) {
    case Active:
        return State::Running;
    case Error:
        return State::Failed;
    case OutOfDate:
        return State::Untested;
    case Activating:
        return State::TurnedOff; // on its way: told again when it runs
    case Inactive:
    case Initialized:
        return State::TurnedOff;
    default:
        break;
    }
    // Downloading, or a state of a later Shell.
    return areExtensionsAllowed && isInstalled ? State::TurnedOff : State::NotInstalled;
}

bool GnomeExtensionState::isInstalled() {
    const QString relative =
        QStringLiteral("gnome-shell/extensions/%1/metadata.json").arg(QLatin1String(uuid));
    return !QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative).isEmpty();
}

QDBusMessage GnomeExtensionState::call(const QString& method, const QVariantList& arguments,
                                       const QString& interface) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(QLatin1String(service), QLatin1String(path),
                                       interface.isEmpty() ? QLatin1String(kInterface) : interface, method);
    message.setArguments(arguments);
    return m_bus.call(message, QDBus::Block, kCallTimeoutMs);
}

bool GnomeExtensionState::areExtensionsAllowed() {
    const QDBusMessage reply =
        call(QStringLiteral("Get"), {QLatin1String(kInterface), QStringLiteral("UserExtensionsEnabled")},
             QLatin1String(kProperties));
    return reply.type() != QDBusMessage::ReplyMessage ||
           reply.arguments().value(0).value<QDBusVariant>().variant().toBool();
}

void GnomeExtensionState::refresh() {
    const QDBusMessage reply = call(QStringLiteral("GetExtensionInfo"), {QLatin1String(uuid)});
    apply(reply.type() == QDBusMessage::ReplyMessage ? qdbus_cast<QVariantMap>(reply.arguments().value(0))
                                                     : QVariantMap());
}

void GnomeExtensionState::extensionStateChanged(const QString& changedUuid, const QVariantMap& info) {
    if (changedUuid == QLatin1String(uuid))
        apply(info);
}

void GnomeExtensionState::apply(const QVariantMap& info) {
    const bool isAllowed = info.isEmpty() || areExtensionsAllowed();
    State state = stateOf(info, isInstalled(), isAllowed);
    // With the user's switch for all extensions off, ours does not run whatever its own state says.
    if (state == State::Running && !isAllowed)
        state = State::TurnedOff;
    QString detail;
    if (state == State::Failed)
        detail = info.value(QStringLiteral("error")).toString().left(500);
    else if (state == State::Untested)
        detail = call(QStringLiteral("Get"), {QLatin1String(kInterface), QStringLiteral("ShellVersion")},
                      QLatin1String(kProperties))
                     .arguments()
                     .value(0)
                     .value<QDBusVariant>()
                     .variant()
                     .toString()
                     .left(40);
    if (state == m_state && detail == m_detail)
        return;
    m_state = state;
    m_detail = detail;
    qCInfo(lcGeneral, "GNOME Shell extension: %s%s%s", QMetaEnum::fromType<State>().valueToKey(int(state)),
           detail.isEmpty() ? "" : ": ", qPrintable(detail));
    emit stateChanged();
}

void GnomeExtensionState::turnOn() {
    if (!areExtensionsAllowed())
        call(QStringLiteral("Set"),
             {QLatin1String(kInterface), QStringLiteral("UserExtensionsEnabled"),
              QVariant::fromValue(QDBusVariant(true))},
             QLatin1String(kProperties));
    const QDBusMessage reply = call(QStringLiteral("EnableExtension"), {QLatin1String(uuid)});
    if (reply.type() != QDBusMessage::ReplyMessage || !reply.arguments().value(0).toBool())
        qCWarning(lcGeneral, "GNOME Shell extension: the Shell did not turn it on (%s)",
                  qPrintable(reply.errorMessage()));
    refresh();
}

} // namespace corvane

#include "CommandClient.h"

#include "app/CorvaneAdaptor.h"
#include "app/CorvaneService.h"
#include "app/LayoutSummary.h"

#include <QDBusError>
#include <QDBusMessage>

namespace corvane {

namespace {

int notRunning(std::FILE* err, const QString& display) {
    if (display.isEmpty())
        std::fputs("Corvane is not running.\n", err);
    else
        std::fprintf(err, "Corvane is not running on display %s.\n", display.toLocal8Bit().constData());
    return CommandClient::kNotRunningStatus;
}

// Calls and waits. Qt's bus thread announces a call that failed after it has handed the reply over,
// and would do so while this process is being torn down (Qt then warns of an invalid type): a round
// trip after a failure waits until the bus thread has moved on to its reply.
QDBusMessage callAndSettle(const QDBusConnection& bus, const QDBusMessage& call) {
    const QDBusMessage reply = bus.call(call, QDBus::Block, CommandClient::kReplyTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        bus.call(QDBusMessage::createMethodCall(
                     QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                     QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")),
                 QDBus::Block, CommandClient::kReplyTimeoutMs);
    return reply;
}

// The displays of the Corvanes on the bus, by their per-display names.
QStringList runningDisplays(const QDBusConnection& bus) {
    const QDBusMessage reply =
        callAndSettle(bus, QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                          QStringLiteral("/org/freedesktop/DBus"),
                                                          QStringLiteral("org.freedesktop.DBus"),
                                                          QStringLiteral("ListNames")));
    QStringList displays;
    for (const QString& name : reply.arguments().value(0).toStringList()) {
        if (const std::optional<DisplayName> display = CorvaneService::displayOf(name))
            displays.append(display->text());
    }
    displays.sort();
    return displays;
}

} // namespace

int CommandClient::run(const ScriptCommand& command, const QDBusConnection& bus, const QString& display,
                       std::FILE* out, std::FILE* err) {
    if (!bus.isConnected())
        return notRunning(err, display);
    QString target = display;
    if (target.isEmpty()) {
        const QStringList displays = runningDisplays(bus);
        if (displays.isEmpty())
            return notRunning(err, display);
        if (displays.size() > 1) {
            std::fprintf(err, "Corvane runs on displays %s: set DISPLAY to the one to act on.\n",
                         displays.join(QStringLiteral(", ")).toLocal8Bit().constData());
            return kSeveralRunningStatus;
        }
        target = displays.first();
    }
    // An X display, else the Wayland socket of a compositor's session.
    std::optional<DisplayName> name = DisplayName::parse(target);
    if (!name)
        name = DisplayName::ofWaylandSocket(target);
    if (!name)
        return notRunning(err, display);
    QDBusMessage call = QDBusMessage::createMethodCall(
        CorvaneService::displayServiceName(*name), QLatin1String(CorvaneService::objectPath),
        QLatin1String(CorvaneAdaptor::interfaceName), command.method);
    call.setArguments(command.arguments);
    // Only a running Corvane answers: the bus is not to start one for a command.
    call.setAutoStartService(false);
    registerLayoutSummaryType();
    const QDBusMessage reply = callAndSettle(bus, call);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        const QDBusError::ErrorType type = QDBusError(reply).type();
        if (type == QDBusError::ServiceUnknown ||
            reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
            return notRunning(err, display);
        std::fprintf(err, "corvane: %s\n", reply.errorMessage().toLocal8Bit().constData());
        return kFailedStatus;
    }
    if (command.method == u"ListLayouts") {
        const auto layouts = qdbus_cast<QList<LayoutSummary>>(reply.arguments().value(0));
        for (const LayoutSummary& layout : layouts)
            std::fprintf(out, "%u\t%s\n", layout.zoneCount, layout.name.toLocal8Bit().constData());
    }
    return 0;
}

} // namespace corvane

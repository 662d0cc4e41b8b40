#include "CommandClient.h"

#include "app/CorvaneAdaptor.h"
#include "app/CorvaneService.h"
#include "app/LayoutSummary.h"

#include <QDBusError>
#include <QDBusMessage>

namespace corvane {

namespace {

int notRunning(std::FILE* err) {
    std::fputs("Corvane is not running.\n", err);
    return CommandClient::kNotRunningStatus;
}

} // namespace

int CommandClient::run(const ScriptCommand& command, QDBusConnection bus, std::FILE* out, std::FILE* err) {
    if (!bus.isConnected())
        return notRunning(err);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(CorvaneService::serviceName), QLatin1String(CorvaneService::objectPath),
        QLatin1String(CorvaneAdaptor::interfaceName), command.method);
    call.setArguments(command.arguments);
    // Only a running Corvane answers: the bus is not to start one for a command.
    call.setAutoStartService(false);
    registerLayoutSummaryType();
    const QDBusMessage reply = bus.call(call, QDBus::Block, kReplyTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        const QDBusError::ErrorType type = QDBusError(reply).type();
        if (type == QDBusError::ServiceUnknown ||
            reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
            return notRunning(err);
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

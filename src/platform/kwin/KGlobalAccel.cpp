#include "KGlobalAccel.h"

#include "platform/common/Log.h"

#include <QDBusMessage>
#include <QDBusMetaType>

namespace corvane {

KGlobalAccel::KGlobalAccel(QDBusConnection bus)
    : m_bus(std::move(bus)) {
    qDBusRegisterMetaType<QList<int>>();
}

bool KGlobalAccel::doRegister(const QStringList& actionId) {
    return call(QStringLiteral("doRegister"), {actionId}).has_value();
}

std::optional<QList<int>> KGlobalAccel::setShortcut(const QStringList& actionId, const QList<int>& keys,
                                                    uint flags) {
    const auto reply =
        call(QStringLiteral("setShortcut"), {actionId, QVariant::fromValue(keys), flags});
    if (!reply || reply->isEmpty())
        return std::nullopt;
    return qdbus_cast<QList<int>>(reply->first());
}

bool KGlobalAccel::setInactive(const QStringList& actionId) {
    return call(QStringLiteral("setInactive"), {actionId}).has_value();
}

std::optional<QStringList> KGlobalAccel::action(int key) {
    const auto reply = call(QStringLiteral("action"), {key});
    if (!reply || reply->isEmpty())
        return std::nullopt;
    return reply->first().toStringList();
}

bool KGlobalAccel::blockGlobalShortcuts(bool isBlocked) {
    return call(QStringLiteral("blockGlobalShortcuts"), {isBlocked}).has_value();
}

std::optional<QList<QVariant>> KGlobalAccel::call(const QString& method, const QList<QVariant>& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, QStringLiteral("/kglobalaccel"),
                                                          QStringLiteral("org.kde.KGlobalAccel"), method);
    message.setArguments(arguments);
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        if (!std::exchange(m_isFailing, true))
            qCWarning(lcGeneral).noquote() << "kglobalaccel:" << method << "failed:" << reply.errorMessage();
        return std::nullopt;
    }
    m_isFailing = false;
    return reply.arguments();
}

} // namespace corvane

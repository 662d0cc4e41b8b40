#include "KGlobalAccel.h"

#include "platform/common/Log.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>

namespace corvane {

namespace {

// The keys of a reply, ai: kglobalaccel fills unused places with 0, an empty key.
std::optional<QList<int>> keysOfReply(const std::optional<QList<QVariant>>& reply) {
    if (!reply || reply->isEmpty())
        return std::nullopt;
    QList<int> keys = qdbus_cast<QList<int>>(reply->first());
    keys.removeAll(0);
    return keys;
}

} // namespace

QList<int> KGlobalAccel::firstKeys(const QDBusArgument& sequences) {
    QList<int> keys;
    sequences.beginArray();
    while (!sequences.atEnd()) {
        QList<int> sequence;
        sequences.beginStructure();
        sequences >> sequence;
        sequences.endStructure();
        if (!sequence.isEmpty() && sequence.first() != 0)
            keys.append(sequence.first());
    }
    sequences.endArray();
    return keys;
}

KGlobalAccel::KGlobalAccel(QDBusConnection bus)
    : m_bus(std::move(bus)) {
    qDBusRegisterMetaType<QList<int>>();
}

bool KGlobalAccel::doRegister(const QStringList& actionId) {
    return call(QStringLiteral("doRegister"), {actionId}).has_value();
}

std::optional<QList<int>> KGlobalAccel::setShortcut(const QStringList& actionId, const QList<int>& keys,
                                                    uint flags) {
    return keysOfReply(call(QStringLiteral("setShortcut"), {actionId, QVariant::fromValue(keys), flags}));
}

std::optional<QList<int>> KGlobalAccel::defaultShortcut(const QStringList& actionId) {
    // Its twin defaultShortcut, with keys as ai, answers with the action's present keys in KWin 6.3.
    const auto reply = call(QStringLiteral("defaultShortcutKeys"), {actionId});
    if (!reply || reply->isEmpty())
        return std::nullopt;
    return firstKeys(qvariant_cast<QDBusArgument>(reply->first()));
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

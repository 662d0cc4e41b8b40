#include "CorvaneBusObject.h"

#include "app/CorvaneCommands.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QMetaMethod>
#include <array>

namespace corvane {

namespace {

QString interfaceOf(const QDBusAbstractAdaptor* adaptor) {
    const QMetaObject* meta = adaptor->metaObject();
    return QString::fromLatin1(meta->classInfo(meta->indexOfClassInfo("D-Bus Interface")).value());
}

bool takesMessage(const QMetaMethod& slot) {
    return slot.parameterCount() > 0 &&
           slot.parameterMetaType(slot.parameterCount() - 1) == QMetaType::fromType<QDBusMessage>();
}

// The parameters a call fills, the trailing QDBusMessage left out.
int callParameterCount(const QMetaMethod& slot) {
    return slot.parameterCount() - (takesMessage(slot) ? 1 : 0);
}

QString inputSignature(const QMetaMethod& slot) {
    QString signature;
    for (int i = 0; i < callParameterCount(slot); ++i)
        signature += QLatin1String(QDBusMetaType::typeToSignature(slot.parameterMetaType(i)));
    return signature;
}

// The public slot of that name, the adaptor's own; an invalid method when there is none.
QMetaMethod slotNamed(const QDBusAbstractAdaptor* adaptor, const QString& name) {
    const QMetaObject* meta = adaptor->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Public &&
            method.name() == name.toLatin1())
            return method;
    }
    return {};
}

// A call's argument as the slot's parameter type: Qt hands containers and structures over still
// marshalled.
QVariant asParameter(const QVariant& argument, QMetaType type) {
    if (argument.metaType() != QMetaType::fromType<QDBusArgument>())
        return argument;
    QVariant value(type);
    QDBusMetaType::demarshall(qvariant_cast<QDBusArgument>(argument), type, value.data());
    return value;
}

} // namespace

CorvaneBusObject::CorvaneBusObject(QObject* service)
    : QDBusVirtualObject(service)
    , m_service(service) {}

QList<QDBusAbstractAdaptor*> CorvaneBusObject::adaptors() const {
    return m_service->findChildren<QDBusAbstractAdaptor*>(Qt::FindDirectChildrenOnly);
}

bool CorvaneBusObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    bool isOurInterface = false;
    for (QDBusAbstractAdaptor* adaptor : adaptors()) {
        if (!message.interface().isEmpty() && message.interface() != interfaceOf(adaptor))
            continue;
        isOurInterface = true;
        if (const QMetaMethod slot = slotNamed(adaptor, message.member()); slot.isValid()) {
            invoke(adaptor, slot, message, connection);
            return true;
        }
    }
    if (!isOurInterface || message.interface().isEmpty())
        return false; // Qt answers the standard interfaces, and says what is unknown
    connection.send(message.createErrorReply(
        QDBusError::UnknownMethod,
        QStringLiteral("%1 has no method %2.")
            .arg(message.interface(), message.member().left(CorvaneCommands::kMaxEchoedCharacters))));
    return true;
}

void CorvaneBusObject::invoke(QDBusAbstractAdaptor* adaptor, const QMetaMethod& slot,
                              const QDBusMessage& message, const QDBusConnection& connection) {
    const QString expected = inputSignature(slot);
    if (message.signature() != expected) {
        connection.send(message.createErrorReply(
            QDBusError::InvalidArgs,
            QStringLiteral("%1 takes (%2), not (%3).")
                .arg(message.member(), expected,
                     message.signature().left(CorvaneCommands::kMaxEchoedCharacters))));
        return;
    }
    const QVariantList arguments = message.arguments();
    std::array<QVariant, 10> values;
    std::array<QGenericArgument, 10> parameters;
    for (int i = 0; i < callParameterCount(slot); ++i) {
        values[i] = asParameter(arguments[i], slot.parameterMetaType(i));
        parameters[i] = QGenericArgument(values[i].metaType().name(), values[i].constData());
    }
    if (takesMessage(slot))
        parameters[callParameterCount(slot)] = QGenericArgument("QDBusMessage", &message);
    const bool hasResult = slot.returnMetaType() != QMetaType::fromType<void>();
    QVariant result = hasResult ? QVariant(slot.returnMetaType()) : QVariant();
    const QGenericReturnArgument returned =
        hasResult ? QGenericReturnArgument(slot.returnMetaType().name(), result.data())
                  : QGenericReturnArgument();
    slot.invoke(adaptor, Qt::DirectConnection, returned, parameters[0], parameters[1], parameters[2],
                parameters[3], parameters[4], parameters[5], parameters[6], parameters[7], parameters[8],
                parameters[9]);
    // A slot that took the message and delayed its reply answers by itself.
    if (!message.isDelayedReply())
        connection.send(hasResult ? message.createReply(result) : message.createReply());
}

QString CorvaneBusObject::introspect(const QString&) const {
    QString xml;
    for (const QDBusAbstractAdaptor* adaptor :
         m_service->findChildren<QDBusAbstractAdaptor*>(Qt::FindDirectChildrenOnly)) {
        xml += QStringLiteral("  <interface name=\"%1\">\n").arg(interfaceOf(adaptor));
        const QMetaObject* meta = adaptor->metaObject();
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod slot = meta->method(i);
            if (slot.methodType() != QMetaMethod::Slot || slot.access() != QMetaMethod::Public)
                continue;
            xml += QStringLiteral("    <method name=\"%1\">\n").arg(QString::fromLatin1(slot.name()));
            for (int p = 0; p < callParameterCount(slot); ++p)
                xml += QStringLiteral("      <arg name=\"%1\" type=\"%2\" direction=\"in\"/>\n")
                           .arg(QString::fromLatin1(slot.parameterNames().at(p)),
                                QLatin1String(QDBusMetaType::typeToSignature(slot.parameterMetaType(p))));
            if (slot.returnMetaType() != QMetaType::fromType<void>())
                xml += QStringLiteral("      <arg type=\"%1\" direction=\"out\"/>\n")
                           .arg(QLatin1String(QDBusMetaType::typeToSignature(slot.returnMetaType())));
            xml += QStringLiteral("    </method>\n");
        }
        xml += QStringLiteral("  </interface>\n");
    }
    return xml;
}

} // namespace corvane

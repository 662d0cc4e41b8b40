#pragma once
// CorvaneService's object as the bus sees it: each call goes to the slot of the same name on the
// adaptor of its interface (ApplicationAdaptor, CorvaneAdaptor), and a call with arguments that
// slot does not take is refused with org.freedesktop.DBus.Error.InvalidArgs, where Qt's own
// dispatch would call the method unknown. It also describes the adaptors' slots to Introspect.

#include <QDBusVirtualObject>

class QDBusAbstractAdaptor;
class QMetaMethod;

namespace corvane {

class CorvaneBusObject : public QDBusVirtualObject {
    Q_OBJECT
public:
    // Serves the adaptors that are children of `service` when a call arrives, added later ones too.
    explicit CorvaneBusObject(QObject* service);

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    QString introspect(const QString& path) const override;

private:
    QList<QDBusAbstractAdaptor*> adaptors() const;
    // Runs the slot with the call's arguments and answers the call, unless the slot answers later.
    static void invoke(QDBusAbstractAdaptor* adaptor, const QMetaMethod& slot, const QDBusMessage& message,
                       const QDBusConnection& connection);

    QObject* m_service;
};

} // namespace corvane

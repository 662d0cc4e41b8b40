#pragma once
// The standard org.freedesktop.Application interface of CorvaneService's object: Activate brings
// Corvane forward. Corvane opens no files and has no actions, so it offers Activate alone.

#include <QDBusAbstractAdaptor>
#include <QVariantMap>

namespace corvane {

class CorvaneService;

class ApplicationAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    static constexpr auto interfaceName = "org.freedesktop.Application";

    explicit ApplicationAdaptor(CorvaneService* service);

public slots:
    // `platformData` may carry a startup-notification id; the window manager's focus rules decide.
    void Activate(const QVariantMap& platformData);

private:
    CorvaneService* m_service;
};

} // namespace corvane

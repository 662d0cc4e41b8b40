#include "StatusNotifierTray.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <iostream>
#include <utility>

namespace {

QDBusConnection bus() {
    return QDBusConnection::sessionBus();
}

// "SERVICE/PATH" split at the first slash.
std::pair<QString, QString> serviceAndPath(const QString& item) {
    const qsizetype slash = item.indexOf(QLatin1Char('/'));
    return {item.left(slash), item.mid(slash)};
}

void say(const QString& line) {
    std::cout << "tray: " << line.toStdString() << std::endl;
}

} // namespace

StatusNotifierTray::StatusNotifierTray(QObject* parent)
    : QObject(parent)
    , m_itemOwners(
          new QDBusServiceWatcher(QString(), bus(), QDBusServiceWatcher::WatchForUnregistration, this)) {
    m_isServing =
        bus().registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                             QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties |
                                 QDBusConnection::ExportAllSignals) &&
        bus().registerService(QStringLiteral("org.kde.StatusNotifierWatcher")) &&
        bus().registerService(
            QStringLiteral("org.kde.StatusNotifierHost-%1").arg(QCoreApplication::applicationPid()));
    connect(m_itemOwners, &QDBusServiceWatcher::serviceUnregistered, this, [this](const QString& service) {
        for (const QString& item : std::exchange(m_items, {})) {
            if (serviceAndPath(item).first == service)
                emit StatusNotifierItemUnregistered(item);
            else
                m_items.append(item);
        }
        m_itemOwners->removeWatchedService(service);
    });
}

void StatusNotifierTray::RegisterStatusNotifierItem(const QString& serviceOrPath) {
    // An item names its bus name, or only its path on the caller's connection.
    const bool isPath = serviceOrPath.startsWith(QLatin1Char('/'));
    const QString service = isPath ? message().service() : serviceOrPath;
    const QString item = service + (isPath ? serviceOrPath : QStringLiteral("/StatusNotifierItem"));
    if (m_items.contains(item))
        return;
    m_items.append(item);
    m_itemOwners->addWatchedService(service);
    say(QStringLiteral("item %1").arg(service));
    emit StatusNotifierItemRegistered(item);
}

void StatusNotifierTray::RegisterStatusNotifierHost(const QString&) {
    emit StatusNotifierHostRegistered();
}

void StatusNotifierTray::activateFirstItem(QPoint at) {
    if (m_items.isEmpty())
        return;
    const auto [service, path] = serviceAndPath(m_items.first());
    QDBusMessage activate = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"));
    activate << at.x() << at.y();
    bus().send(activate);
    say(QStringLiteral("activate %1 %2 %3").arg(service).arg(at.x()).arg(at.y()));
}

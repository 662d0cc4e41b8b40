#include "AgentApplication.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

namespace corvane {

namespace {
constexpr auto kWatcherService = "org.kde.StatusNotifierWatcher";
} // namespace

AgentApplication::AgentApplication(const QDBusConnection& bus, AgentDesktop& desktop, QString trayHint)
    : m_trayHint(std::move(trayHint)) {
    connect(&desktop, &AgentDesktop::outputsChanged, this, &Application::screenParametersDidChange);
    if (QDBusConnectionInterface* names = bus.interface())
        m_isTrayAvailable = names->isServiceRegistered(QLatin1String(kWatcherService)).value();
    auto* watcher = new QDBusServiceWatcher(QLatin1String(kWatcherService), bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                const bool isAvailable = !newOwner.isEmpty();
                if (isAvailable == m_isTrayAvailable)
                    return;
                m_isTrayAvailable = isAvailable;
                emit systemTrayAvailabilityDidChange(isAvailable);
            });
}

} // namespace corvane

#pragma once
// The system tray of the test panel (TestPanel.cpp), as a desktop's panel holds one: it owns the
// session's StatusNotifierWatcher, says a host shows the items, and keeps the items that register. A
// click on it activates the first item, as the desktop's tray does, but hands it no activation token
// first: KWin would refuse this panel one where the tests lift its permission checks (no client is
// privileged then), and the item has to do without. What it hears of is said on standard output:
//   tray: item SERVICE             an item registered
//   tray: activate SERVICE X Y     the item was activated at X,Y
#include <QDBusContext>
#include <QObject>
#include <QPoint>
#include <QStringList>

class QDBusServiceWatcher;

class StatusNotifierTray : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    explicit StatusNotifierTray(QObject* parent = nullptr);

    // Whether the session's watcher and host names are ours.
    bool isServing() const { return m_isServing; }
    QStringList registeredItems() const { return m_items; }
    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    // Activates the first item, as a click at that place of the desktop does.
    void activateFirstItem(QPoint at);

public slots:
    void RegisterStatusNotifierItem(const QString& serviceOrPath);
    void RegisterStatusNotifierHost(const QString& service);

signals:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierItemUnregistered(const QString& item);
    void StatusNotifierHostRegistered();

private:
    bool m_isServing = false;
    QStringList m_items; // each "SERVICE/PATH", as the watcher lists them
    QDBusServiceWatcher* m_itemOwners;
};

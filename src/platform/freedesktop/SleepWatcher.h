#pragma once
// The X server says nothing of the machine sleeping; the login manager does, on the system bus,
// with PrepareForSleep(true) before it suspends and PrepareForSleep(false) once it has woken.
// Without a system bus or a login manager nothing is ever reported, which costs nothing.

#include <QDBusConnection>
#include <QObject>

namespace corvane {

class SleepWatcher final : public QObject {
    Q_OBJECT
public:
    explicit SleepWatcher(QDBusConnection bus = QDBusConnection::systemBus());

signals:
    void woke();

private slots:
    void prepareForSleep(bool sleeping);
};

} // namespace corvane

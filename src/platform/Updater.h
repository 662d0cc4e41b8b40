#pragma once
// A software updater that starts with the program and can be asked to check now.

#include <QObject>

namespace corvane {

class Updater : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void start() = 0;
    virtual bool canCheckForUpdates() const = 0;
    virtual void checkForUpdates() = 0;

signals:
    void canCheckForUpdatesChanged(bool canCheck);
};

} // namespace corvane

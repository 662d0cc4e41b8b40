#pragma once
// The program's updater as the panel sees it: started with the program, a flag that says whether a
// check may start now (false until the updater says otherwise), and a check on request. Packages
// installed from the distribution are updated by its package manager, so on Linux the flag stays false.

#include "platform/Updater.h"

#include <QObject>

namespace corvane {

class UpdaterController : public QObject {
    Q_OBJECT
public:
    explicit UpdaterController(Updater& updater, QObject* parent = nullptr);

    bool canCheckForUpdates() const { return m_canCheckForUpdates; }
    void checkForUpdates();

signals:
    void canCheckForUpdatesChanged(bool canCheck);

private:
    void setCanCheckForUpdates(bool canCheck);

    Updater& m_updater;
    bool m_canCheckForUpdates = false;
};

} // namespace corvane

#include "UpdaterController.h"

namespace corvane {

UpdaterController::UpdaterController(Updater& updater, QObject* parent)
    : QObject(parent)
    , m_updater(updater) {
    m_updater.start();
    connect(&m_updater, &Updater::canCheckForUpdatesChanged, this, &UpdaterController::setCanCheckForUpdates);
    setCanCheckForUpdates(m_updater.canCheckForUpdates());
}

void UpdaterController::checkForUpdates() {
    m_updater.checkForUpdates();
}

void UpdaterController::setCanCheckForUpdates(bool canCheck) {
    if (canCheck == m_canCheckForUpdates)
        return;
    m_canCheckForUpdates = canCheck;
    emit canCheckForUpdatesChanged(canCheck);
}

} // namespace corvane

#pragma once
// An updater whose "can check" flag tests flip, counting starts and checks.

#include "platform/Updater.h"

namespace corvane {

class SimUpdater final : public Updater {
    Q_OBJECT
public:
    void start() override { ++m_startCount; }
    bool canCheckForUpdates() const override { return m_canCheck; }
    void checkForUpdates() override { ++m_checkCount; }

    void setCanCheckForUpdates(bool canCheck) {
        m_canCheck = canCheck;
        emit canCheckForUpdatesChanged(canCheck);
    }
    int startCount() const { return m_startCount; }
    int checkCount() const { return m_checkCount; }

private:
    bool m_canCheck = false;
    int m_startCount = 0;
    int m_checkCount = 0;
};

} // namespace corvane

#pragma once
// On Linux the distribution's package manager updates Corvane, so the program itself never checks.

#include "platform/Updater.h"

namespace corvane {

class PackageManagedUpdater final : public Updater {
    Q_OBJECT
public:
    using Updater::Updater;

    void start() override {}
    bool canCheckForUpdates() const override { return false; }
    void checkForUpdates() override {}
};

} // namespace corvane

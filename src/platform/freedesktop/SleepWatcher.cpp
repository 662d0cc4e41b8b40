#include "SleepWatcher.h"

namespace corvane {

SleepWatcher::SleepWatcher(QDBusConnection bus) {
    // Matched on the name's owner, so no other client of the bus can fake a wake.
    bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                SLOT(prepareForSleep(bool)));
}

void SleepWatcher::prepareForSleep(bool sleeping) {
    if (!sleeping)
        emit woke();
}

} // namespace corvane

// The wake comes from the login manager over a message bus: a private bus stands in for the system
// bus, with a client that owns the login manager's name and one that only pretends to.
#include "platform/freedesktop/SleepWatcher.h"

#include "support/PrivateBus.h"

#include <QDBusMessage>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace corvane {
namespace {

const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kInterface = QStringLiteral("org.freedesktop.login1.Manager");

void sendPrepareForSleep(QDBusConnection& from, bool sleeping) {
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("PrepareForSleep"));
    signal << sleeping;
    ASSERT_TRUE(from.send(signal));
}

TEST(SleepWatcherTest, OnlyTheLoginManagersWakeIsReported) {
    PrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    QDBusConnection logind = bus.connect("logind");
    QDBusConnection stranger = bus.connect("stranger");
    ASSERT_TRUE(logind.isConnected() && stranger.isConnected());
    ASSERT_TRUE(logind.registerService(QStringLiteral("org.freedesktop.login1")));

    SleepWatcher watcher(bus.connect("watcher"));
    QSignalSpy woke(&watcher, &SleepWatcher::woke);

    sendPrepareForSleep(stranger, false);
    sendPrepareForSleep(logind, true);
    EXPECT_FALSE(woke.wait(300)) << "going to sleep, or another client's signal, is no wake";

    sendPrepareForSleep(logind, false);
    EXPECT_TRUE(woke.wait(3000));
    EXPECT_EQ(woke.count(), 1);

    QDBusConnection::disconnectFromBus("logind");
    QDBusConnection::disconnectFromBus("stranger");
    QDBusConnection::disconnectFromBus("watcher");
}

TEST(SleepWatcherTest, NoBusIsNoWakeAndNoFailure) {
    SleepWatcher watcher(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none"));
    QSignalSpy woke(&watcher, &SleepWatcher::woke);
    EXPECT_FALSE(woke.wait(50));
    QDBusConnection::disconnectFromBus("none");
}

} // namespace
} // namespace corvane

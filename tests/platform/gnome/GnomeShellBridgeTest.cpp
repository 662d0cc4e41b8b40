// The object GNOME Shell's extension reports to, on a bus of the test's own: the owner of
// org.gnome.Shell's reports reach the desktop, its keys and the pointer over the canvas go to the
// backend's parts, a report from any other connection is refused with an error and changes nothing,
// and once the Shell's name has a new owner (the Shell run again) only that one is heard.
#include "platform/gnome/GnomeShellBridge.h"

#include "support/PrivateBus.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace corvane {
namespace {

QJsonObject snapshotWith(const QString& id) {
    const QJsonArray frame{0, 0, 100, 100};
    const QJsonObject window{
        {"id", id},         {"pid", 42},        {"appClass", "foot"}, {"frame", frame},
        {"client", frame},  {"output", "DP-1"}, {"normal", true},     {"onCurrentDesktop", true},
        {"moveable", true}, {"managed", true}};
    const QJsonObject output{{"name", "DP-1"},
                             {"frame", QJsonArray{0, 0, 1280, 800}},
                             {"workArea", QJsonArray{0, 0, 1280, 760}},
                             {"scale", 1}};
    return {{"e", "snapshot"},
            {"outputs", QJsonArray{output}},
            {"windows", QJsonArray{window}},
            {"stacking", QJsonArray{id}},
            {"active", id},
            {"cursor", QJsonArray{10, 10}}};
}

class GnomeShellBridgeTest : public ::testing::Test {
protected:
    PrivateBus bus;
    QDBusConnection shell = bus.connect(QStringLiteral("shell"));
    QDBusConnection stranger = bus.connect(QStringLiteral("stranger"));
    AgentDesktop desktop;
    std::optional<GnomeShellBridge> bridge;

    void SetUp() override {
        ASSERT_TRUE(shell.isConnected()) << "no dbus-daemon";
        ASSERT_TRUE(shell.interface()->registerService(GnomeShellBridge::shellService).isValid());
        bridge.emplace(bus.connect(QStringLiteral("daemon")), desktop);
        ASSERT_TRUE(bridge->start());
    }
    void TearDown() override {
        bridge.reset();
        for (const char* name : {"shell", "stranger", "daemon", "newShell"})
            QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
    }
    // The caller's Report, answered.
    QDBusMessage report(QDBusConnection& caller, const QJsonArray& events) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            bridge->bus().baseService(), GnomeShellBridge::objectPath, "app.corvane.Agent1", "Report");
        call << QString::fromUtf8(QJsonDocument(events).toJson(QJsonDocument::Compact));
        QDBusPendingCallWatcher answer(caller.asyncCall(call));
        QEventLoop wait;
        QObject::connect(&answer, &QDBusPendingCallWatcher::finished, &wait, &QEventLoop::quit);
        QTimer::singleShot(5000, &wait, &QEventLoop::quit);
        if (!answer.isFinished())
            wait.exec();
        EXPECT_TRUE(answer.isFinished()) << "no answer within 5 s";
        return answer.reply();
    }
};

TEST_F(GnomeShellBridgeTest, OnlyTheShellsOwnConnectionReportsAndItsKeysAndPointerGoApart) {
    QSignalSpy keys(&*bridge, &GnomeShellBridge::keyPressed);
    QSignalSpy canvas(&*bridge, &GnomeShellBridge::canvasReported);

    EXPECT_EQ(report(shell, {snapshotWith("a")}).type(), QDBusMessage::ReplyMessage);
    ASSERT_NE(desktop.windowById("a"), nullptr);

    const QJsonObject palette{{"e", "palette"}, {"kind", "press"}, {"cursor", QJsonArray{40, 50}}};
    EXPECT_EQ(report(shell, {QJsonObject{{"e", "key"}, {"name", QString(100, u'k')}}, palette}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_EQ(keys.count(), 1);
    EXPECT_EQ(keys[0][0].toString(), QString(64, u'k')) << "a name the Shell sends is bounded";
    ASSERT_EQ(canvas.count(), 1);
    EXPECT_EQ(canvas[0][0].toJsonObject(), palette);
    EXPECT_NE(desktop.windowById("a"), nullptr) << "neither is the desktop's";

    const QDBusMessage refused = report(stranger, {snapshotWith("b")});
    EXPECT_EQ(refused.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(refused.errorName(), "app.corvane.Error.NotAllowed");
    EXPECT_EQ(desktop.windowById("b"), nullptr) << "another program cannot feign windows";
    EXPECT_EQ(report(stranger, {QJsonObject{{"e", "key"}, {"name", "x"}}}).type(),
              QDBusMessage::ErrorMessage);
    EXPECT_EQ(keys.count(), 1);

    // The Shell run again: its name has a new owner, and the old connection is a stranger now.
    QDBusConnection newShell = bus.connect(QStringLiteral("newShell"));
    QDBusServiceWatcher owner(GnomeShellBridge::shellService, bridge->bus(),
                              QDBusServiceWatcher::WatchForOwnerChange);
    QSignalSpy ownerChanged(&owner, &QDBusServiceWatcher::serviceOwnerChanged);
    ASSERT_TRUE(shell.interface()->unregisterService(GnomeShellBridge::shellService).isValid());
    ASSERT_TRUE(newShell.interface()->registerService(GnomeShellBridge::shellService).isValid());
    // Given up, then taken: one change or two.
    const auto isNewOwnerSeen = [&] {
        return !ownerChanged.isEmpty() && ownerChanged.last()[2].toString() == newShell.baseService();
    };
    for (int i = 0; i < 2 && !isNewOwnerSeen(); ++i)
        ownerChanged.wait(5000);
    ASSERT_TRUE(isNewOwnerSeen());
    EXPECT_EQ(report(shell, {snapshotWith("c")}).type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(desktop.windowById("c"), nullptr);
    EXPECT_EQ(report(newShell, {snapshotWith("d")}).type(), QDBusMessage::ReplyMessage);
    EXPECT_NE(desktop.windowById("d"), nullptr);
}

} // namespace
} // namespace corvane

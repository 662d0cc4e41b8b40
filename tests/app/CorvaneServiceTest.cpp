// Corvane on a session bus of the test's own: the first instance of a display owns its name and
// serves the object, another cannot take it, a second launch's call reaches the first, what the
// object reports matches the introspection file beside the service, a call with the wrong arguments
// is refused, and a command line's call is answered once its window is written. With two displays
// on one bus and one of them gone, a command without a display reaches the one left.
#include "app/CorvaneService.h"

#include "app/CommandClient.h"
#include "app/CorvaneCommands.h"
#include "app/DisplayName.h"
#include "control/ControllerFixture.h"
#include "support/PrivateBus.h"
#include "support/WrittenStreams.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QSignalSpy>
#include <QXmlStreamReader>
#include <future>
#include <gtest/gtest.h>

namespace corvane {
namespace {

// Blocking calls to an object of this process must be made from another thread, or they would
// wait for the very event loop they block. The main thread keeps handling events meanwhile, and
// runs `turn` (the simulated desktop's queues) with each.
template <typename Call> auto offMainThread(Call call, const std::function<void()>& turn = {}) {
    auto result = std::async(std::launch::async, std::move(call));
    for (int i = 0; i < 500 && result.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready;
         ++i) {
        QCoreApplication::processEvents();
        if (turn)
            turn();
    }
    return result.get();
}

// "interface member argument-types-and-directions" for every method, signal and property of the
// object's own interfaces (the bus's standard ones left out), sorted.
QStringList members(const QString& xml) {
    QStringList found;
    QXmlStreamReader reader(xml);
    QString interface;
    QString member;
    while (!reader.atEnd()) {
        reader.readNext();
        const QString name = reader.name().toString();
        if (reader.isStartElement() && name == QLatin1String("interface")) {
            interface = reader.attributes().value(QLatin1String("name")).toString();
        } else if (reader.isStartElement() &&
                   (name == QLatin1String("method") || name == QLatin1String("signal") ||
                    name == QLatin1String("property"))) {
            member =
                QStringLiteral("%1 %2 %3").arg(interface, name, reader.attributes().value("name").toString());
            if (name == QLatin1String("property"))
                member += QLatin1Char(' ') + reader.attributes().value("type").toString();
        } else if (reader.isStartElement() && name == QLatin1String("arg")) {
            member += QStringLiteral(" %1:%2").arg(reader.attributes().value("direction").toString(),
                                                   reader.attributes().value("type").toString());
        } else if (reader.isEndElement() &&
                   (name == QLatin1String("method") || name == QLatin1String("signal") ||
                    name == QLatin1String("property"))) {
            if (!interface.startsWith(QLatin1String("org.freedesktop.DBus.")))
                found.append(member);
        }
    }
    EXPECT_FALSE(reader.hasError()) << qPrintable(reader.errorString());
    found.sort();
    return found;
}

DisplayName display(const char* value) {
    return *DisplayName::parse(QString::fromLatin1(value));
}

// A service on the test's own bus, with the commands of a controller on the simulated desktop.
class CorvaneServiceTest : public ControllerTest {
protected:
    PrivateBus bus;
    std::unique_ptr<CorvaneCommands> commands;

    void SetUp() override {
        ControllerTest::SetUp();
        start();
        commands = std::make_unique<CorvaneCommands>(
            controller->cycle(), controller->placer(), controller->navigator(), controller->swapper(),
            frameWrites, controller->presets(), [](std::function<void()> then) { then(); }, [] {}, [] {});
    }
};

TEST_F(CorvaneServiceTest, OneInstanceOwnsTheNameAndASecondLaunchReachesIt) {
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    EXPECT_FALSE(CorvaneService::activateRunningInstance(bus.connect("early"), display(":1")))
        << "no one to call before Corvane runs";

    CorvaneService first(bus.connect("first"), display(":1"));
    QSignalSpy asked(&first, &CorvaneService::activationRequested);
    ASSERT_TRUE(first.start());
    first.serve(*commands); // as at start-up: served once the controller exists
    CorvaneService other(bus.connect("other"), display(":1.0"));
    EXPECT_FALSE(other.start()) << "the display's name is taken";

    const QDBusConnection launch = bus.connect("launch");
    EXPECT_TRUE(
        offMainThread([&] { return CorvaneService::activateRunningInstance(launch, display("unix:1")); }));
    EXPECT_EQ(asked.count(), 1);

    const auto call = [&](const QString& interface, const QString& member, const QVariantList& arguments) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(QLatin1String(CorvaneService::serviceName),
                                           QLatin1String(CorvaneService::objectPath), interface, member);
        message.setArguments(arguments);
        return offMainThread([&] { return launch.call(message); }, [&] { desk.settle(); });
    };
    const QDBusMessage reply = call(QStringLiteral("org.freedesktop.DBus.Introspectable"), "Introspect", {});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << qPrintable(reply.errorMessage());
    QFile file(QStringLiteral(CORVANE_SOURCE_DIR "/src/app/CorvaneService.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList described = members(QString::fromUtf8(file.readAll()));
    EXPECT_FALSE(described.isEmpty());
    EXPECT_EQ(members(reply.arguments().value(0).toString()), described)
        << "the introspection file says what the object serves";

    // Arguments a method does not take are invalid, with or without its interface; an unknown
    // method or interface stays unknown.
    const QString corvane = QStringLiteral("app.corvane.Corvane1");
    const struct {
        QString interface;
        QString member;
        QVariantList arguments;
        QString error;
    } rows[] = {
        {corvane, "ApplyLayout", {5}, "org.freedesktop.DBus.Error.InvalidArgs"},
        {corvane, "ApplyLayout", {}, "org.freedesktop.DBus.Error.InvalidArgs"},
        {corvane, "SnapToZone", {QStringLiteral("Split")}, "org.freedesktop.DBus.Error.InvalidArgs"},
        {corvane, "SnapToZone", {QStringLiteral("Split"), 1}, "org.freedesktop.DBus.Error.InvalidArgs"},
        {corvane, "Restore", {1u}, "org.freedesktop.DBus.Error.InvalidArgs"},
        {{}, "Resize", {QStringLiteral("big"), 2.0}, "org.freedesktop.DBus.Error.InvalidArgs"},
        {QStringLiteral("org.freedesktop.Application"),
         "Activate",
         {QStringLiteral("x")},
         "org.freedesktop.DBus.Error.InvalidArgs"},
        {corvane, "Nope", {}, "org.freedesktop.DBus.Error.UnknownMethod"},
        {QStringLiteral("app.corvane.Nope"),
         "ApplyLayout",
         {QStringLiteral("Split")},
         "org.freedesktop.DBus.Error.UnknownInterface"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.member.toStdString());
        EXPECT_EQ(call(row.interface, row.member, row.arguments).errorName(), row.error);
    }
    EXPECT_EQ(asked.count(), 1) << "a refused call does nothing";
    const QString longMember = QStringLiteral("N") + QString(254, u'o');
    const QDBusMessage unknown = call(corvane, longMember, {});
    EXPECT_EQ(unknown.errorName(), "org.freedesktop.DBus.Error.UnknownMethod");
    EXPECT_FALSE(unknown.errorMessage().contains(QString(64, u'o')))
        << "a caller's string is not echoed whole";
    EXPECT_EQ(call({}, "SnapToZone", {QStringLiteral("Split"), 2u}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(frame(), QRectF(720, 25, 720, 875)) << "the right arguments, the interface left out";
    EXPECT_EQ(call(QStringLiteral("org.freedesktop.Application"), "Activate", {QVariantMap()}).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_EQ(asked.count(), 2);

    for (const char* name : {"early", "first", "other", "launch"})
        QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
}

TEST_F(CorvaneServiceTest, ACommandLinesCallIsAnsweredOnceItsWindowIsWritten) {
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    const QDBusConnection client = bus.connect("client");
    // What CommandClient::run returns and writes, made off the main thread.
    const auto run = [&](const ScriptCommand& command) {
        return offMainThread(
            [&] {
                return writtenBy([&](std::FILE* out, std::FILE* err) {
                    return CommandClient::run(command, client, ":1", out, err);
                });
            },
            [&] { desk.settle(); });
    };

    CorvaneService service(bus.connect("service"), display(":1"));
    ASSERT_TRUE(service.start());
    service.serve(*commands);
    const Written zone = run({"SnapToZone", {QStringLiteral("Six Pack"), 3u}});
    EXPECT_EQ(zone.status, 0) << qPrintable(zone.err);
    EXPECT_EQ(frame(), QRectF(960, 25, 480, 437)) << "answered once the window was written to";
    const Written span = run({"SnapToZones", {QStringLiteral("Six Pack"), 1u, 2u}});
    EXPECT_EQ(span.status, 0) << qPrintable(span.err);
    EXPECT_EQ(frame(), QRectF(0, 25, 960, 437));

    for (const char* name : {"client", "service"})
        QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
}

TEST_F(CorvaneServiceTest, WithDisplayUnsetACommandGoesToTheOnlyCorvaneRunning) {
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    int shownOn2 = 0;
    CorvaneCommands commands2(
        controller->cycle(), controller->placer(), controller->navigator(), controller->swapper(),
        frameWrites, controller->presets(), [](std::function<void()> then) { then(); }, [&] { ++shownOn2; },
        [] {});
    auto first = std::make_unique<CorvaneService>(bus.connect("first"), display(":1"));
    CorvaneService second(bus.connect("second"), display(":2"));
    ASSERT_TRUE(first->start());
    ASSERT_TRUE(second.start()) << "another display's Corvane has a name of its own";
    first->serve(*commands);
    second.serve(commands2);
    first.reset();

    const QDBusConnection client = bus.connect("client");
    const Written only = offMainThread([&] {
        return writtenBy([&](std::FILE* out, std::FILE* err) {
            return CommandClient::run({"ShowSettings", {}}, client, {}, out, err);
        });
    });
    EXPECT_EQ(only.status, 0) << qPrintable(only.err);
    EXPECT_EQ(shownOn2, 1);

    for (const char* name : {"first", "second", "client"})
        QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
}

TEST(CorvaneServiceBusTest, WithoutABusNothingIsServedAndNoOneAnswers) {
    const QDBusConnection none =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none");
    CorvaneService service(none, display(":0"));
    EXPECT_FALSE(service.start());
    EXPECT_FALSE(CorvaneService::activateRunningInstance(none, display(":0")));
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));
}

} // namespace
} // namespace corvane

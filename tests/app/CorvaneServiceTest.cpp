// Corvane on a session bus of the test's own: the first instance owns the name and serves the
// object, another cannot take it, a second launch's call reaches the first, what the object reports
// matches the introspection file beside the service, and the command line's calls come back as
// output and exit statuses.
#include "app/CorvaneService.h"

#include "app/CommandClient.h"
#include "app/CorvaneCommands.h"
#include "control/ControllerFixture.h"
#include "support/PrivateBus.h"
#include "support/WrittenStreams.h"

#include <QCoreApplication>
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

// A service on the test's own bus, with the commands of a controller on the simulated desktop.
class CorvaneServiceTest : public ControllerTest {
protected:
    PrivateBus bus;
    std::unique_ptr<CorvaneCommands> commands;

    void SetUp() override {
        ControllerTest::SetUp();
        start();
        commands = std::make_unique<CorvaneCommands>(
            *controller, [] {}, [] {});
    }
};

TEST_F(CorvaneServiceTest, OneInstanceOwnsTheNameAndASecondLaunchReachesIt) {
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    EXPECT_FALSE(CorvaneService::activateRunningInstance(bus.connect("early")))
        << "no one to call before Corvane runs";

    CorvaneService first(bus.connect("first"));
    QSignalSpy asked(&first, &CorvaneService::activationRequested);
    ASSERT_TRUE(first.start());
    first.serve(*commands); // as at start-up: served once the controller exists
    CorvaneService other(bus.connect("other"));
    EXPECT_FALSE(other.start()) << "the name is taken";

    const QDBusConnection launch = bus.connect("launch");
    EXPECT_TRUE(offMainThread([&] { return CorvaneService::activateRunningInstance(launch); }));
    EXPECT_EQ(asked.count(), 1);

    const QDBusMessage reply = offMainThread([&] {
        return launch.call(QDBusMessage::createMethodCall(
            QLatin1String(CorvaneService::serviceName), QLatin1String(CorvaneService::objectPath),
            QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect")));
    });
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << qPrintable(reply.errorMessage());
    QFile file(QStringLiteral(CORVANE_SOURCE_DIR "/src/app/CorvaneService.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList described = members(QString::fromUtf8(file.readAll()));
    EXPECT_FALSE(described.isEmpty());
    EXPECT_EQ(members(reply.arguments().value(0).toString()), described)
        << "the introspection file says what the object serves";

    for (const char* name : {"early", "first", "other", "launch"})
        QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
}

TEST_F(CorvaneServiceTest, TheCommandLinesCallsAnswerWithOutputAndExitStatuses) {
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    const QDBusConnection client = bus.connect("client");
    // What CommandClient::run returns and writes, made off the main thread.
    const auto run = [&](const ScriptCommand& command) {
        return offMainThread(
            [&] {
                return writtenBy(
                    [&](std::FILE* out, std::FILE* err) { return CommandClient::run(command, client, out, err); });
            },
            [&] { desk.settle(); });
    };

    const Written notRunning = run({"Restore", {}});
    EXPECT_EQ(notRunning.status, 3);
    EXPECT_EQ(notRunning.err, "Corvane is not running.\n");

    CorvaneService service(bus.connect("service"));
    ASSERT_TRUE(service.start());
    service.serve(*commands);
    const Written zone = run({"SnapToZone", {QStringLiteral("Six Pack"), 3u}});
    EXPECT_EQ(zone.status, 0) << qPrintable(zone.err);
    EXPECT_EQ(frame(), QRectF(960, 25, 480, 437)) << "answered once the window was written to";

    const Written unknown = run({"SnapToZone", {QStringLiteral("Nope"), 1u}});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "corvane: No layout or preset is named \"Nope\".\n");
    EXPECT_EQ(run({"Restore", {}}).status, 0);
    EXPECT_EQ(run({"Restore", {}}).err,
              "corvane: The window has no earlier frame to go back to: Corvane has not placed it.\n");

    controller->addGridPreset("Desk", 1, 2, {});
    const Written layouts = run({"ListLayouts", {}});
    EXPECT_EQ(layouts.status, 0);
    EXPECT_TRUE(layouts.out.startsWith("2\tSplit\n4\tQuadrant\n")) << qPrintable(layouts.out);
    EXPECT_TRUE(layouts.out.endsWith("3\tFocus\n2\tDesk\n")) << qPrintable(layouts.out);

    for (const char* name : {"client", "service"})
        QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
    const QDBusConnection none =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "nobus");
    const Written noBus =
        writtenBy([&](std::FILE* out, std::FILE* err) { return CommandClient::run({"Restore", {}}, none, out, err); });
    EXPECT_EQ(noBus.status, 3) << "no bus: no Corvane to reach";
    EXPECT_EQ(noBus.err, "Corvane is not running.\n");
    QDBusConnection::disconnectFromBus(QStringLiteral("nobus"));
}

TEST(CorvaneServiceBusTest, WithoutABusNothingIsServedAndNoOneAnswers) {
    const QDBusConnection none =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none");
    CorvaneService service(none);
    EXPECT_FALSE(service.start());
    EXPECT_FALSE(CorvaneService::activateRunningInstance(none));
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));
}

} // namespace
} // namespace corvane

// Corvane on a session bus of the test's own: the first instance owns the name and serves the
// object, another cannot take it, a second launch's call reaches the first, and what the object
// reports matches the introspection file beside the service.
#include "app/CorvaneService.h"

#include "support/PrivateBus.h"

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
// wait for the very event loop they block. The main thread keeps handling events meanwhile.
template <typename Call> auto offMainThread(Call call) {
    auto result = std::async(std::launch::async, std::move(call));
    for (int i = 0; i < 500 && result.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready;
         ++i)
        QCoreApplication::processEvents();
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

TEST(CorvaneServiceTest, OneInstanceOwnsTheNameAndASecondLaunchReachesIt) {
    PrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    EXPECT_FALSE(CorvaneService::activateRunningInstance(bus.connect("early")))
        << "no one to call before Corvane runs";

    CorvaneService first(bus.connect("first"));
    QSignalSpy asked(&first, &CorvaneService::activationRequested);
    ASSERT_TRUE(first.start());
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

TEST(CorvaneServiceTest, WithoutABusNothingIsServedAndNoOneAnswers) {
    const QDBusConnection none =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none");
    CorvaneService service(none);
    EXPECT_FALSE(service.start());
    EXPECT_FALSE(CorvaneService::activateRunningInstance(none));
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));
}

} // namespace
} // namespace corvane

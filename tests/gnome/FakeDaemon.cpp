// Corvane's daemon as the GNOME Shell extension sees it, for the GNOME end-to-end tests: it owns
// app.corvane.Corvane (unless --foreign), serves app.corvane.Agent1.Report on /app/corvane/Agent, writing
// each reported event to EVENTS as a line of JSON (and when it came to EVENTS.times, the same line there:
// microseconds of the monotonic clock), and sends each line of its standard input to the extension's
// Run as it is. A line answered on standard output:
//   ok MICROSECONDS AT        Run returned, after that long; it was sent at AT on the same clock
//   error NAME MESSAGE        Run failed with that D-Bus error
//   version                   asks the extension's Version(): answered "version TEXT"
// It says "ready" once it serves and owns the name. With --foreign it owns no name: a caller the
// extension must refuse. An event outside the agent protocol (an extension that drifted from its
// description) ends it at once, with a line in EVENTS that is no JSON: the test fails at its next step.
#include "platform/agent/AgentProtocolCheck.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

const QString kAgentInterface = QStringLiteral("app.corvane.Agent1");
constexpr int kRunTimeoutMs = 5000;

// Writes each event of a report as a line of its own, flushed, so a test reads it as soon as it came.
class Agent : public QDBusVirtualObject {
public:
    Agent(QFile& events, QFile& times)
        : m_events(events)
        , m_times(times) {}

    QString introspect(const QString&) const override {
        return QStringLiteral("<interface name=\"app.corvane.Agent1\"><method name=\"Report\">"
                              "<arg type=\"s\" name=\"events\" direction=\"in\"/></method></interface>");
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != kAgentInterface || message.member() != QLatin1String("Report") ||
            message.arguments().size() != 1)
            return false;
        const QJsonDocument report = QJsonDocument::fromJson(message.arguments().at(0).toString().toUtf8());
        if (!report.isArray()) {
            std::cerr << "fake daemon: a report that is no JSON array\n";
            m_events.write("not-an-array\n");
        }
        const QByteArray now = QByteArray::number(monotonicMicros()) + '\n';
        for (const QJsonValue& event : report.array()) {
            if (const QString wrong = corvane::agentprotocol::eventViolation(
                    event.toObject(), corvane::agentprotocol::kGnomeAgent);
                !wrong.isEmpty()) {
                std::cerr << "fake daemon: an event outside the agent protocol: " << wrong.toStdString()
                          << '\n';
                m_events.write("outside-the-protocol " + wrong.toUtf8() + '\n');
                m_events.flush();
                std::_Exit(3);
            }
            m_events.write(QJsonDocument(event.toObject()).toJson(QJsonDocument::Compact) + '\n');
            m_times.write(now);
        }
        m_times.flush();
        m_events.flush();
        connection.send(message.createReply());
        return true;
    }

    static qint64 monotonicMicros() {
        return QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs() / 1000;
    }

private:
    QFile& m_events;
    QFile& m_times;
};

void run(const QString& line) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const bool version = line == QLatin1String("version");
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/app/corvane/Shell"),
        QStringLiteral("app.corvane.Shell1"), version ? QStringLiteral("Version") : QStringLiteral("Run"));
    if (!version)
        call << line;
    const qint64 sentAt = Agent::monotonicMicros();
    QElapsedTimer timer;
    timer.start();
    const QDBusMessage answer = bus.call(call, QDBus::Block, kRunTimeoutMs);
    const qint64 micros = timer.nsecsElapsed() / 1000;
    if (answer.type() == QDBusMessage::ErrorMessage)
        std::cout << "error " << answer.errorName().toStdString() << ' '
                  << answer.errorMessage().toStdString();
    else if (version)
        std::cout << "version " << answer.arguments().value(0).toString().toStdString();
    else
        std::cout << "ok " << micros << ' ' << sentAt;
    std::cout << std::endl;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::cerr << "usage: corvane_fake_daemon EVENTS [--foreign]\n";
        return 2;
    }
    QFile events(args[1]);
    if (!events.open(QIODevice::Append)) {
        std::cerr << "fake daemon: cannot write " << args[1].toStdString() << '\n';
        return 1;
    }
    QFile times(args[1] + QStringLiteral(".times"));
    if (!times.open(QIODevice::Append)) {
        std::cerr << "fake daemon: cannot write " << times.fileName().toStdString() << '\n';
        return 1;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    Agent agent(events, times);
    if (!bus.registerVirtualObject(QStringLiteral("/app/corvane/Agent"), &agent)) {
        std::cerr << "fake daemon: cannot serve /app/corvane/Agent\n";
        return 1;
    }
    if (!args.contains(QLatin1String("--foreign")) &&
        !bus.registerService(QStringLiteral("app.corvane.Corvane"))) {
        std::cerr << "fake daemon: app.corvane.Corvane is taken\n";
        return 1;
    }
    std::cout << "ready" << std::endl;

    // Standard input is read on a thread of its own; each line is run on the main thread, in order.
    QThread* reader = QThread::create([] {
        std::string line;
        while (std::getline(std::cin, line)) {
            const QString text = QString::fromStdString(line);
            QMetaObject::invokeMethod(
                qApp, [text] { run(text); }, Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    reader->start();
    const int status = app.exec();
    reader->wait();
    delete reader;
    return status;
}

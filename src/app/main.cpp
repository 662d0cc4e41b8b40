// Corvane's entry point: one instance per user session, on the desktop its backend drives.
#include "app/CommandClient.h"
#include "app/CommandLine.h"
#include "app/CorvaneApp.h"
#include "app/CorvaneCommands.h"
#include "app/CorvaneService.h"
#include "app/DisplayName.h"
#include "app/QuitSignals.h"
#include "platform/backends/Backends.h"
#include "platform/common/Log.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

namespace {

// Qt ends the process with exit() when its own connection to the desktop breaks, which can happen
// before the backend notices: the message is then given on the way out. Settings are written as
// they change.
QByteArray lostMessage;
bool isInEventLoop = false;

void reportExitFromEventLoop() {
    if (isInEventLoop)
        std::fputs(lostMessage.constData(), stderr);
}

} // namespace

int main(int argc, char** argv) {
    using namespace corvane;
    // --help, --version, a command and a wrong command line are answered before a display is needed.
    const CommandLine commandLine(argc, argv);
    if (commandLine.action() == CommandLine::Action::RunCommand) {
        QCoreApplication client(argc, argv);
        const SessionEnvironment session = SessionEnvironment::fromProcess();
        return CommandClient::run(commandLine.command(), QDBusConnection::sessionBus(),
                                  Backends::displayOf(Backends::choose(session).backend, session), stdout,
                                  stderr);
    }
    if (commandLine.action() != CommandLine::Action::StartProgram)
        return commandLine.answer(stdout, stderr);
    const BackendChoice choice = Backends::choose(SessionEnvironment::fromProcess(), commandLine.backend());
    if (choice.backend.isEmpty()) {
        std::fprintf(stderr, "%s\n", choice.refusal.toLocal8Bit().constData());
        return 1;
    }
    // Qt aborts without a display; say what is wrong instead.
    if (const std::optional<QString> problem = Backends::prepare(choice.backend)) {
        std::fprintf(stderr, "%s\n", problem->toLocal8Bit().constData());
        return 1;
    }
    const QString displayValue = Backends::displayOf(choice.backend, SessionEnvironment::fromProcess());
    const bool isWayland = Backends::isWayland(choice.backend);
    const std::optional<DisplayName> display =
        isWayland ? DisplayName::ofWaylandSocket(displayValue) : DisplayName::parse(displayValue);
    if (!display) {
        std::fprintf(stderr, "Corvane cannot tell which display %s=%s names.\n",
                     isWayland ? "WAYLAND_DISPLAY" : "DISPLAY", qPrintable(displayValue));
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    // One Corvane per display: the lock file decides, with or without a session bus. Over the bus
    // a second launch asks the running one to come forward, which a user who closed its window
    // needs to get it back.
    QLockFile instance(runtime + QStringLiteral("/corvane-%1.lock").arg(display->busElement()));
    if (!instance.tryLock(0)) {
        CorvaneService::activateRunningInstance(QDBusConnection::sessionBus(), *display);
        std::fprintf(stderr, "Corvane is already running.\n");
        return 0;
    }
    // Served before the slow start-up below, so a call made meanwhile waits for the event loop.
    CorvaneService service(QDBusConnection::sessionBus(), *display);
    if (!service.start())
        qCInfo(lcGeneral, "Not on the session bus: a second launch cannot bring this Corvane forward");

    std::unique_ptr<Backend> backend = Backends::create(choice.backend);
    if (!backend) {
        std::fprintf(stderr, "Corvane could not connect to the desktop (%s).\n",
                     choice.backend.toLocal8Bit().constData());
        return 1;
    }
    lostMessage = backend->lostMessage().toLocal8Bit() + '\n';
    Platform platform = backend->platform();
    CorvaneApp corvane(platform);
    QObject::connect(&service, &CorvaneService::activationRequested, &corvane, &CorvaneApp::bringForward);
    WindowController& controller = corvane.controller();
    CorvaneCommands commands(
        controller.cycle(), controller.placer(), controller.navigator(), controller.presets(),
        [&corvane] { corvane.showSettings(); }, [&corvane] { corvane.showPanel(); });
    service.serve(commands);
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &app,
                     [&platform] { platform.application.terminate(); });
    int exitCode = 0;
    QObject::connect(backend.get(), &Backend::lost, &app, [&] {
        std::fputs(lostMessage.constData(), stderr);
        isInEventLoop = false;
        exitCode = 1;
        QCoreApplication::quit();
    });
    std::fprintf(stderr, "Corvane is running.\n");
    std::atexit(reportExitFromEventLoop);
    isInEventLoop = true;
    const int result = app.exec();
    isInEventLoop = false;
    // Every change is written when it is made; this retries the ones a failed write left behind.
    if (!platform.defaults.synchronize()) {
        std::fputs(
            "Corvane could not write its settings file; the changes made since it last succeeded are lost.\n",
            stderr);
        return exitCode != 0 ? exitCode : 1;
    }
    return exitCode != 0 ? exitCode : result;
}

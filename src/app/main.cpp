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
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

// The desktop can go away under Corvane in two ways: the backend notices its connection broke, or
// Qt notices first on its own connection and ends the process with exit(1). Whichever comes first
// ends the session the same way, once: Corvane says so, writes what a failed write left behind, and
// frees the display for the next Corvane. Settings are written as they change.
struct RunningSession {
    QByteArray lostMessage;
    corvane::Defaults* defaults = nullptr;
    QLockFile* instance = nullptr;
    bool isEnded = true;
};
RunningSession running;

const char* const kUnsavedMessage =
    "Corvane could not write its settings file; the changes made since it last succeeded are lost.\n";

void endLostSession() {
    if (running.isEnded)
        return;
    running.isEnded = true;
    std::fputs(running.lostMessage.constData(), stderr);
    if (!running.defaults->synchronize())
        std::fputs(kUnsavedMessage, stderr);
    running.instance->unlock();
}

} // namespace

int main(int argc, char** argv) {
    using namespace corvane;
    // A peer that goes away (the X server on any of Corvane's connections, the session bus, a
    // compositor) ends in the path made for it, not in death by SIGPIPE at the next write: xcb writes
    // with plain writev. Before any thread starts, so that every thread inherits it.
    std::signal(SIGPIPE, SIG_IGN);
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
    Platform platform = backend->platform();
    CorvaneApp corvane(platform);
    QObject::connect(&service, &CorvaneService::activationRequested, &corvane, &CorvaneApp::bringForward);
    WindowController& controller = corvane.controller();
    CorvaneCommands commands(
        controller.cycle(), controller.placer(), controller.navigator(), controller.swapper(),
        corvane.frameWrites(), controller.presets(),
        [&corvane](std::function<void()> then) { corvane.whenPointerJudged(std::move(then)); },
        [&corvane] { corvane.showSettings(); }, [&corvane] { corvane.showPanel(); });
    service.serve(commands);
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &app,
                     [&platform] { platform.application.terminate(); });
    running = {.lostMessage = backend->lostMessage().toLocal8Bit() + '\n',
               .defaults = &platform.defaults,
               .instance = &instance,
               .isEnded = false};
    bool isLost = false;
    QObject::connect(backend.get(), &Backend::lost, &app, [&isLost] {
        endLostSession();
        isLost = true;
        QCoreApplication::quit();
    });
    std::fprintf(stderr, "Corvane is running.\n");
    std::atexit(endLostSession);
    const int result = app.exec();
    if (isLost)
        return 1;
    running.isEnded = true;
    // Every change is written when it is made; this retries the ones a failed write left behind.
    if (!platform.defaults.synchronize()) {
        std::fputs(kUnsavedMessage, stderr);
        return 1;
    }
    return result;
}

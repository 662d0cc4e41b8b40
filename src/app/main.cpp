// Corvane's entry point: one instance per user session, on an X11 display.
#include "app/CommandClient.h"
#include "app/CommandLine.h"
#include "app/CorvaneApp.h"
#include "app/CorvaneCommands.h"
#include "app/CorvaneService.h"
#include "app/DisplayName.h"
#include "app/QuitSignals.h"
#include "platform/common/Log.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Platform.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr auto kLostServerMessage = "Corvane lost its connection to the X server and stops.\n";
// Qt ends the process with exit() when its own X connection breaks, which can happen before ours
// notices: the message is then given on the way out. Settings are written as they change.
bool isInEventLoop = false;

void reportExitFromEventLoop() {
    if (isInEventLoop)
        std::fputs(kLostServerMessage, stderr);
}

} // namespace

int main(int argc, char** argv) {
    using namespace corvane;
    // --help, --version, a command and a wrong command line are answered before a display is needed.
    const CommandLine commandLine(argc, argv);
    if (commandLine.action() == CommandLine::Action::RunCommand) {
        QCoreApplication client(argc, argv);
        return CommandClient::run(commandLine.command(), QDBusConnection::sessionBus(),
                                  qEnvironmentVariable("DISPLAY"), stdout, stderr);
    }
    if (commandLine.action() != CommandLine::Action::StartProgram)
        return commandLine.answer(stdout, stderr);
    // Qt aborts without a display; say what is wrong instead.
    if (!X11Connection::isDisplayReachable()) {
        std::fprintf(stderr,
                     "Corvane needs an X11 display, and none could be reached (DISPLAY=%s).\n"
                     "On a Wayland session without X11 access, Corvane cannot move other windows.\n",
                     qgetenv("DISPLAY").isEmpty() ? "unset" : qgetenv("DISPLAY").constData());
        return 1;
    }
    const std::optional<DisplayName> display = DisplayName::parse(qEnvironmentVariable("DISPLAY"));
    if (!display) {
        std::fprintf(stderr, "Corvane cannot tell which display DISPLAY=%s names.\n",
                     qgetenv("DISPLAY").constData());
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
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

    std::unique_ptr<X11Platform> x11 = X11Platform::create();
    if (!x11) {
        std::fprintf(stderr, "Corvane could not connect to the X server.\n");
        return 1;
    }
    Platform platform = x11->platform();
    CorvaneApp corvane(platform);
    QObject::connect(&service, &CorvaneService::activationRequested, &corvane, &CorvaneApp::bringForward);
    CorvaneCommands commands(
        corvane.controller(), [&corvane] { corvane.showSettings(); }, [&corvane] { corvane.showPanel(); });
    service.serve(commands);
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &app,
                     [&platform] { platform.application.terminate(); });
    int exitCode = 0;
    QObject::connect(&x11->connection(), &X11Connection::connectionLost, &app, [&] {
        std::fputs(kLostServerMessage, stderr);
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

#include "AgentBackendParts.h"

#include "platform/freedesktop/SettingsPaths.h"

#include <QCoreApplication>
#include <QTimer>
#include <unistd.h>

namespace corvane {

AgentBackendParts::AgentBackendParts(const QString& backendName, AgentEndpoint& endpoint,
                                     AgentTitleBars& titleBars, AgentEvents::ModifierFlags modifierFlags,
                                     QString trayHint)
    : send([&endpoint](const QJsonObject& command) { endpoint.send(command); })
    , desktop(endpoint.desktop())
    , screens(desktop)
    , restoreFrames(AgentRestoreFrames::defaultPath(backendName))
    , accessibility(desktop, screens, restoreFrames, titleBars)
    , windowServer(desktop, screens, titleBars)
    , workspace(send, desktop, titleBars)
    , application(endpoint.bus(), desktop, std::move(trayHint))
    , events(send, desktop, screens, std::move(modifierFlags), runLoop)
    , windowFrames(send, desktop, accessibility, screens, restoreFrames, runLoop)
    , defaults(defaultsFilePath())
    , loginItem(autostartEntryPath(), QCoreApplication::applicationFilePath()) {
    desktop.setOwnPid(qint32(::getpid()));
}

bool AgentBackendParts::runUntilFirstReport(QEventLoop& wait, int timeoutMs) {
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &wait, &QEventLoop::quit);
    QObject::connect(&desktop, &AgentDesktop::snapshotApplied, &wait, &QEventLoop::quit);
    deadline.start(timeoutMs);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    return desktop.hasSnapshot();
}

void AgentBackendParts::forgetFramesOfWindowsGone() {
    QObject::connect(&desktop, &AgentDesktop::snapshotApplied, &desktop, [this] {
        QSet<QString> live;
        for (const AgentWindow* w : desktop.windowsFrontToBack())
            live.insert(w->id);
        restoreFrames.keepOnly(live);
    });
}

Platform AgentBackendParts::platform(KeyGrabs& keyGrabs, Shortcuts& shortcuts, Capabilities capabilities) {
    return Platform{.accessibility = accessibility,
                    .windowServer = windowServer,
                    .screens = screens,
                    .workspace = workspace,
                    .application = application,
                    .events = events,
                    .defaults = defaults,
                    .loginItem = loginItem,
                    .updater = updater,
                    .runLoop = runLoop,
                    .windowFrames = windowFrames,
                    .keyGrabs = keyGrabs,
                    .shortcuts = shortcuts,
                    .capabilities = capabilities};
}

} // namespace corvane

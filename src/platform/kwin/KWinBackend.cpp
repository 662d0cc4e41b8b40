#include "KWinBackend.h"

#include "platform/agent/AgentAccessibility.h"
#include "platform/agent/AgentApplication.h"
#include "platform/agent/AgentDesktop.h"
#include "platform/agent/AgentEvents.h"
#include "platform/common/Log.h"
#include "platform/common/PackageManagedUpdater.h"
#include "platform/freedesktop/AutostartLoginItem.h"
#include "platform/freedesktop/PlistDefaults.h"
#include "platform/freedesktop/SettingsPaths.h"
#include "platform/kwin/KGlobalAccelShortcuts.h"
#include "platform/kwin/KWinAgent.h"
#ifdef CORVANE_KWIN_KEY_STATE
#include "platform/kwin/KWinKeyState.h"
#endif
#include "platform/agent/AgentRestoreFrames.h"
#include "platform/agent/AgentScreens.h"
#include "platform/agent/AgentWindowFrames.h"
#include "platform/agent/AgentWindowServer.h"
#include "platform/agent/AgentWorkspace.h"
#include "platform/kwin/KWinKeyGrabs.h"
#include "platform/kwin/KWinModifierKeys.h"
#include "platform/kwin/KWinScriptLoader.h"
#include "platform/kwin/KWinTitleBarButtons.h"
#include "platform/qt/QtRunLoop.h"
#ifdef CORVANE_LAYER_SHELL
#include "platform/wayland/LayerShellOverlays.h"
#endif

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <unistd.h>

namespace corvane {

struct KWinBackend::Parts {
    Parts()
        : bus(QDBusConnection::sessionBus())
        , agent(bus, desktop)
        , loader(bus, KWinScriptLoader::findScript())
        , screens(desktop)
        , restoreFrames(AgentRestoreFrames::defaultPath(QStringLiteral("kwin")))
        , titleBarButtons(ConfigFolders::fromEnvironment())
        , accessibility(desktop, screens, restoreFrames, titleBarButtons)
        , windowServer(desktop, screens, titleBarButtons)
        , workspace(sendToAgent(), desktop, titleBarButtons)
        , application(bus, desktop)
        , events(
              sendToAgent(), desktop, screens, [this] { return modifierKeys.flags(); }, runLoop)
        , windowFrames(sendToAgent(), desktop, accessibility, screens, restoreFrames, runLoop)
        , keyGrabs(bus)
        , shortcuts(bus)
        , defaults(defaultsFilePath())
        , loginItem(autostartEntryPath(), QCoreApplication::applicationFilePath()) {
        desktop.setOwnPid(qint32(::getpid()));
#ifdef CORVANE_KWIN_KEY_STATE
        // On Qt's own Wayland connection: under another platform plugin Qt would open one just for this.
        if (QGuiApplication::platformName().startsWith(u"wayland"))
            keyState = std::make_unique<KWinKeyState>(modifierKeys);
#endif
    }

    AgentCommand sendToAgent() {
        return [this](const QJsonObject& command) { agent.send(command); };
    }

    QDBusConnection bus;
    AgentDesktop desktop;
    KWinAgent agent;
    KWinScriptLoader loader;
    QtRunLoop runLoop;
    AgentScreens screens;
    AgentRestoreFrames restoreFrames;
    KWinTitleBarButtons titleBarButtons;
    AgentAccessibility accessibility;
    AgentWindowServer windowServer;
    AgentWorkspace workspace;
    AgentApplication application;
    KWinModifierKeys modifierKeys;
#ifdef CORVANE_KWIN_KEY_STATE
    std::unique_ptr<KWinKeyState> keyState;
#endif
    AgentEvents events;
    AgentWindowFrames windowFrames;
    KWinKeyGrabs keyGrabs;
    KGlobalAccelShortcuts shortcuts;
    PlistDefaults defaults;
    AutostartLoginItem loginItem;
    PackageManagedUpdater updater;
#ifdef CORVANE_LAYER_SHELL
    LayerShellOverlays overlays;
#endif
};

KWinBackend::KWinBackend()
    : m_parts(std::make_unique<Parts>()) {}

KWinBackend::~KWinBackend() {
    m_parts->loader.unload();
}

std::unique_ptr<KWinBackend> KWinBackend::create() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(QLatin1String(KWinAgent::kwinService)).value())
        return nullptr;
    std::unique_ptr<KWinBackend> backend(new KWinBackend);
    if (!backend->start())
        return nullptr;
    return backend;
}

bool KWinBackend::start() {
    Parts& p = *m_parts;
    if (!p.agent.start()) {
        qCWarning(lcGeneral, "KWin agent: the bridge's bus object could not be served");
        return false;
    }
    p.agent.expectScript();
    if (!p.loader.load())
        return false;
    // The core starts with the desktop known: the script's first report comes within a second.
    QEventLoop wait;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &wait, &QEventLoop::quit);
    connect(&p.desktop, &AgentDesktop::snapshotApplied, &wait, &QEventLoop::quit);
    connect(&p.agent, &KWinAgent::silent, &wait, &QEventLoop::quit);
    deadline.start(kFirstReportTimeoutMs);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (!p.desktop.hasSnapshot()) {
        qCWarning(lcGeneral, "KWin agent: the script did not report within %d ms", kFirstReportTimeoutMs);
        p.loader.unload();
        return false;
    }
    qCInfo(lcGeneral, "KWin agent loaded from %s", qPrintable(p.loader.scriptPath()));
    connect(&p.agent, &KWinAgent::silent, this, &KWinBackend::recover);
    connect(&p.agent, &KWinAgent::scriptStarted, this, [this] {
        m_isReloadAnswered = true;
        m_wasSilent = false;
    });
    auto* kwinWatcher = new QDBusServiceWatcher(QLatin1String(KWinAgent::kwinService), p.bus,
                                                QDBusServiceWatcher::WatchForUnregistration, this);
    connect(kwinWatcher, &QDBusServiceWatcher::serviceUnregistered, this, &Backend::lost);
    connect(&p.desktop, &AgentDesktop::snapshotApplied, this, [this] {
        QSet<QString> live;
        for (const AgentWindow* w : m_parts->desktop.windowsFrontToBack())
            live.insert(w->id);
        m_parts->restoreFrames.keepOnly(live);
    });
    return true;
}

void KWinBackend::recover() {
    Parts& p = *m_parts;
    const std::optional<bool> isLoaded = p.loader.isLoaded();
    if (!isLoaded) {
        // KWin's leaving the bus is watched apart: one that does not answer is busy or stopped.
        qCWarning(lcGeneral, "KWin agent: KWin does not answer; waiting for it");
        p.agent.expectScript();
        return;
    }
    // A KWin that just ran again after a stop may take a moment to pass on the script's poll.
    if (*isLoaded && !m_wasSilent) {
        m_wasSilent = true;
        p.agent.expectScript();
        return;
    }
    if (!m_isReloadAnswered) {
        qCWarning(lcGeneral, "KWin agent: the script loaded again never answered");
        emit lost();
        return;
    }
    p.desktop.reset();
    p.agent.expectScript();
    if (!p.loader.load()) {
        emit lost();
        return;
    }
    m_isReloadAnswered = false;
    if (*isLoaded)
        qCInfo(lcGeneral, "KWin agent stopped answering; loaded it again");
    else
        qCInfo(lcGeneral, "KWin agent was unloaded; loaded it again");
}

QString KWinBackend::lostMessage() const {
    return QStringLiteral("Corvane lost its agent in KWin and stops.");
}

Platform KWinBackend::platform() {
    Parts& p = *m_parts;
    Platform platform{.accessibility = p.accessibility,
                      .windowServer = p.windowServer,
                      .screens = p.screens,
                      .workspace = p.workspace,
                      .application = p.application,
                      .events = p.events,
                      .defaults = p.defaults,
                      .loginItem = p.loginItem,
                      .updater = p.updater,
                      .runLoop = p.runLoop,
                      .windowFrames = p.windowFrames,
                      .keyGrabs = p.keyGrabs,
                      .shortcuts = p.shortcuts,
                      .capabilities = Capabilities{Capability::Hotkeys, Capability::LoginItem,
                                                   Capability::DesktopEdgeTiling}};
#ifdef CORVANE_LAYER_SHELL
    // Our own windows over others' need the compositor's overlay layers: without them no preview to
    // drag to, and no palette.
    platform.overlayWindows = &p.overlays;
    platform.capabilities |=
        Capabilities{Capability::OwnOverlay, Capability::DragObservation, Capability::MaximizeButtonPalette};
#endif
    return platform;
}

} // namespace corvane

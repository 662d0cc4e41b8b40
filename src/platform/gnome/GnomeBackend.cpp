#include "GnomeBackend.h"

#include "platform/agent/AgentAccessibility.h"
#include "platform/agent/AgentApplication.h"
#include "platform/agent/AgentDesktop.h"
#include "platform/agent/AgentEvents.h"
#include "platform/agent/AgentRestoreFrames.h"
#include "platform/agent/AgentScreens.h"
#include "platform/agent/AgentWindowFrames.h"
#include "platform/agent/AgentWindowServer.h"
#include "platform/agent/AgentWorkspace.h"
#include "platform/common/Log.h"
#include "platform/common/PackageManagedUpdater.h"
#include "platform/freedesktop/AutostartLoginItem.h"
#include "platform/freedesktop/PlistDefaults.h"
#include "platform/freedesktop/SettingsPaths.h"
#include "platform/gnome/GnomeCanvas.h"
#include "platform/gnome/GnomeExtensionState.h"
#include "platform/gnome/GnomeKeyGrabs.h"
#include "platform/gnome/GnomeOverlayWindows.h"
#include "platform/gnome/GnomeShellBridge.h"
#include "platform/gnome/GnomeShortcuts.h"
#include "platform/gnome/GnomeSnapPreview.h"
#include "platform/gnome/GnomeTitleBars.h"
#include "platform/gnome/MutterEdgeTiling.h"
#include "platform/qt/QtRunLoop.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QTimer>
#include <unistd.h>

namespace corvane {

struct GnomeBackend::Parts {
    Parts()
        : bus(QDBusConnection::sessionBus())
        , bridge(bus, desktop)
        , screens(desktop)
        , restoreFrames(AgentRestoreFrames::defaultPath(QStringLiteral("gnome")))
        , accessibility(desktop, screens, restoreFrames, titleBars)
        , windowServer(desktop, screens, titleBars)
        , workspace(sendToAgent(), desktop, titleBars)
        , application(bus, desktop,
                      QCoreApplication::translate(
                          "GnomeBackend", "GNOME shows Corvane's icon in the top bar once the AppIndicator "
                                          "extension is on (Debian: gnome-shell-extension-appindicator)."))
        , events(
              sendToAgent(), desktop, screens, [this] { return desktop.modifierFlags(); }, runLoop)
        , windowFrames(sendToAgent(), desktop, accessibility, screens, restoreFrames, runLoop)
        , shortcuts(sendToAgent(), desktop)
        , keyGrabs(shortcuts)
        , preview(sendToAgent(), screens)
        , overlays(sendToAgent(), desktop)
        , canvas(sendToAgent(), screens)
        , extension(bus)
        , edgeTiling(MutterEdgeTiling::open())
        , defaults(defaultsFilePath())
        , loginItem(autostartEntryPath(), QCoreApplication::applicationFilePath()) {
        desktop.setOwnPid(qint32(::getpid()));
    }

    AgentCommand sendToAgent() {
        return [this](const QJsonObject& command) { bridge.send(command); };
    }

    QDBusConnection bus;
    AgentDesktop desktop;
    GnomeShellBridge bridge;
    QtRunLoop runLoop;
    AgentScreens screens;
    AgentRestoreFrames restoreFrames;
    GnomeTitleBars titleBars;
    AgentAccessibility accessibility;
    AgentWindowServer windowServer;
    AgentWorkspace workspace;
    AgentApplication application;
    AgentEvents events;
    AgentWindowFrames windowFrames;
    GnomeShortcuts shortcuts;
    GnomeKeyGrabs keyGrabs;
    GnomeSnapPreview preview;
    GnomeOverlayWindows overlays;
    GnomeCanvas canvas;
    GnomeExtensionState extension;
    std::unique_ptr<MutterEdgeTiling> edgeTiling;
    PlistDefaults defaults;
    AutostartLoginItem loginItem;
    PackageManagedUpdater updater;
};

GnomeBackend::GnomeBackend()
    : m_parts(std::make_unique<Parts>()) {}

GnomeBackend::~GnomeBackend() = default;

std::unique_ptr<GnomeBackend> GnomeBackend::create() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(QLatin1String(GnomeShellBridge::shellService)).value())
        return nullptr;
    std::unique_ptr<GnomeBackend> backend(new GnomeBackend);
    if (!backend->start())
        return nullptr;
    return backend;
}

bool GnomeBackend::start() {
    Parts& p = *m_parts;
    if (!p.bridge.start()) {
        qCWarning(lcGeneral, "GNOME Shell extension: the bridge's bus object could not be served");
        return false;
    }
    connect(&p.bridge, &GnomeShellBridge::keyPressed, &p.shortcuts, &GnomeShortcuts::keyPressed);
    connect(&p.bridge, &GnomeShellBridge::canvasReported, &p.canvas, &GnomeCanvas::report);
    connect(&p.extension, &DesktopAgent::stateChanged, this, &GnomeBackend::followExtension);
    auto* shellWatcher = new QDBusServiceWatcher(QLatin1String(GnomeShellBridge::shellService), p.bus,
                                                 QDBusServiceWatcher::WatchForUnregistration, this);
    connect(shellWatcher, &QDBusServiceWatcher::serviceUnregistered, this, &Backend::lost);
    connect(&p.desktop, &AgentDesktop::snapshotApplied, this, [this] {
        QSet<QString> live;
        for (const AgentWindow* w : m_parts->desktop.windowsFrontToBack())
            live.insert(w->id);
        m_parts->restoreFrames.keepOnly(live);
    });
    if (p.extension.state() != DesktopAgent::State::Running) {
        qCInfo(lcGeneral, "GNOME Shell extension not running: Corvane waits for it");
        return true;
    }
    // The core starts with the desktop known: the extension answers within milliseconds.
    followExtension();
    QEventLoop wait;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &wait, &QEventLoop::quit);
    connect(&p.desktop, &AgentDesktop::snapshotApplied, &wait, &QEventLoop::quit);
    deadline.start(kFirstReportTimeoutMs);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (!p.desktop.hasSnapshot())
        qCWarning(lcGeneral, "GNOME Shell extension: no report within %d ms; waiting for it",
                  kFirstReportTimeoutMs);
    return true;
}

void GnomeBackend::followExtension() {
    Parts& p = *m_parts;
    if (p.extension.state() == DesktopAgent::State::Running) {
        p.bridge.send(QJsonObject{{QStringLiteral("c"), QStringLiteral("snapshot")}});
        return;
    }
    if (p.desktop.hasSnapshot())
        p.desktop.reset();
}

QString GnomeBackend::lostMessage() const {
    return QStringLiteral("Corvane lost GNOME Shell and stops.");
}

Platform GnomeBackend::platform() {
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
                      .capabilities = Capabilities{Capability::Hotkeys, Capability::DragObservation,
                                                   Capability::LoginItem}};
    platform.agentPreview = &p.preview;
    platform.overlayWindows = &p.overlays;
    platform.agentCanvas = &p.canvas;
    platform.desktopAgent = &p.extension;
    platform.edgeTiling = p.edgeTiling.get();
    return platform;
}

} // namespace corvane

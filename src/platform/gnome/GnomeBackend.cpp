#include "GnomeBackend.h"

#include "platform/agent/AgentBackendParts.h"
#include "platform/agent/AgentProtocol.h"
#include "platform/common/Log.h"
#include "platform/gnome/GnomeCanvas.h"
#include "platform/gnome/GnomeExtensionState.h"
#include "platform/gnome/GnomeKeyGrabs.h"
#include "platform/gnome/GnomeOverlayWindows.h"
#include "platform/gnome/GnomeShellBridge.h"
#include "platform/gnome/GnomeShortcuts.h"
#include "platform/gnome/GnomeSnapPreview.h"
#include "platform/gnome/GnomeTitleBars.h"
#include "platform/gnome/MutterEdgeTiling.h"

#include <QCoreApplication>

namespace corvane {

struct GnomeBackend::Parts {
    Parts()
        : bus(QDBusConnection::sessionBus())
        , bridge(bus, desktop)
        , shared(
              QStringLiteral("gnome"), bridge, titleBars, [this] { return desktop.modifierFlags(); },
              QCoreApplication::translate("GnomeBackend",
                                          "GNOME shows Corvane's icon in the top bar once the AppIndicator "
                                          "extension is on (Debian: gnome-shell-extension-appindicator)."))
        , shortcuts(shared.send, desktop)
        , keyGrabs(shortcuts)
        , preview(shared.send, shared.screens)
        , overlays(shared.send, desktop)
        , canvas(shared.send, shared.screens)
        , extension(bus)
        , edgeTiling(MutterEdgeTiling::open()) {}

    QDBusConnection bus;
    AgentDesktop desktop;
    GnomeShellBridge bridge;
    GnomeTitleBars titleBars;
    AgentBackendParts shared;
    GnomeShortcuts shortcuts;
    GnomeKeyGrabs keyGrabs;
    GnomeSnapPreview preview;
    GnomeOverlayWindows overlays;
    GnomeCanvas canvas;
    GnomeExtensionState extension;
    std::unique_ptr<MutterEdgeTiling> edgeTiling;
};

GnomeBackend::GnomeBackend()
    : AgentBackend(QStringLiteral("gnome"), QStringLiteral("Corvane lost GNOME Shell and stops."))
    , m_parts(std::make_unique<Parts>()) {}

GnomeBackend::~GnomeBackend() = default;

bool GnomeBackend::start() {
    Parts& p = *m_parts;
    if (!p.bridge.start())
        return false;
    connect(&p.bridge, &GnomeShellBridge::keyPressed, &p.shortcuts, &GnomeShortcuts::keyPressed);
    connect(&p.bridge, &GnomeShellBridge::canvasReported, &p.canvas, &GnomeCanvas::report);
    connect(&p.extension, &DesktopAgent::stateChanged, this, &GnomeBackend::followExtension);
    p.shared.forgetFramesOfWindowsGone();
    if (p.extension.state() != DesktopAgent::State::Running) {
        qCInfo(lcGeneral, "GNOME Shell extension not running: Corvane waits for it");
        return true;
    }
    // The core starts with the desktop known: the extension answers within milliseconds.
    followExtension();
    if (!p.shared.awaitFirstReport(kFirstReportTimeoutMs))
        qCWarning(lcGeneral, "GNOME Shell extension: no report within %d ms; waiting for it",
                  kFirstReportTimeoutMs);
    return true;
}

void GnomeBackend::followExtension() {
    Parts& p = *m_parts;
    if (p.extension.state() == DesktopAgent::State::Running) {
        p.bridge.send(QJsonObject{{agentprotocol::keys::kCommand, agentprotocol::command::kSnapshot}});
        return;
    }
    if (p.desktop.hasSnapshot())
        p.desktop.reset();
}

Platform GnomeBackend::platform() {
    Parts& p = *m_parts;
    Platform platform = p.shared.platform(
        p.keyGrabs, p.shortcuts,
        Capabilities{Capability::Hotkeys, Capability::DragObservation, Capability::LoginItem});
    platform.agentPreview = &p.preview;
    platform.overlayWindows = &p.overlays;
    platform.agentCanvas = &p.canvas;
    platform.desktopAgent = &p.extension;
    platform.edgeTiling = p.edgeTiling.get();
    return platform;
}

} // namespace corvane

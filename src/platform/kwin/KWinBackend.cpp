#include "KWinBackend.h"

#include "platform/agent/AgentBackendParts.h"
#include "platform/common/Log.h"
#include "platform/kwin/KGlobalAccelShortcuts.h"
#include "platform/kwin/KWinAgent.h"
#ifdef CORVANE_KWIN_KEY_STATE
#include "platform/kwin/KWinKeyState.h"
#endif
#include "platform/kwin/KWinEdgeTiling.h"
#include "platform/kwin/KWinKeyGrabs.h"
#include "platform/kwin/KWinModifierKeys.h"
#include "platform/kwin/KWinScriptLoader.h"
#include "platform/kwin/KWinTitleBarButtons.h"
#ifdef CORVANE_LAYER_SHELL
#include "platform/wayland/LayerShellOverlays.h"
#endif

#include <QGuiApplication>

namespace corvane {

struct KWinBackend::Parts {
    Parts()
        : bus(QDBusConnection::sessionBus())
        , agent(bus, desktop)
        , titleBarButtons(ConfigFolders::fromEnvironment())
        , shared(QStringLiteral("kwin"), agent, titleBarButtons, [this] { return modifierKeys.flags(); })
        , loader(bus, KWinScriptLoader::findScript())
        , keyGrabs(bus)
        , shortcuts(bus) {
#ifdef CORVANE_KWIN_KEY_STATE
        // On Qt's own Wayland connection: under another platform plugin Qt would open one just for this.
        if (QGuiApplication::platformName().startsWith(u"wayland"))
            keyState = std::make_unique<KWinKeyState>(modifierKeys);
#endif
    }

    QDBusConnection bus;
    AgentDesktop desktop;
    KWinAgent agent;
    KWinTitleBarButtons titleBarButtons;
    KWinModifierKeys modifierKeys;
    AgentBackendParts shared;
    KWinScriptLoader loader;
#ifdef CORVANE_KWIN_KEY_STATE
    std::unique_ptr<KWinKeyState> keyState;
#endif
    KWinKeyGrabs keyGrabs;
    KGlobalAccelShortcuts shortcuts;
    KWinEdgeTiling edgeTiling;
#ifdef CORVANE_LAYER_SHELL
    LayerShellOverlays overlays;
#endif
};

KWinBackend::KWinBackend()
    : AgentBackend(QStringLiteral("kwin"), QStringLiteral("Corvane lost its agent in KWin and stops."))
    , m_parts(std::make_unique<Parts>()) {}

KWinBackend::~KWinBackend() {
    m_parts->loader.unload();
}

bool KWinBackend::start() {
    Parts& p = *m_parts;
    if (!p.agent.start())
        return false;
    p.agent.expectScript();
    if (!p.loader.load())
        return false;
    // The script's first report comes within a second.
    if (!p.shared.awaitFirstReport(kFirstReportTimeoutMs, &p.agent, &KWinAgent::silent)) {
        qCWarning(lcGeneral, "KWin agent: the script did not report within %d ms", kFirstReportTimeoutMs);
        p.loader.unload();
        return false;
    }
    qCInfo(lcGeneral, "KWin agent loaded from %s", qPrintable(p.loader.scriptPath()));
    connect(&p.agent, &KWinAgent::silent, this, &KWinBackend::recover);
    connect(&p.agent, &KWinAgent::scriptStarted, this, [this] { m_recovery = Recovery::Answering; });
    p.shared.forgetFramesOfWindowsGone();
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
    const bool hasWaited = m_recovery == Recovery::WaitedOnce || m_recovery == Recovery::ReloadedAndWaited;
    const bool isReloaded = m_recovery == Recovery::Reloaded || m_recovery == Recovery::ReloadedAndWaited;
    // A KWin that just ran again after a stop may take a moment to pass on the script's poll.
    if (*isLoaded && !hasWaited) {
        m_recovery = isReloaded ? Recovery::ReloadedAndWaited : Recovery::WaitedOnce;
        p.agent.expectScript();
        return;
    }
    if (isReloaded) {
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
    m_recovery = hasWaited ? Recovery::ReloadedAndWaited : Recovery::Reloaded;
    if (*isLoaded)
        qCInfo(lcGeneral, "KWin agent stopped answering; loaded it again");
    else
        qCInfo(lcGeneral, "KWin agent was unloaded; loaded it again");
}

Platform KWinBackend::platform() {
    Parts& p = *m_parts;
    Platform platform =
        p.shared.platform(p.keyGrabs, p.shortcuts, Capabilities{Capability::Hotkeys, Capability::LoginItem});
    platform.edgeTiling = &p.edgeTiling;
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

#pragma once
// The parts of the platform every backend with an agent of Corvane's in its compositor builds alike
// (KWinBackend, GnomeBackend): all answered from the desktop the agent reports to its endpoint, with
// the commands for it handed to that endpoint's transport. The backend adds what only its desktop has
// (title bars, modifier keys, chords, what is drawn over other windows) and decides when its agent runs.

#include "platform/Platform.h"
#include "platform/agent/AgentAccessibility.h"
#include "platform/agent/AgentApplication.h"
#include "platform/agent/AgentEndpoint.h"
#include "platform/agent/AgentEvents.h"
#include "platform/agent/AgentRestoreFrames.h"
#include "platform/agent/AgentScreens.h"
#include "platform/agent/AgentWindowFrames.h"
#include "platform/agent/AgentWindowServer.h"
#include "platform/agent/AgentWorkspace.h"
#include "platform/common/PackageManagedUpdater.h"
#include "platform/freedesktop/AutostartLoginItem.h"
#include "platform/freedesktop/PlistDefaults.h"
#include "platform/qt/QtRunLoop.h"

#include <QEventLoop>

namespace corvane {

class AgentBackendParts {
public:
    // The backend's name ("kwin") names its file of the frames remembered for restore; the tray hint
    // is AgentApplication's.
    AgentBackendParts(const QString& backendName, AgentEndpoint& endpoint, AgentTitleBars& titleBars,
                      AgentEvents::ModifierFlags modifierFlags, QString trayHint = {});

    // The core starts with the desktop known: runs Qt's event loop until the agent's first report, for
    // timeoutMs at most, and sooner when `giveUp` comes from `sender`. True once the desktop is known.
    bool awaitFirstReport(int timeoutMs) {
        QEventLoop wait;
        return runUntilFirstReport(wait, timeoutMs);
    }
    template <typename Sender, typename Signal>
    bool awaitFirstReport(int timeoutMs, const Sender* sender, Signal giveUp) {
        QEventLoop wait;
        QObject::connect(sender, giveUp, &wait, &QEventLoop::quit);
        return runUntilFirstReport(wait, timeoutMs);
    }
    // From now on each report of the whole desktop forgets the frames remembered for windows gone.
    void forgetFramesOfWindowsGone();

    // The platform of these parts, with the backend's chords and what it can do.
    Platform platform(KeyGrabs& keyGrabs, Shortcuts& shortcuts, Capabilities capabilities);

    AgentCommand send;
    AgentDesktop& desktop;
    QtRunLoop runLoop;
    AgentScreens screens;
    AgentRestoreFrames restoreFrames;
    AgentAccessibility accessibility;
    AgentWindowServer windowServer;
    AgentWorkspace workspace;
    AgentApplication application;
    AgentEvents events;
    AgentWindowFrames windowFrames;
    PlistDefaults defaults;
    AutostartLoginItem loginItem;
    PackageManagedUpdater updater;

private:
    bool runUntilFirstReport(QEventLoop& wait, int timeoutMs);
};

} // namespace corvane

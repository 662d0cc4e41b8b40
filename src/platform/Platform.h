#pragma once
// Everything the layers above may ask of the desktop, handed to each object in its constructor.
// Each backend provides one: X11, KDE Plasma, GNOME and the simulated desktop the tests drive.

#include "platform/Accessibility.h"
#include "platform/AgentCanvas.h"
#include "platform/Application.h"
#include "platform/Capabilities.h"
#include "platform/Defaults.h"
#include "platform/DesktopAgent.h"
#include "platform/EdgeTiling.h"
#include "platform/Events.h"
#include "platform/KeyGrabs.h"
#include "platform/LoginItem.h"
#include "platform/OverlayWindows.h"
#include "platform/PalettePresenter.h"
#include "platform/RunLoop.h"
#include "platform/Screens.h"
#include "platform/Shortcuts.h"
#include "platform/SnapPreview.h"
#include "platform/Updater.h"
#include "platform/WindowFrames.h"
#include "platform/WindowServer.h"
#include "platform/Workspace.h"

namespace corvane {

struct Platform {
    Accessibility& accessibility;
    WindowServer& windowServer;
    Screens& screens;
    Workspace& workspace;
    Application& application;
    Events& events;
    Defaults& defaults; // the program's own settings
    LoginItem& loginItem;
    Updater& updater;
    RunLoop& runLoop;
    WindowFrames& windowFrames;
    KeyGrabs& keyGrabs;
    Shortcuts& shortcuts;
    Capabilities capabilities = kAllCapabilities;
    // Drawn by the desktop's agent where Corvane may not put its own windows over other applications';
    // null where Corvane draws the preview and the palette itself.
    SnapPreview* agentPreview = nullptr;
    AgentCanvas* agentCanvas = nullptr;
    // Where Corvane's floating windows cannot place themselves: the backend places them. Null where
    // they can.
    OverlayWindows* overlayWindows = nullptr;
    // Corvane's part inside the desktop, where one must be running first; null where none is needed.
    DesktopAgent* desktopAgent = nullptr;
    // The desktop's own edge tiling, which Corvane may or may not turn off; null where it has none.
    EdgeTiling* edgeTiling = nullptr;
};

} // namespace corvane

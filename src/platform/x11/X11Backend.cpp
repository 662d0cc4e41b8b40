#include "X11Backend.h"

#include "platform/common/ObservedShortcuts.h"
#include "platform/common/PackageManagedUpdater.h"
#include "platform/freedesktop/AtspiBus.h"
#include "platform/freedesktop/AutostartLoginItem.h"
#include "platform/freedesktop/PlistDefaults.h"
#include "platform/freedesktop/SettingsPaths.h"
#include "platform/qt/QtRunLoop.h"
#include "platform/x11/ButtonLayoutReader.h"
#include "platform/x11/TitleBarButtons.h"
#include "platform/x11/WindowManagerWatcher.h"
#include "platform/x11/X11Accessibility.h"
#include "platform/x11/X11Application.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11KeyGrabs.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11Screens.h"
#include "platform/x11/X11WindowFrames.h"
#include "platform/x11/X11WindowServer.h"
#include "platform/x11/X11Windows.h"
#include "platform/x11/X11Workspace.h"
#include "platform/x11/X11Writer.h"

#include <QCoreApplication>

namespace corvane {

struct X11Backend::Parts {
    explicit Parts(X11Connection& connection)
        : screens(connection)
        , windows(connection, screens)
        , windowManager(connection)
        , buttonLayouts(windowManager)
        , accessibilityBus(
              AtspiBus::Desktop{[&connection](double timeout) {
                                    return QString::fromUtf8(connection.bytes(
                                        connection.root(), connection.atom("AT_SPI_BUS"), timeout));
                                },
                                [this] { return screens.primaryOrigin(); }})
        , titleBarButtons(buttonLayouts, accessibilityBus)
        , accessibility(connection, windows, titleBarButtons, windowManager)
        , windowServer(connection, windows, screens, titleBarButtons, buttonLayouts)
        , workspace(connection, windows, buttonLayouts)
        , application(connection, screens)
        , keyboard(connection)
        , events(connection, keyboard, screens, runLoop)
        , keyGrabs(connection, keyboard, windowManager)
        , shortcuts(events, keyGrabs)
        , defaults(defaultsFilePath())
        , loginItem(autostartEntryPath(), QCoreApplication::applicationFilePath()) {}
    // Running work holds references to the parts below.
    ~Parts() { writer.stop(); }

    X11Writer writer;
    QtRunLoop runLoop;
    X11WindowFrames windowFrames{writer, runLoop};
    X11Screens screens;
    X11Windows windows;
    WindowManagerWatcher windowManager;
    ButtonLayoutReader buttonLayouts;
    AtspiBus accessibilityBus;
    TitleBarButtons titleBarButtons;
    X11Accessibility accessibility;
    X11WindowServer windowServer;
    X11Workspace workspace;
    X11Application application;
    X11Keyboard keyboard;
    X11Events events;
    X11KeyGrabs keyGrabs;
    ObservedShortcuts shortcuts;
    PlistDefaults defaults;
    AutostartLoginItem loginItem;
    PackageManagedUpdater updater;
};

std::unique_ptr<X11Backend> X11Backend::create() {
    std::unique_ptr<X11Connection> connection = X11Connection::open();
    if (!connection)
        return nullptr;
    std::unique_ptr<X11Backend> backend(new X11Backend);
    backend->m_connection = std::move(connection);
    backend->m_parts = std::make_unique<Parts>(*backend->m_connection);
    if (!backend->m_parts->writer.isConnected())
        return nullptr;
    connect(backend->m_connection.get(), &X11Connection::connectionLost, backend.get(), &Backend::lost);
    return backend;
}

bool X11Backend::isDisplayReachable() {
    return X11Connection::isDisplayReachable();
}

X11Backend::~X11Backend() = default;

QString X11Backend::lostMessage() const {
    return QStringLiteral("Corvane lost its connection to the X server and stops.");
}

Platform X11Backend::platform() {
    Parts& p = *m_parts;
    return Platform{.accessibility = p.accessibility,
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
                    .shortcuts = p.shortcuts};
}

} // namespace corvane

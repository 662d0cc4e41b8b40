#pragma once
// A whole desktop in memory for tests: the scene (applications, windows with outer frames, element
// trees, screens) and the platform pieces that answer from it, with events, settings and a manual
// clock. Tests set the scene, act, then assert on the scene and on the action log. Every platform
// interface is here; what fails on demand is SimFaults', the title-bar buttons are SimTitleBar's.

#include "platform/Platform.h"
#include "platform/common/ObservedShortcuts.h"
#include "platform/sim/SimAccessibility.h"
#include "platform/sim/SimAccessibilityBus.h"
#include "platform/sim/SimActionLog.h"
#include "platform/sim/SimApplication.h"
#include "platform/sim/SimDefaults.h"
#include "platform/sim/SimDesktopShortcuts.h"
#include "platform/sim/SimEvents.h"
#include "platform/sim/SimFaults.h"
#include "platform/sim/SimKeyGrabs.h"
#include "platform/sim/SimLoginItem.h"
#include "platform/sim/SimRunLoop.h"
#include "platform/sim/SimScreens.h"
#include "platform/sim/SimUpdater.h"
#include "platform/sim/SimWindowFrames.h"
#include "platform/sim/SimWindowServer.h"
#include "platform/sim/SimWorkspace.h"

#include <QHash>
#include <QList>
#include <functional>

namespace corvane {

using SimWindowId = quint32; // the window number, as the window server reports it

struct SimWindowOptions {
    int layer = 0;
    bool isOnScreen = true;
    bool isDesktopElement = false;
    bool isFullScreen = false;
    QString title{};
};

class SimDesktop {
public:
    SimDesktop();
    ~SimDesktop();
    SimDesktop(const SimDesktop&) = delete;
    SimDesktop& operator=(const SimDesktop&) = delete;

    Platform platform();
    // The same desktop with its shortcuts held in its own settings, as a compositor holds them.
    Platform platformWithDesktopShortcuts();

    // Applications. This process exists from the start as "Corvane".
    qint32 thisProcessPid() const { return m_thisPid; }
    qint32 addApplication(const QString& name);
    void quitApplication(qint32 pid); // its windows vanish and its elements go invalid
    // Sets the frontmost application without a notification; none for no frontmost application.
    void setFrontmostApplication(std::optional<qint32> pid);
    std::optional<qint32> frontmostPid() const { return m_frontmostPid; }
    // Makes it frontmost and posts the workspace's activation notification.
    void activateApplication(qint32 pid);

    // Windows, in front of all others when added. Frames are outer frames in AX coordinates.
    SimWindowId addWindow(qint32 pid, const QRectF& axFrame, const SimWindowOptions& options = {});
    void removeWindow(SimWindowId window); // closed: gone from the list, its elements invalid
    QRectF windowFrame(SimWindowId window) const;
    void setWindowFrame(SimWindowId window, const QRectF& axFrame); // as when the user moves it
    void raiseWindow(SimWindowId window); // to the front of all others, the focus left where it is
    // The frame remembered on the window (CorvaneRestoreFrame), as it stays on a window across runs.
    std::optional<QRectF> restoreFrame(SimWindowId window) const;
    void setRestoreFrame(SimWindowId window, std::optional<QRectF> axFrame);
    AxElement windowElement(SimWindowId window) const;
    void setFocusedWindow(qint32 pid, std::optional<SimWindowId> window);
    void setFullScreen(SimWindowId window, bool isFullScreen);
    // Hidden (minimised, on another desktop) it leaves the on-screen list but stays a window.
    void setOnScreen(SimWindowId window, bool isOnScreen);
    // How the window takes a frame written through WindowFrames: this long after it was asked (a
    // compositor applies it with the client's next frame; none by default), sized as the constraint
    // makes it (a client's size increments and minimums), or not at all (it keeps its own frame).
    void setFrameLag(SimWindowId window, double seconds);
    void setSizeConstraint(SimWindowId window, std::function<QSizeF(QSizeF)> constraint);

    // Elements inside windows: buttons and deeper chains. A child's frame is in AX coordinates. The
    // window list tells where the window's zoom button (the last one added) lies.
    AxElement addElement(AxElement parent, const QString& role, const QString& subrole = {},
                         std::optional<QRectF> axFrame = std::nullopt);
    // A value set replaces what the element would report; a cleared attribute no longer exists.
    void setAttribute(AxElement element, const QString& attribute, AttributeValue value);
    void clearAttribute(AxElement element, const QString& attribute);
    // The timeout the code under test last set on the element.
    float messagingTimeout(AxElement element) const;

    // Screens in system order; the primary one has its frame at (0, 0). How Qt scales our own windows
    // on them is the screens piece's.
    Screen addScreen(const QRectF& frame, const QRectF& visibleFrame);
    void setScreens(QList<Screen> screens);
    void setMainScreen(std::optional<quint64> screenId); // default: the first screen
    void changeScreens(QList<Screen> screens);           // and posts the screen-change notification

    // What fails on demand.
    SimFaults& faults() { return m_faults; }

    // The pieces, for tests that drive them directly; a test posts a piece's notification by emitting
    // its signal.
    SimRunLoop& runLoop() { return m_runLoop; }
    SimWindowFrames& windowFrames() { return m_windowFrames; }
    SimEvents& events() { return m_events; }
    SimKeyGrabs& keyGrabs() { return m_keyGrabs; }
    ObservedShortcuts& shortcuts() { return m_shortcuts; }
    SimDesktopShortcuts& desktopShortcuts() { return m_desktopShortcuts; }
    SimWindowServer& windowServer() { return m_windowServer; }
    SimScreens& screens() { return m_screens; }
    SimDefaults& defaults() { return m_defaults; }
    SimLoginItem& loginItem() { return m_loginItem; }
    SimUpdater& updater() { return m_updater; }
    SimApplication& application() { return m_application; }
    SimAccessibility& accessibility() { return m_accessibility; }
    // Not a platform interface: what the X11 accessibility asks about client-drawn title bars.
    SimAccessibilityBus& accessibilityBus() { return m_accessibilityBus; }
    SimWorkspace& workspace() { return m_workspace; }
    SimActionLog& log() { return m_log; }

    // Runs everything the main queue has due now, and what that posts in turn.
    void settle() { m_runLoop.runPending(); }

private:
    friend class SimAccessibility;
    friend class SimAccessibilityBus;
    friend class SimWindowServer;
    friend class SimScreens;
    friend class SimWorkspace;
    friend class SimWindowFrames;

    struct App {
        qint32 pid = 0;
        QString name;
        AxElement element;
        std::optional<SimWindowId> focusedWindow;
    };
    struct Window {
        SimWindowId number = 0;
        qint32 pid = 0;
        QRectF frame;
        SimWindowOptions options;
        AxElement element;
        double frameLag = 0;
        std::function<QSizeF(QSizeF)> sizeConstraint;
        std::optional<QRectF> restoreFrame;
        QList<AxElement> zoomButtons; // elements added with a zoom or full-screen subrole
    };
    enum class NodeKind { SystemWide, Application, Window, Child };
    struct Node {
        NodeKind kind = NodeKind::Child;
        qint32 pid = 0;
        SimWindowId window = 0; // the window it is or lies in
        AxElement parent;
        QString role;
        QString subrole;
        std::optional<QRectF> frame;
        bool isValid = true;
        float timeout = 0;
        QHash<QString, AttributeValue> values;
        QSet<QString> removed;
    };

    // Half-open, as hit tests on the desktop are: minimum edges inside, maximum edges outside.
    static bool holds(const QRectF& r, QPointF p) {
        return p.x() >= r.left() && p.x() < r.right() && p.y() >= r.top() && p.y() < r.bottom();
    }

    AxElement makeNode(Node node);
    Node* node(AxElement element);
    const Node* node(AxElement element) const;
    App* app(qint32 pid);
    Window* window(SimWindowId number);
    const Window* window(SimWindowId number) const;
    // The window an element stands for; none when it is no window's or the window is gone.
    Window* windowOf(AxElement element);
    QRectF primaryFrame() const; // the screen at (0, 0), else the first; empty without screens
    double primaryHeight() const { return primaryFrame().height(); }
    // The frame of the window's most recently added zoom button that is still there.
    std::optional<QRectF> zoomButtonFrame(const Window& window) const;
    // The window's entry in the window list, as damaged by the faults.
    QVariant windowListEntry(SimWindowId window) const;
    void record(SimAction::Kind kind, AxElement element, const QString& attribute,
                const AttributeValue& value, AxError result);

    SimActionLog m_log;
    SimRunLoop m_runLoop;
    SimEvents m_events;
    SimKeyGrabs m_keyGrabs;
    ObservedShortcuts m_shortcuts{m_events, m_keyGrabs};
    SimDesktopShortcuts m_desktopShortcuts;
    SimDefaults m_defaults;
    SimLoginItem m_loginItem;
    SimUpdater m_updater;
    SimApplication m_application;
    SimAccessibility m_accessibility;
    SimAccessibilityBus m_accessibilityBus;
    SimWorkspace m_workspace;
    SimWindowServer m_windowServer;
    SimFaults m_faults{m_windowServer};
    SimScreens m_screens;
    SimWindowFrames m_windowFrames{*this};

    qint32 m_thisPid = 0;
    qint32 m_nextPid = 100;
    SimWindowId m_nextWindow = 1;
    quint64 m_nextHandle = 1;
    quint64 m_nextScreenId = 1;
    AxElement m_systemWide;
    QHash<qint32, App> m_apps;
    QList<qint32> m_appOrder;
    QList<Window> m_windows; // front to back
    QHash<quint64, Node> m_nodes;
    std::optional<qint32> m_frontmostPid;
    QList<Screen> m_screenList;
    std::optional<quint64> m_mainScreenId;
    bool m_hasMainScreenOverride = false;
};

} // namespace corvane

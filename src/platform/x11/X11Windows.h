#pragma once
// What Corvane reads of client windows and asks the window manager to do with them, shared by the
// X11 accessibility, window list and workspace. Frames are outer frames in AX coordinates (origin
// at the primary monitor's top-left); windows that draw their own shadow are measured without it.
// Each thread's connection has its own: the main thread's and the writer's.

#include "platform/x11/Fetched.h"
#include "platform/x11/SizeHints.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Screens.h"

#include <QRectF>
#include <QSet>
#include <chrono>

namespace corvane {

struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};

class X11Windows {
public:
    X11Windows(X11Connection& connection, X11Screens& screens);

    // Client windows, front to back, as the server stacks them.
    QList<xcb_window_t> stacking(double timeout = X11Connection::kDefaultTimeout);
    Fetched<qint32> pid(xcb_window_t window, double timeout = X11Connection::kDefaultTimeout);
    // None when the window is gone or did not answer in time.
    Fetched<QRectF> frame(xcb_window_t window, double timeout = X11Connection::kDefaultTimeout);
    // The outer frame, and the height of the decorations the window manager says it draws at the top
    // (its _NET_FRAME_EXTENTS): 0 for a window that draws its own title bar, if it has one.
    struct TitledFrame {
        QRectF frame;
        int decorationTop = 0;
    };
    Fetched<TitledFrame> titledFrame(xcb_window_t window, double timeout = X11Connection::kDefaultTimeout);
    // Whether a window is one to move, and whose: _NET_WM_PID (none without it), the layer of its
    // type, and whether it is on screen. One round trip.
    struct WindowFacts {
        std::optional<qint32> pid;
        int layer = 0;
        bool isOnScreen = true;
    };
    WindowFacts facts(xcb_window_t window);
    // Not hidden, and on the current desktop or on all of them.
    bool isOnScreen(xcb_window_t window);
    // A window Corvane may move: ordinary and on screen.
    bool isTarget(xcb_window_t window);
    // Whether _NET_WM_STATE holds the state; none when the window could not be read (gone).
    Fetched<bool> hasState(xcb_window_t window, const char* state,
                           double timeout = X11Connection::kDefaultTimeout);
    // The frame remembered on the window for Restore: _CORVANE_RESTORE_FRAME, the outer frame's x, y,
    // width and height in root coordinates as four CARDINALs (x and y read as signed), as any client
    // left them: the reader judges whether they make a frame. It belongs to the window, so it
    // outlives Corvane and goes with the window. Frames here are in AX coordinates.
    // None, having replied, when the window has none.
    Fetched<QRectF> restoreFrame(xcb_window_t window, double timeout = X11Connection::kDefaultTimeout);
    // None deletes the property.
    void setRestoreFrame(xcb_window_t window, std::optional<QRectF> axFrame);
    QString applicationName(xcb_window_t window);
    // _NET_WM_NAME, else WM_NAME; empty when the window has neither.
    Fetched<QString> title(xcb_window_t window, double timeout = X11Connection::kDefaultTimeout);

    // The window manager moves or resizes the window's outer frame; parts left none stay as they are.
    // Every request names all four values, since some window managers guess the missing ones wrong.
    // Replied when the request was sent; else the window is gone or did not answer in time.
    WaitEnd moveResize(xcb_window_t window, std::optional<QPointF> axTopLeft, std::optional<QSizeF> outerSize,
                       double timeout = X11Connection::kDefaultTimeout);
    // Until the window manager has applied the last request: the window's ConfigureNotify events
    // since show the new size (a real one) and the new place (the synthetic one window managers send
    // after a move) where it asked for them and the window can take them (its size steps and limits);
    // the given seconds at most; at once when that request can change nothing. False when the time
    // ran out first.
    bool waitUntilApplied(xcb_window_t window, double timeout);
    // The window's ConfigureNotify events seen so far (those of a window Corvane moved), and a wait
    // until there are more than `seen`, the given seconds at most: false when none came.
    quint64 configureCount(xcb_window_t window) const { return m_connection.configured(window).count; }
    bool awaitConfigure(xcb_window_t window, quint64 seen, double timeout);
    void activate(xcb_window_t window);
    // To the front of its layer, the focus left where it is: asked of the window manager as a pager asks.
    void raise(xcb_window_t window);

    xcb_window_t activeWindow();
    // The application's window to act on: its active window, else the one that was active most
    // recently, else its topmost; always a target, none when the application has none here.
    std::optional<xcb_window_t> focusedWindow(qint32 pid);
    void noteActivation(xcb_window_t window, qint32 pid);

private:
    // A request sent, and the frame the window had then: until the window changes, the window
    // manager has not applied it yet, and the next request builds on it rather than on the old frame.
    struct SentRequest {
        QRectF requested;
        QRectF before;
        QRect clientBefore;           // the window itself, in root pixels, as `before` was read
        quint64 configuresBefore = 0; // the window's ConfigureNotify events seen when it was sent
        bool wasAwaited = false;      // once: a window manager that ignores it is not waited for again
        // What the window's events must show: a new size where the window can take one (its size
        // hints), a new place where it is asked to move.
        bool resizes = false;
        bool moves = false;
        std::chrono::steady_clock::time_point sentAt = std::chrono::steady_clock::now();
    };
    // Until the window's events show each change the request asks for, at most `timeout` seconds.
    bool awaitApplied(xcb_window_t window, const SentRequest& sent, double timeout);

    int layerOfTypes(const QList<quint32>& types);
    // The outer frame and what it is made of; for a write, the window's _NET_WM_STATE and size hints too.
    struct FrameReading {
        QRectF frame;
        QRect client; // the window itself, in root pixels
        FrameExtents wm, shadow;
        int publishedTop = 0; // the top of _NET_FRAME_EXTENTS, where the window manager publishes them
        QList<quint32> states;
        SizeHints sizeHints;
    };
    Fetched<FrameReading> readFrame(xcb_window_t window, double timeout, bool forWrite);
    // The window manager's decorations: _NET_FRAME_EXTENTS, else measured on the frame it put the
    // window in (window managers that do not publish them), else none.
    FrameExtents decorations(xcb_window_t window, const QList<quint32>& published, double timeout);
    // The root's child holding each window: its frame, or the window itself.
    QHash<quint32, quint32> topLevels(const QList<quint32>& windows);

    X11Connection& m_connection;
    X11Screens& m_screens;
    QHash<qint32, xcb_window_t> m_lastActiveByPid;
    QHash<xcb_window_t, SentRequest> m_sent;
    QSet<xcb_window_t> m_watched;     // windows whose ConfigureNotify events come to us
    EventSubscription m_subscription; // last: removed before the rest goes
};

} // namespace corvane

#pragma once
// What Corvane reads of client windows and asks the window manager to do with them, shared by the
// X11 accessibility, window list and workspace. Frames are outer frames in AX coordinates (origin
// at the primary monitor's top-left); windows that draw their own shadow are measured without it.
// Thread-safe: the background writer uses it too.

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Screens.h"

#include <QRectF>
#include <mutex>

namespace corvane {

struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};

class X11Windows {
public:
    X11Windows(X11Connection& connection, X11Screens& screens);

    // Client windows, front to back.
    QList<xcb_window_t> stacking(double timeout = X11Connection::kDefaultTimeout);
    std::optional<qint32> pid(xcb_window_t window, double timeout = X11Connection::kDefaultTimeout);
    // None when the window is gone or did not answer in time.
    std::optional<QRectF> frame(xcb_window_t window, double timeout = X11Connection::kDefaultTimeout);
    int layer(xcb_window_t window);
    bool isOnScreen(xcb_window_t window);
    bool hasState(xcb_window_t window, const char* state);
    QString applicationName(xcb_window_t window);

    // The window manager moves or resizes the window's outer frame; parts left none stay as they are.
    void moveResize(xcb_window_t window, std::optional<QPointF> axTopLeft, std::optional<QSizeF> outerSize);
    void activate(xcb_window_t window);

    xcb_window_t activeWindow();
    // The window of the application that was active most recently, else its topmost one.
    std::optional<xcb_window_t> focusedWindow(qint32 pid);
    void noteActivation(xcb_window_t window, qint32 pid);
    // _NET_FRAME_EXTENTS (the window manager's decorations) or _GTK_FRAME_EXTENTS (a client's shadow).
    FrameExtents extents(xcb_window_t window, const char* property);

private:

    X11Connection& m_connection;
    X11Screens& m_screens;
    std::mutex m_mutex;
    QHash<qint32, xcb_window_t> m_lastActiveByPid;
};

} // namespace corvane

#pragma once
// The window list on X11: client windows front to back as the server stacks them, with layers from
// their window types (layer 0: the ordinary windows Corvane may move) and where each window's zoom
// button lies. Its changes come from _NET_CLIENT_LIST and from the structure of each listed window
// (mapped, unmapped, configured) and of the frame the window manager put it in (moved: some window
// managers tell the client nothing of a move it asked for), and from the window manager's button layout.

#include "platform/WindowServer.h"
#include "platform/x11/ButtonLayoutReader.h"
#include "platform/x11/TitleBarButtons.h"
#include "platform/x11/X11Windows.h"

#include <QSet>

namespace corvane {

class X11WindowServer final : public WindowServer {
public:
    X11WindowServer(X11Connection& connection, X11Windows& windows, X11Screens& screens,
                    TitleBarButtons& titleBarButtons, const ButtonLayoutReader& buttonLayouts);

    QVariant copyWindowList(WindowListOption option, quint32 relativeToWindow) override;
    qint64 windowNumberAt(QPointF screenPoint) override;

private:
    QVariant entry(xcb_window_t window, const X11Windows::WindowFacts& facts);
    void handle(const xcb_generic_event_t* event);
    // Tells the windows that joined and left _NET_CLIENT_LIST since it was last read.
    void readClientList(bool tells);
    // Notes the child of the root that holds the client: its frame, or the client itself.
    void followFrame(xcb_window_t client);

    X11Connection& m_connection;
    X11Windows& m_windows;
    X11Screens& m_screens;
    TitleBarButtons& m_titleBarButtons;
    xcb_atom_t m_clientList;
    QSet<xcb_window_t> m_clients;
    QHash<xcb_window_t, xcb_window_t> m_clientOfFrame;
    EventSubscription m_subscription; // last: removed before the rest goes
};

} // namespace corvane

#pragma once
// Passive key grabs on the root window (XGrabKey), and the window manager's name and key file. A grab another
// client holds makes ours fail with BadAccess, which is how the keys the window manager binds are found:
// on the root, and on the frame of a window it manages, where some bind the keys that act on a window
// (moving it to another workspace). An
// active grab of the whole keyboard outranks every passive grab, so a chord being recorded reaches us even
// when another client binds it.

#include "platform/KeyGrabs.h"
#include "platform/x11/WindowManagerWatcher.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Keyboard.h"

namespace corvane {

class X11KeyGrabs final : public KeyGrabs {
public:
    X11KeyGrabs(X11Connection& connection, X11Keyboard& keyboard, WindowManagerWatcher& windowManager);

    QList<KeyChord> grabKeys(const QList<KeyChord>& chords) override;
    void ungrabKeys(const QList<KeyChord>& chords) override;
    std::optional<QString> windowManagerName() override;
    std::optional<QString> windowManagerKeyFile() override;
    bool grabKeyboard() override;
    void ungrabKeyboard() override;
    bool isKeyboardGrabbed() const override { return m_isKeyboardGrabbed; }

private:
    // Calls `use` with each keycode and full modifier mask the chord stands for.
    template <typename Use> void forEachGrab(const KeyChord& chord, Use&& use) const;
    // The window manager's frame of the active window, else of the first one it lists; none without any.
    std::optional<xcb_window_t> managedFrame();

    X11Connection& m_connection;
    X11Keyboard& m_keyboard;
    WindowManagerWatcher& m_windowManager;
    bool m_isKeyboardGrabbed = false;
};

} // namespace corvane

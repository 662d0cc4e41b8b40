#include "X11KeyGrabs.h"

#include "platform/wmconfig/WindowManagerConfig.h"

#include <QFileInfo>

namespace corvane {

X11KeyGrabs::X11KeyGrabs(X11Connection& connection, X11Keyboard& keyboard,
                         WindowManagerWatcher& windowManager)
    : m_connection(connection)
    , m_keyboard(keyboard)
    , m_windowManager(windowManager) {
    connect(&windowManager, &WindowManagerWatcher::changed, this, &KeyGrabs::windowManagerChanged);
}

template <typename Use> void X11KeyGrabs::forEachGrab(const KeyChord& chord, Use&& use) const {
    const quint16 modifiers = X11Keyboard::modifierMask(chord.modifierFlags);
    for (const quint32 keycode : m_keyboard.keycodesOf(chord)) {
        for (const quint16 locks : X11Keyboard::lockMasks())
            use(xcb_keycode_t(keycode), quint16(modifiers | locks));
    }
}

std::optional<xcb_window_t> X11KeyGrabs::managedFrame() {
    const xcb_window_t root = m_connection.root();
    QList<quint32> clients = m_connection.cardinals(root, m_connection.atom("_NET_ACTIVE_WINDOW"));
    if (clients.value(0) == 0)
        clients = m_connection.cardinals(root, m_connection.atom("_NET_CLIENT_LIST"));
    xcb_window_t window = clients.value(0);
    // Up to the child of the root, a few parents at most (a frame, a decoration layer).
    for (int depth = 0; window != 0 && depth < 4; ++depth) {
        const auto tree =
            m_connection.await<xcb_query_tree_reply_t>(xcb_query_tree(m_connection.xcb(), window));
        if (!tree)
            return std::nullopt;
        if (tree->parent == root)
            return window;
        window = tree->parent;
    }
    return std::nullopt;
}

QList<KeyChord> X11KeyGrabs::grabKeys(const QList<KeyChord>& chords) {
    xcb_connection_t* c = m_connection.xcb();
    QList<QPair<qsizetype, xcb_void_cookie_t>> attempts;
    const std::optional<xcb_window_t> frame = managedFrame();
    for (qsizetype i = 0; i < chords.size(); ++i) {
        forEachGrab(chords[i], [&](xcb_keycode_t keycode, quint16 modifiers) {
            attempts.append({i, xcb_grab_key_checked(c, 1, m_connection.root(), modifiers, keycode,
                                                     XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)});
            // Tried and given back at once: a frame is the window manager's, never ours to hold keys on.
            if (frame) {
                attempts.append({i, xcb_grab_key_checked(c, 1, *frame, modifiers, keycode,
                                                         XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)});
                xcb_ungrab_key(c, keycode, *frame, modifiers);
            }
        });
    }
    // One round trip, bounded: once its reply is in, every grab before it has been answered, so
    // checking them below never waits on the server.
    const auto sync = m_connection.await<xcb_get_input_focus_reply_t>(xcb_get_input_focus(c));
    QList<KeyChord> refused;
    for (const auto& [index, cookie] : attempts) {
        if (!sync) {
            xcb_discard_reply(c, cookie.sequence);
            continue;
        }
        xcb_generic_error_t* error = xcb_request_check(c, cookie);
        if (error && error->error_code == XCB_ACCESS && !refused.contains(chords[index]))
            refused.append(chords[index]);
        std::free(error);
    }
    // A chord held by another client in some lock states only would otherwise reach us in the others.
    if (!refused.isEmpty())
        ungrabKeys(refused);
    return refused;
}

void X11KeyGrabs::ungrabKeys(const QList<KeyChord>& chords) {
    for (const KeyChord& chord : chords) {
        forEachGrab(chord, [this](xcb_keycode_t keycode, quint16 modifiers) {
            xcb_ungrab_key(m_connection.xcb(), keycode, m_connection.root(), modifiers);
        });
    }
    m_connection.flush();
}

std::optional<QString> X11KeyGrabs::windowManagerName() {
    return m_windowManager.name();
}

std::optional<QString> X11KeyGrabs::windowManagerKeyFile() {
    const std::optional<QString> name = windowManagerName();
    if (!name || windowManagerNamed(*name) != WindowManager::Openbox)
        return std::nullopt;
    // Openbox names the file it was started with; without one it reads the first that exists.
    const QString given = m_windowManager.configFile();
    for (const QString& file : layoutFiles(WindowManager::Openbox, ConfigFolders::fromEnvironment(), given)) {
        if (!given.isEmpty() || QFileInfo(file).isFile())
            return file;
    }
    return std::nullopt;
}

bool X11KeyGrabs::grabKeyboard() {
    if (m_isKeyboardGrabbed)
        return true;
    xcb_connection_t* c = m_connection.xcb();
    const auto reply = m_connection.await<xcb_grab_keyboard_reply_t>(xcb_grab_keyboard(
        c, 0, m_connection.root(), XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    m_isKeyboardGrabbed = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    return m_isKeyboardGrabbed;
}

void X11KeyGrabs::ungrabKeyboard() {
    if (!m_isKeyboardGrabbed)
        return;
    m_isKeyboardGrabbed = false;
    xcb_ungrab_keyboard(m_connection.xcb(), XCB_CURRENT_TIME);
    m_connection.flush();
}

} // namespace corvane

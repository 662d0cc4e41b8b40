// Maps a window of a given _NET_WM_WINDOW_TYPE (DESKTOP, DOCK, NORMAL, ...) with a title and a
// geometry, and keeps it until killed: a stand-in for a file manager's desktop, a panel or a dialog.
// Usage: corvane_typed_window TYPE TITLE X Y WIDTH HEIGHT
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const std::string& name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.c_str()), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7)
        return 2;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_FOCUS_CHANGE};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, int16_t(std::atoi(argv[3])),
                      int16_t(std::atoi(argv[4])), uint16_t(std::atoi(argv[5])), uint16_t(std::atoi(argv[6])),
                      0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    const std::string type = std::string("_NET_WM_WINDOW_TYPE_") + argv[1];
    const xcb_atom_t typeAtom = atom(c, type);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32,
                        1, &typeAtom);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        uint32_t(std::strlen(argv[2])), argv[2]);
    const uint32_t pid = uint32_t(getpid());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1,
                        &pid);
    // The window manager may give it the focus (ICCCM input hint).
    const uint32_t hints[9] = {1 /* InputHint */, 1 /* input */};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9, hints);
    xcb_map_window(c, window);
    xcb_flush(c);
    while (xcb_generic_event_t* event = xcb_wait_for_event(c))
        std::free(event);
    xcb_disconnect(c);
    return 0;
}

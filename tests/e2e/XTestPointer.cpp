// Moves the pointer with XTEST motion, like a real mouse (a warp makes no raw motion events), and
// presses or releases buttons. Usage: corvane_xtest_pointer (move X Y STEPS MS | down B | up B)...
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

int main(int argc, char** argv) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    for (int i = 1; i < argc;) {
        if (!std::strcmp(argv[i], "move") && i + 4 < argc) {
            const int x = std::atoi(argv[i + 1]), y = std::atoi(argv[i + 2]);
            const int steps = std::max(1, std::atoi(argv[i + 3])), ms = std::atoi(argv[i + 4]);
            auto reply = xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr);
            const int x0 = reply ? reply->root_x : 0, y0 = reply ? reply->root_y : 0;
            std::free(reply);
            for (int s = 1; s <= steps; ++s) {
                xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root,
                                    int16_t(x0 + (x - x0) * s / steps), int16_t(y0 + (y - y0) * s / steps),
                                    0);
                xcb_flush(c);
                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            }
            i += 5;
        } else if ((!std::strcmp(argv[i], "down") || !std::strcmp(argv[i], "up")) && i + 1 < argc) {
            xcb_test_fake_input(c, !std::strcmp(argv[i], "down") ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE,
                                uint8_t(std::atoi(argv[i + 1])), XCB_CURRENT_TIME, root, 0, 0, 0);
            xcb_flush(c);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            i += 2;
        } else {
            return 2;
        }
    }
    xcb_disconnect(c);
    return 0;
}

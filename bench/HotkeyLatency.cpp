// Hotkey to window moved, end to end: injects Control+Alt+1 and +2 alternately with XTEST and
// times each press to the last change of the target window's geometry, read from the X server at
// every ConfigureNotify (60 ms of quiet means it settled). A ConfigureNotify alone is no change:
// window managers send one for every request, also when nothing moves.
// Usage: corvane_hotkey_latency WINDOW PRESSES CONTROL_KEYCODE ALT_KEYCODE KEY1_KEYCODE KEY2_KEYCODE
// With --run "COMMAND 1" "COMMAND 2" in place of the keycodes, it runs the two commands alternately
// instead (split at spaces, no shell) and times each from its start to the window moved.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h> // environ
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

using Clock = std::chrono::steady_clock;

void key(xcb_connection_t* c, int keycode, bool isPress) {
    xcb_test_fake_input(c, isPress ? XCB_KEY_PRESS : XCB_KEY_RELEASE, uint8_t(keycode), XCB_CURRENT_TIME,
                        XCB_NONE, 0, 0, 0);
}

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const Geometry&, const Geometry&) = default;
};

// Where the window is on the root window now, and its size.
Geometry geometryOf(xcb_connection_t* c, xcb_window_t window, xcb_window_t root) {
    Geometry g;
    if (auto* reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr)) {
        g.width = reply->width;
        g.height = reply->height;
        std::free(reply);
    }
    if (auto* reply =
            xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root, 0, 0), nullptr)) {
        g.x = reply->dst_x;
        g.y = reply->dst_y;
        std::free(reply);
    }
    return g;
}

struct Change {
    double first = -1; // ms from the press to the first change and to the last one
    double last = -1;
};

// The first and the last change from `known` before a 60 ms quiet spell; none after 2 s.
Change changesAfter(xcb_connection_t* c, xcb_window_t window, xcb_window_t root, Clock::time_point start,
                    Geometry known) {
    Clock::time_point first{}, last{};
    const auto deadline = start + std::chrono::seconds(2);
    for (;;) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            if ((e->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY) {
                const Clock::time_point seen = Clock::now();
                if (const Geometry now = geometryOf(c, window, root); !(now == known)) {
                    known = now;
                    if (first == Clock::time_point{})
                        first = seen;
                    last = seen;
                }
            }
            std::free(e);
        }
        const auto now = Clock::now();
        const auto ms = [&](Clock::time_point t) {
            return std::chrono::duration<double, std::milli>(t - start).count();
        };
        if (last != Clock::time_point{} && now - last > std::chrono::milliseconds(60))
            return {ms(first), ms(last)};
        if (now > deadline)
            return {};
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        ::poll(&fd, 1, 5);
    }
}

// Starts the command (its words split at spaces) without waiting for it; its pid, or -1.
pid_t start(const std::string& command) {
    std::istringstream words(command);
    std::vector<std::string> parts{std::istream_iterator<std::string>(words), {}};
    std::vector<char*> argv;
    for (std::string& part : parts)
        argv.push_back(part.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

} // namespace

int main(int argc, char** argv) {
    const bool isRun = argc == 6 && std::strcmp(argv[3], "--run") == 0;
    if (argc != 7 && !isRun) {
        std::fprintf(stderr,
                     "usage: %s WINDOW PRESSES CONTROL ALT KEY1 KEY2 (keycodes)\n"
                     "       %s WINDOW PRESSES --run COMMAND1 COMMAND2\n",
                     argv[0], argv[0]);
        return 2;
    }
    const auto window = xcb_window_t(std::strtoul(argv[1], nullptr, 0));
    const int presses = std::atoi(argv[2]);
    const int control = isRun ? 0 : std::atoi(argv[3]), alt = isRun ? 0 : std::atoi(argv[4]);
    const int keys[] = {isRun ? 0 : std::atoi(argv[5]), isRun ? 0 : std::atoi(argv[6])};
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;

    std::vector<double> latencies, starts;
    for (int i = 0; i < presses; ++i) {
        if (!isRun) {
            key(c, control, true);
            key(c, alt, true);
            xcb_flush(c);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        while (xcb_generic_event_t* e = xcb_poll_for_event(c))
            std::free(e);
        const Geometry before = geometryOf(c, window, root);
        const auto begin = Clock::now();
        pid_t command = -1;
        if (isRun) {
            command = start(argv[4 + i % 2]);
        } else {
            key(c, keys[i % 2], true);
            key(c, keys[i % 2], false);
            key(c, alt, false);
            key(c, control, false);
            xcb_flush(c);
        }
        const Change change = changesAfter(c, window, root, begin, before);
        if (command > 0)
            waitpid(command, nullptr, 0);
        if (change.last >= 0) {
            latencies.push_back(change.last);
            starts.push_back(change.first);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (latencies.empty()) {
        std::fprintf(stderr, "the window never moved\n");
        return 1;
    }
    std::sort(latencies.begin(), latencies.end());
    std::sort(starts.begin(), starts.end());
    const auto at = [](const std::vector<double>& v, double q) {
        return v[std::min(v.size() - 1, size_t(q * v.size()))];
    };
    std::printf("%s to window moved: %zu of %d presses, median %.1f ms, 95th percentile %.1f ms"
                " (first change: median %.1f ms)\n",
                isRun ? "command" : "hotkey", latencies.size(), presses, at(latencies, 0.5),
                at(latencies, 0.95), at(starts, 0.5));
    xcb_disconnect(c);
    return 0;
}

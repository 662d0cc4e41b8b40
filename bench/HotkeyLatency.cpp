// Hotkey to window moved, end to end: injects Control+Alt+1 and +2 alternately with XTEST and
// times each press to the target window's last ConfigureNotify (60 ms of quiet means it settled).
// Usage: corvane_hotkey_latency WINDOW PRESSES CONTROL_KEYCODE ALT_KEYCODE KEY1_KEYCODE KEY2_KEYCODE
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void key(xcb_connection_t* c, int keycode, bool isPress) {
    xcb_test_fake_input(c, isPress ? XCB_KEY_PRESS : XCB_KEY_RELEASE, uint8_t(keycode), XCB_CURRENT_TIME,
                        XCB_NONE, 0, 0, 0);
}

// The time of the last ConfigureNotify before a 60 ms quiet spell, or none after 2 s.
double lastConfigureAfter(xcb_connection_t* c, Clock::time_point start) {
    Clock::time_point last{};
    const auto deadline = start + std::chrono::seconds(2);
    for (;;) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            if ((e->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY)
                last = Clock::now();
            std::free(e);
        }
        const auto now = Clock::now();
        if (last != Clock::time_point{} && now - last > std::chrono::milliseconds(60))
            return std::chrono::duration<double, std::milli>(last - start).count();
        if (now > deadline)
            return -1;
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        ::poll(&fd, 1, 5);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s WINDOW PRESSES CONTROL ALT KEY1 KEY2 (keycodes)\n", argv[0]);
        return 2;
    }
    const auto window = xcb_window_t(std::strtoul(argv[1], nullptr, 0));
    const int presses = std::atoi(argv[2]);
    const int control = std::atoi(argv[3]), alt = std::atoi(argv[4]);
    const int keys[] = {std::atoi(argv[5]), std::atoi(argv[6])};
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    std::vector<double> latencies;
    for (int i = 0; i < presses; ++i) {
        key(c, control, true);
        key(c, alt, true);
        xcb_flush(c);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        while (xcb_generic_event_t* e = xcb_poll_for_event(c))
            std::free(e);
        const auto start = Clock::now();
        key(c, keys[i % 2], true);
        key(c, keys[i % 2], false);
        key(c, alt, false);
        key(c, control, false);
        xcb_flush(c);
        const double ms = lastConfigureAfter(c, start);
        if (ms >= 0)
            latencies.push_back(ms);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (latencies.empty()) {
        std::fprintf(stderr, "the window never moved\n");
        return 1;
    }
    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double q) { return latencies[std::min(latencies.size() - 1, size_t(q * latencies.size()))]; };
    std::printf("hotkey to window moved: %zu of %d presses, median %.1f ms, 95th percentile %.1f ms\n",
                latencies.size(), presses, at(0.5), at(0.95));
    xcb_disconnect(c);
    return 0;
}

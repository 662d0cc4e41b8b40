// The pointer and modifier keys of the KWin end-to-end tests, through KWin's fake-input protocol (the
// XTest of KWin's Wayland session). One command a line on standard input, each answered with "ok" once
// KWin has handled it, so a test knows the pointer is where it put it before it looks:
//   move X Y              the pointer to a position in the desktop's coordinates
//   press | release       the left button
//   key CODE down|up      a key by its evdev code (29 Control, 56 Alt, 42 Shift, 125 Meta)
// Driven by tests/kwin/session.sh; KWin offers the protocol only to clients it trusts (see there).
// Run as `corvane_fake_pointer offers INTERFACE` instead, it prints "yes" or "no": whether the compositor
// offers that global to it, a client whose desktop entry (if any) names no more than the fake input.
#include "fake-input-client-protocol.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <linux/input-event-codes.h>
#include <sstream>
#include <string>
#include <wayland-client.h>

namespace {

constexpr uint32_t kAbsoluteMotionVersion = 3;
constexpr uint32_t kKeyboardVersion = 4;

struct FakeInput {
    org_kde_kwin_fake_input* device = nullptr;
    uint32_t version = 0;
};

void announce(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
    auto* input = static_cast<FakeInput*>(data);
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) != 0)
        return;
    input->version = std::min(version, kKeyboardVersion);
    input->device = static_cast<org_kde_kwin_fake_input*>(
        wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, input->version));
}

void withdraw(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener{announce, withdraw};

struct SoughtGlobal {
    std::string interface;
    bool isOffered = false;
};

void announceSought(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
    auto* sought = static_cast<SoughtGlobal*>(data);
    sought->isOffered = sought->isOffered || sought->interface == interface;
}

const wl_registry_listener kSoughtListener{announceSought, withdraw};

// Sends one command's request; false when the line is not a command this reads.
bool send(const FakeInput& input, const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "move") {
        double x = 0;
        double y = 0;
        if (!(words >> x >> y))
            return false;
        org_kde_kwin_fake_input_pointer_motion_absolute(input.device, wl_fixed_from_double(x),
                                                        wl_fixed_from_double(y));
        return true;
    }
    if (command == "press" || command == "release") {
        org_kde_kwin_fake_input_button(input.device, BTN_LEFT,
                                       command == "press" ? WL_POINTER_BUTTON_STATE_PRESSED
                                                          : WL_POINTER_BUTTON_STATE_RELEASED);
        return true;
    }
    if (command == "key" && input.version >= kKeyboardVersion) {
        uint32_t code = 0;
        std::string state;
        if (!(words >> code >> state) || (state != "down" && state != "up"))
            return false;
        org_kde_kwin_fake_input_keyboard_key(input.device, code,
                                             state == "down" ? WL_KEYBOARD_KEY_STATE_PRESSED
                                                             : WL_KEYBOARD_KEY_STATE_RELEASED);
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::cerr << "fake pointer: no Wayland display to connect to (WAYLAND_DISPLAY)\n";
        return 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "offers") == 0) {
        SoughtGlobal sought{argv[2]};
        wl_registry_add_listener(wl_display_get_registry(display), &kSoughtListener, &sought);
        if (wl_display_roundtrip(display) < 0) {
            std::cerr << "fake pointer: the compositor closed the connection\n";
            return 1;
        }
        std::cout << (sought.isOffered ? "yes" : "no") << std::endl;
        wl_display_disconnect(display);
        return 0;
    }
    FakeInput input;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &input);
    wl_display_roundtrip(display);
    if (!input.device || input.version < kAbsoluteMotionVersion) {
        std::cerr << "fake pointer: the compositor offers no org_kde_kwin_fake_input of version "
                  << kAbsoluteMotionVersion << " to this client (KWin trusts it only with "
                  << "KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 in its environment)\n";
        return 1;
    }
    // KWin drops the events of a device that has not said who it is.
    org_kde_kwin_fake_input_authenticate(input.device, "Corvane tests", "the pointer of an end-to-end test");

    std::string line;
    while (std::getline(std::cin, line)) {
        if (!send(input, line)) {
            std::cerr << "fake pointer: not a command: " << line << '\n';
            return 2;
        }
        if (wl_display_roundtrip(display) < 0) {
            std::cerr << "fake pointer: the compositor closed the connection\n";
            return 1;
        }
        std::cout << "ok" << std::endl;
    }
    // No destroy request: KWin 6.3 offers version 5, which has one, but this binds version 4 at most.
    wl_display_disconnect(display);
    return 0;
}

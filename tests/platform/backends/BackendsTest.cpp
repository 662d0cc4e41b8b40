#include "platform/backends/Backends.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(BackendsTest, TheSessionChoosesTheBackendAndAWaylandDesktopWithoutOneIsRefused) {
    struct Case {
        const char* what;
        SessionEnvironment session;
        QString forced;
        QString backend; // empty: refused
    };
    const Case cases[] = {
        {"an X11 session", {"x11", "", ":0", "XFCE"}, {}, "x11"},
        {"a session type that says nothing, with DISPLAY", {"", "", ":0", ""}, {}, "x11"},
        {"no session at all: the X11 backend says what is missing", {"tty", "", "", ""}, {}, "x11"},
        {"an X11 session type beats a stray WAYLAND_DISPLAY", {"x11", "wayland-0", ":0", ""}, {}, "x11"},
        {"GNOME on Wayland, with Xwayland's DISPLAY beside it",
         {"wayland", "wayland-0", ":0", "ubuntu:GNOME"},
         {},
         "gnome"},
        {"GNOME on X11 is X11", {"x11", "", ":0", "GNOME"}, {}, "x11"},
        {"Wayland told only by WAYLAND_DISPLAY", {"", "wayland-1", ":1", "sway"}, {}, ""},
        {"Plasma on Wayland", {"wayland", "wayland-0", ":0", "KDE"}, {}, "kwin"},
        {"Plasma told only by WAYLAND_DISPLAY, named in a list",
         {"", "wayland-1", "", "foo:kde"},
         {},
         "kwin"},
        {"Plasma on X11 is X11", {"x11", "", ":0", "KDE"}, {}, "x11"},
        {"Wayland, with x11 forced", {"wayland", "wayland-0", ":0", "KDE"}, "x11", "x11"},
    };
    for (const Case& c : cases) {
        const BackendChoice choice = Backends::choose(c.session, c.forced);
        EXPECT_EQ(choice.backend, c.backend) << c.what;
        EXPECT_EQ(choice.refusal.isEmpty(), !c.backend.isEmpty()) << c.what;
    }
    const BackendChoice refused = Backends::choose({"wayland", "wayland-0", ":0", "sway"});
    EXPECT_TRUE(refused.refusal.contains(u"(desktop: sway)")) << refused.refusal.toStdString();
    EXPECT_TRUE(refused.refusal.contains(u"--backend x11")) << refused.refusal.toStdString();
    EXPECT_TRUE(Backends::choose({"wayland", "", "", ""}).refusal.contains(u"(desktop: unknown)"));
}

TEST(BackendsTest, ABackendThatIsNotBuiltCannotStart) {
    EXPECT_EQ(Backends::names(), (QStringList{"x11", "kwin", "gnome"}));
    EXPECT_TRUE(Backends::prepare("none").has_value());
    EXPECT_EQ(Backends::create("none"), nullptr);
}

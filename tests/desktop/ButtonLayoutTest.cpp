// Each window manager's way of writing its button layout, turned into the rectangle where it draws
// maximize (and the other buttons) on a frame; the real ones measured on screenshots under Xvfb.
#include "platform/x11/ButtonLayout.h"

#include "platform/x11/WindowManagerConfig.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct Case {
    const char* what;
    WindowManager wm;
    ButtonLayout layout;
    int topExtent;
    std::optional<QRectF> maximize;
};

// Every frame here is the outer frame of an xterm placed at (300, 300) by the window manager named.
TEST(ButtonLayoutTest, EachLayoutPutsMaximizeWhereItsWindowManagerDrawsIt) {
    const QRectF openboxFrame(300, 300, 486, 341), xfwmFrame(300, 300, 494, 350);
    const QRectF metacityFrame(300, 300, 484, 353), iceFrame(300, 300, 494, 350),
        marcoFrame(300, 300, 490, 342);
    const Case cases[] = {
        // Measured: openbox 3.6 with Clearlooks, xfwm4 4.18 with Default, metacity 3.46 with the GTK
        // theme, marco 1.26 with Menta, fluxbox 1.3 with Squared_for_Debian, IceWM 3.3 with its default.
        {"openbox stock", WindowManager::Openbox, openboxLayout("NLIMC"), 20, QRectF(753, 304, 12, 12)},
        {"xfwm4 stock", WindowManager::Xfwm, xfwmLayout("O|SHMC"), 29, QRectF(745, 305, 21, 21)},
        {"metacity with maximize", WindowManager::Metacity, gnomeLayout("appmenu:minimize,maximize,close"),
         37, QRectF(718, 304, 28, 28)},
        {"marco stock", WindowManager::Marco, gnomeLayout("menu:minimize,maximize,close"), 23,
         QRectF(750, 303, 16, 17)},
        {"fluxbox stock", WindowManager::Fluxbox, fluxboxLayout("Stick", "Minimize Maximize Close"), 20,
         QRectF(751, 304, 16, 11)},
        {"IceWM default theme", WindowManager::IceWM, icewmLayout("sd", "xmirh", "sxmihrd"), 24,
         QRectF(741, 305, 20, 19)},
        // Buttons on the left, counted from the left edge.
        {"openbox, all left", WindowManager::Openbox, openboxLayout("CMIL"), 20, QRectF(321, 304, 12, 12)},
        {"metacity, left", WindowManager::Metacity, gnomeLayout("close,maximize:"), 37,
         QRectF(338, 304, 28, 28)},
        {"KWin, left", WindowManager::KWin, kwinLayout("XA", ""), 30, QRectF(331, 303, 24, 24)},
        {"openbox without a label", WindowManager::Openbox, openboxLayout("IM"), 20,
         QRectF(321, 304, 12, 12)},
        // Letters a window manager does not know take no room; those it shows for some windows only neither.
        {"openbox, unknown letters", WindowManager::Openbox, openboxLayout("nlZimQc"), 20,
         QRectF(753, 304, 12, 12)},
        {"GNOME names with spaces and an appmenu", WindowManager::Metacity,
         gnomeLayout("appmenu: maximize , bogus,appmenu,close"), 37, QRectF(718, 304, 28, 28)},
        {"KWin stock, help left out", WindowManager::KWin, kwinLayout("MS", "HIAX"), 30,
         QRectF(731, 303, 24, 24)},
        // No maximize in the layout, or no layout at all, or no title bar.
        {"metacity's Debian default", WindowManager::Metacity, gnomeLayout("appmenu:close"), 37,
         std::nullopt},
        {"xfwm4 without maximize", WindowManager::Xfwm, xfwmLayout("O|HC"), 29, std::nullopt},
        {"openbox, empty", WindowManager::Openbox, openboxLayout(""), 20, std::nullopt},
        {"GNOME, empty", WindowManager::Metacity, gnomeLayout(""), 37, std::nullopt},
        {"IceWM, maximize unsupported by the theme", WindowManager::IceWM, icewmLayout("s", "xmi", "xis"), 24,
         std::nullopt},
        {"a border only", WindowManager::Openbox, openboxLayout("NLIMC"), 5, std::nullopt},
    };
    for (const Case& c : cases) {
        const QRectF frame = c.wm == WindowManager::Marco      ? marcoFrame
                             : c.wm == WindowManager::Xfwm     ? xfwmFrame
                             : c.wm == WindowManager::Metacity ? metacityFrame
                             : c.wm == WindowManager::IceWM    ? iceFrame
                                                               : openboxFrame;
        EXPECT_EQ(titleButtonRect(c.layout, buttonMetrics(c.wm), TitleButton::Maximize, frame, c.topExtent),
                  c.maximize)
            << c.what;
    }
}

TEST(ButtonLayoutTest, SidesAreCountedFromTheirOwnEdgeWithEachButtonsWidth) {
    const ButtonLayout layout = openboxLayout("NDLSIMC");
    EXPECT_EQ(layout, (ButtonLayout{{TitleButton::Other, TitleButton::Other},
                                    {TitleButton::Close, TitleButton::Maximize, TitleButton::Minimize,
                                     TitleButton::Other}}));
    EXPECT_EQ(xfwmLayout("O|SHMC"), (ButtonLayout{{TitleButton::Other},
                                                  {TitleButton::Close, TitleButton::Maximize,
                                                   TitleButton::Minimize, TitleButton::Other}}));
    // IceWM writes its right side from the right edge inwards already.
    EXPECT_EQ(icewmLayout("s", "xmi", "xmis").right,
              (QList<TitleButton>{TitleButton::Close, TitleButton::Maximize, TitleButton::Minimize}));
    // A wider close button pushes the others inwards (IceWM: close 28, the rest 20).
    const ButtonMetrics ice = buttonMetrics(WindowManager::IceWM);
    const ButtonLayout iceLayout = icewmLayout("", "xmi", "xmi");
    const QRectF frame(0, 0, 400, 300);
    EXPECT_EQ(titleButtonRect(iceLayout, ice, TitleButton::Close, frame, 24), QRectF(367, 5, 28, 19));
    EXPECT_EQ(titleButtonRect(iceLayout, ice, TitleButton::Minimize, frame, 24), QRectF(327, 5, 20, 19));
    // The fallback: a square second from the right.
    EXPECT_EQ(titleButtonRect(fallbackLayout(), buttonMetrics(WindowManager::Unknown), TitleButton::Maximize,
                              frame, 24),
              QRectF(357, 3, 18, 18));
    EXPECT_FALSE(titleButtonRect(fallbackLayout(), buttonMetrics(WindowManager::Unknown), TitleButton::Close,
                                 frame, 24));
}

} // namespace
} // namespace corvane

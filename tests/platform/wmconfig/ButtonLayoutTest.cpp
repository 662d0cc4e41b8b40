// Each window manager's way of writing its button layout, turned into the rectangle where it draws
// maximize (and the other buttons) on a frame; the real ones measured on screenshots under Xvfb.
#include "platform/wmconfig/ButtonLayout.h"

#include "platform/wmconfig/WindowManagerConfig.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct Case {
    const char* what;
    WindowManager wm;
    ButtonLayout layout;
    QRectF frame;
    int topExtent;
    std::optional<QRectF> maximize;
};

// The outer frames of an xterm placed at (300, 300) by each window manager.
const QRectF kOpenbox(300, 300, 486, 341), kXfwm(300, 300, 494, 350), kMetacity(300, 300, 484, 353);
const QRectF kMarco(300, 300, 490, 342), kKWin(300, 300, 484, 357), kIce(300, 300, 494, 350);

TEST(ButtonLayoutTest, EachLayoutPutsMaximizeWhereItsWindowManagerDrawsIt) {
    using WM = WindowManager;
    const Case cases[] = {
        // Measured: openbox 3.6 with Clearlooks, xfwm4 4.18 with Default, metacity 3.46 with the GTK
        // theme, marco 1.26 with Menta, KWin 5.27 with Breeze, fluxbox 1.3 with Squared_for_Debian,
        // IceWM 3.3 with its default theme.
        {"openbox stock", WM::Openbox, openboxLayout("NLIMC"), kOpenbox, 20, QRectF(753, 304, 12, 12)},
        {"xfwm4 stock", WM::Xfwm, xfwmLayout("O|SHMC"), kXfwm, 29, QRectF(745, 305, 21, 21)},
        {"metacity with maximize", WM::Metacity, gnomeLayout("appmenu:minimize,maximize,close"), kMetacity,
         37, QRectF(718, 304, 28, 28)},
        {"marco stock", WM::Marco, gnomeLayout("menu:minimize,maximize,close"), kMarco, 23,
         QRectF(750, 303, 16, 17)},
        {"KWin stock, help left out", WM::KWin, kwinLayout("MS", "HIAX"), kKWin, 41,
         QRectF(718, 308, 24, 24)},
        {"fluxbox stock", WM::Fluxbox, fluxboxLayout("Stick", "Minimize Maximize Close"), kOpenbox, 20,
         QRectF(751, 304, 16, 11)},
        {"IceWM default theme", WM::IceWM, icewmLayout("sd", "xmirh", "sxmihrd"), kIce, 24,
         QRectF(741, 305, 20, 19)},
        // Buttons on the left, counted from the left edge.
        {"openbox, all left", WM::Openbox, openboxLayout("CMIL"), kOpenbox, 20, QRectF(321, 304, 12, 12)},
        {"openbox without a label", WM::Openbox, openboxLayout("IM"), kOpenbox, 20, QRectF(321, 304, 12, 12)},
        {"metacity, left", WM::Metacity, gnomeLayout("close,maximize:"), kMetacity, 37,
         QRectF(338, 304, 28, 28)},
        {"KWin, left", WM::KWin, kwinLayout("XA", ""), kKWin, 41, QRectF(342, 308, 24, 24)},
        // Letters a window manager does not know take no room; those it shows for some windows only neither.
        {"openbox, unknown letters", WM::Openbox, openboxLayout("nlZimQc"), kOpenbox, 20,
         QRectF(753, 304, 12, 12)},
        {"GNOME names with spaces and an appmenu", WM::Metacity,
         gnomeLayout("appmenu: maximize , bogus,appmenu,close"), kMetacity, 37, QRectF(718, 304, 28, 28)},
        // No maximize in the layout, or no layout at all, or no title bar.
        {"metacity's Debian default", WM::Metacity, gnomeLayout("appmenu:close"), kMetacity, 37,
         std::nullopt},
        {"xfwm4 without maximize", WM::Xfwm, xfwmLayout("O|HC"), kXfwm, 29, std::nullopt},
        {"openbox, empty", WM::Openbox, openboxLayout(""), kOpenbox, 20, std::nullopt},
        {"GNOME, empty", WM::Metacity, gnomeLayout(""), kMetacity, 37, std::nullopt},
        {"IceWM, maximize unsupported by the theme", WM::IceWM, icewmLayout("s", "xmi", "xis"), kIce, 24,
         std::nullopt},
        {"a border only", WM::Openbox, openboxLayout("NLIMC"), kOpenbox, 5, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(titleButtonRect(c.layout, buttonMetrics(c.wm), TitleButton::Maximize, c.frame, c.topExtent),
                  c.maximize)
            << c.what;
    }
}

TEST(ButtonLayoutTest, ATitleBarBelowFourPixelsIsABorderWithoutButtons) {
    // openbox's metrics leave topExtent - 8 pixels for the buttons: 0 to 3 is a border, 4 holds them.
    const ButtonMetrics metrics = buttonMetrics(WindowManager::Openbox);
    const QRectF frame(0, 0, 400, 300);
    for (int height = 0; height <= 3; ++height)
        EXPECT_FALSE(
            titleButtonRect(openboxLayout("NLIMC"), metrics, TitleButton::Maximize, frame, 8 + height))
            << height;
    EXPECT_EQ(titleButtonRect(openboxLayout("NLIMC"), metrics, TitleButton::Maximize, frame, 12),
              QRectF(383, 4, 4, 4));
}

TEST(ButtonLayoutTest, EveryButtonAWindowManagerDrawsTakesItsOwnWidth) {
    EXPECT_EQ(openboxLayout("NDLSIMC"), (ButtonLayout{{TitleButton::Other, TitleButton::Other},
                                                      {TitleButton::Close, TitleButton::Maximize,
                                                       TitleButton::Minimize, TitleButton::Other}}));
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

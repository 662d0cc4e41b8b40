// Which windows Corvane may move, by their window types: normal, dialog and utility windows only.
#include "platform/x11/WindowTypes.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(WindowTypesTest, OnlyNormalDialogAndUtilityWindowsAreOrdinary) {
    for (const char* ordinary :
         {"_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_DIALOG", "_NET_WM_WINDOW_TYPE_UTILITY"})
        EXPECT_EQ(layerOfWindowTypes({ordinary}), kOrdinaryLayer) << ordinary;
    EXPECT_EQ(layerOfWindowTypes({}), kOrdinaryLayer) << "an untyped window is normal";
    EXPECT_EQ(layerOfWindowTypes({"_NET_WM_WINDOW_TYPE_DESKTOP"}), kDesktopLayer);
    EXPECT_EQ(layerOfWindowTypes({"_NET_WM_WINDOW_TYPE_DOCK"}), kDockLayer);
    for (const char* other : {"_NET_WM_WINDOW_TYPE_TOOLBAR", "_NET_WM_WINDOW_TYPE_MENU",
                              "_NET_WM_WINDOW_TYPE_SPLASH", "_NET_WM_WINDOW_TYPE_NOTIFICATION",
                              "_NET_WM_WINDOW_TYPE_POPUP_MENU", "_NET_WM_WINDOW_TYPE_TOOLTIP"})
        EXPECT_NE(layerOfWindowTypes({other}), kOrdinaryLayer) << other;
}

TEST(WindowTypesTest, TheFirstKnownTypeDecides) {
    EXPECT_EQ(layerOfWindowTypes({"_KDE_NET_WM_WINDOW_TYPE_OVERRIDE", "_NET_WM_WINDOW_TYPE_DESKTOP"}),
              kDesktopLayer)
        << "a type of another desktop's own is skipped";
    EXPECT_EQ(layerOfWindowTypes({"_NET_WM_WINDOW_TYPE_SPLASH", "_NET_WM_WINDOW_TYPE_NORMAL"}), kPopUpLayer);
    EXPECT_EQ(layerOfWindowTypes({"_NET_WM_WINDOW_TYPE_DIALOG", "_NET_WM_WINDOW_TYPE_DOCK"}), kOrdinaryLayer);
    EXPECT_EQ(layerOfWindowTypes({"_SOMETHING_ELSE"}), kOrdinaryLayer);
}

} // namespace
} // namespace corvane

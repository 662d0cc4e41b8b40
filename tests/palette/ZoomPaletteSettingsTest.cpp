// The palette switch: only real changes write, the shared preference is false while on and gone
// while off, and the monitor follows the start rule.
#include "palette/ZoomPaletteSettings.h"

#include "platform/sim/SimDesktop.h"
#include "support/RecordingMonitor.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ZoomPaletteSettingsTest, OnlyARealChangeWritesAndTogglesTheSharedPreference) {
    SimDesktop desk;
    Platform platform = desk.platform();
    RecordingMonitor monitor;
    ZoomPaletteSettings settings(platform, monitor);
    EXPECT_FALSE(settings.isEnabled());
    settings.setEnabled(false);
    EXPECT_TRUE(desk.defaults().writes().isEmpty());
    EXPECT_TRUE(desk.globalPreferences().writes().isEmpty());
    EXPECT_TRUE(monitor.calls.isEmpty());

    desk.setTrusted(false);
    settings.setEnabled(true);
    EXPECT_EQ(platform.defaults.boolean("zoomPaletteEnabled"), true);
    EXPECT_EQ(platform.globalPreferences.boolean(kZoomButtonShowMenuKey), false);
    EXPECT_EQ(desk.globalPreferences().synchronizeCount(), 1);
    EXPECT_EQ(monitor.calls, QStringList{"stop"}) << "on, but without access the monitor stays stopped";
    settings.setEnabled(true);
    EXPECT_EQ(desk.defaults().writesOf("zoomPaletteEnabled").size(), 1);

    desk.setTrusted(true);
    settings.setEnabled(false);
    settings.setEnabled(true);
    EXPECT_EQ(monitor.calls, (QStringList{"stop", "stop", "start"}));
    settings.setEnabled(false);
    EXPECT_FALSE(desk.globalPreferences().contains(kZoomButtonShowMenuKey))
        << "removed, never written as true";
    for (const QVariant& written : desk.globalPreferences().writesOf(kZoomButtonShowMenuKey))
        EXPECT_NE(written, QVariant(true));
    EXPECT_EQ(platform.defaults.boolean("zoomPaletteEnabled"), false);
}

TEST(ZoomPaletteSettingsTest, TheStoredChoiceLoadsWithoutTouchingAnything) {
    SimDesktop desk;
    Platform platform = desk.platform();
    platform.defaults.setBool("zoomPaletteEnabled", true);
    desk.defaults().clearWrites();
    RecordingMonitor monitor;
    ZoomPaletteSettings settings(platform, monitor);
    EXPECT_TRUE(settings.isEnabled());
    EXPECT_TRUE(desk.defaults().writes().isEmpty());
    EXPECT_TRUE(desk.globalPreferences().writes().isEmpty());
    settings.applyStartRule();
    EXPECT_EQ(monitor.calls, QStringList{"start"});
}

} // namespace
} // namespace corvane

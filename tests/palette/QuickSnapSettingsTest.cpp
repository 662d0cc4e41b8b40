// The palette switch: only real changes write, only Corvane's own setting is written, and the
// monitor follows the start rule.
#include "palette/QuickSnapSettings.h"

#include "platform/sim/SimDesktop.h"
#include "support/RecordingMonitor.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(QuickSnapSettingsTest, OnlyARealChangeWritesItsOwnSetting) {
    SimDesktop desk;
    Platform platform = desk.platform();
    RecordingMonitor monitor;
    QuickSnapSettings settings(platform, monitor);
    EXPECT_FALSE(settings.isEnabled());
    settings.setEnabled(false);
    EXPECT_TRUE(desk.defaults().writes().isEmpty());
    EXPECT_TRUE(monitor.calls.isEmpty());

    desk.accessibility().setTrusted(false);
    settings.setEnabled(true);
    EXPECT_EQ(platform.defaults.boolean("zoomPaletteEnabled"), true);
    EXPECT_EQ(monitor.calls, QStringList{"stop"}) << "on, but without access the monitor stays stopped";
    settings.setEnabled(true);
    EXPECT_EQ(desk.defaults().writesOf("zoomPaletteEnabled").size(), 1);

    desk.accessibility().setTrusted(true);
    settings.setEnabled(false);
    settings.setEnabled(true);
    EXPECT_EQ(monitor.calls, (QStringList{"stop", "stop", "start"}));
    settings.setEnabled(false);
    EXPECT_EQ(platform.defaults.boolean("zoomPaletteEnabled"), false);
    for (const auto& [key, value] : desk.defaults().writes())
        EXPECT_EQ(key, "zoomPaletteEnabled") << "nothing but its own setting is written";
}

TEST(QuickSnapSettingsTest, ADesktopThatHidesTheMaximizeButtonNeverRunsTheMonitor) {
    SimDesktop desk;
    Platform platform = desk.platform();
    platform.capabilities.setFlag(Capability::MaximizeButtonPalette, false);
    RecordingMonitor monitor;
    QuickSnapSettings settings(platform, monitor);
    settings.setEnabled(true);
    EXPECT_EQ(monitor.calls, QStringList{"stop"});
    EXPECT_EQ(platform.defaults.boolean("zoomPaletteEnabled"), true);
}

TEST(QuickSnapSettingsTest, TheStoredChoiceLoadsWithoutTouchingAnything) {
    SimDesktop desk;
    Platform platform = desk.platform();
    platform.defaults.setBool("zoomPaletteEnabled", true);
    desk.defaults().clearWrites();
    RecordingMonitor monitor;
    QuickSnapSettings settings(platform, monitor);
    EXPECT_TRUE(settings.isEnabled());
    EXPECT_TRUE(desk.defaults().writes().isEmpty());
    settings.applyStartRule();
    EXPECT_EQ(monitor.calls, QStringList{"start"});
}

} // namespace
} // namespace corvane

// Drag-to-snap settings: missing keys, exact trigger names, every assignment stored, the start rule.
#include "dragsnap/DragSnapSettings.h"

#include "platform/sim/SimDesktop.h"
#include "support/RecordingMonitor.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class DragSnapSettingsTest : public ::testing::Test {
protected:
    SimDesktop desk;
    Platform platform = desk.platform();
    RecordingMonitor monitor;
};

TEST_F(DragSnapSettingsTest, AFreshInstallationHasItsDefaultsAndWritesNothing) {
    DragSnapSettings settings(platform, monitor);
    EXPECT_FALSE(settings.isEnabled());
    EXPECT_EQ(settings.layoutName(), "Quadrant");
    EXPECT_EQ(settings.trigger(), DragSnapSettings::Trigger::Anywhere);
    EXPECT_EQ(settings.spanKey(), DragSnapSettings::SpanKey::Control);
    EXPECT_TRUE(desk.defaults().writes().isEmpty());
    EXPECT_TRUE(monitor.calls.isEmpty());
}

TEST_F(DragSnapSettingsTest, StoredValuesLoadAndOnlyTheExactTriggerNameCounts) {
    platform.defaults.setBool("dragSnapEnabled", true);
    platform.defaults.setString("dragSnapLayoutName", "No Such Layout");
    for (const auto& [raw, expected] : {std::pair{"screenEdges", DragSnapSettings::Trigger::ScreenEdges},
                                        std::pair{"ScreenEdges", DragSnapSettings::Trigger::Anywhere},
                                        std::pair{"", DragSnapSettings::Trigger::Anywhere},
                                        std::pair{"edges", DragSnapSettings::Trigger::Anywhere}}) {
        platform.defaults.setString("dragSnapTrigger", raw);
        const DragSnapSettings settings(platform, monitor);
        EXPECT_EQ(settings.trigger(), expected) << raw;
        EXPECT_TRUE(settings.isEnabled());
        EXPECT_EQ(settings.layoutName(), "No Such Layout") << "names are not checked on load";
    }
    platform.defaults.setObject("dragSnapTrigger", qint64(1));
    EXPECT_EQ(DragSnapSettings(platform, monitor).trigger(), DragSnapSettings::Trigger::Anywhere);

    for (const auto& [raw, expected] : {std::pair{"shift", DragSnapSettings::SpanKey::Shift},
                                        std::pair{"alt", DragSnapSettings::SpanKey::Alt},
                                        std::pair{"super", DragSnapSettings::SpanKey::Control},
                                        std::pair{"Shift", DragSnapSettings::SpanKey::Control}}) {
        platform.defaults.setString("dragSnapSpanKey", raw);
        EXPECT_EQ(DragSnapSettings(platform, monitor).spanKey(), expected) << raw;
    }
    platform.defaults.setObject("dragSnapSpanKey", true);
    const DragSnapSettings damaged(platform, monitor);
    EXPECT_EQ(damaged.spanKey(), DragSnapSettings::SpanKey::Control) << "a value of the wrong type";
    EXPECT_EQ(damaged.layoutName(), "No Such Layout") << "and nothing else lost";
}

TEST_F(DragSnapSettingsTest, EveryAssignmentIsStoredAndTheSwitchAppliesTheStartRule) {
    DragSnapSettings settings(platform, monitor);
    int changes = 0;
    QObject::connect(&settings, &DragSnapSettings::isEnabledChanged, [&] { ++changes; });
    settings.setEnabled(true);
    settings.setEnabled(true);
    EXPECT_EQ(desk.defaults().writesOf("dragSnapEnabled"), (QList<QVariant>{true, true}));
    EXPECT_EQ(monitor.calls, (QStringList{"start", "start"}));
    EXPECT_EQ(changes, 1) << "observers hear of real changes only";

    desk.setTrusted(false);
    settings.setEnabled(true);
    EXPECT_EQ(monitor.calls.last(), "stop") << "without access the monitor stays stopped";
    settings.setTrigger(DragSnapSettings::Trigger::ScreenEdges);
    settings.setLayoutName("Thirds");
    settings.setLayoutName("Thirds");
    EXPECT_EQ(platform.defaults.string("dragSnapTrigger"), "screenEdges");
    settings.setSpanKey(DragSnapSettings::SpanKey::Alt);
    EXPECT_EQ(platform.defaults.string("dragSnapSpanKey"), "alt");
    EXPECT_EQ(desk.defaults().writesOf("dragSnapLayoutName").size(), 2);
    EXPECT_EQ(monitor.calls.size(), 3) << "layout and trigger leave the monitor alone";
}

TEST_F(DragSnapSettingsTest, ADesktopThatShowsNoDragNeverRunsTheMonitorAndKeepsTheChoice) {
    platform.defaults.setBool("dragSnapEnabled", true);
    platform.capabilities.setFlag(Capability::DragObservation, false);
    DragSnapSettings settings(platform, monitor);
    settings.applyStartRule();
    settings.setEnabled(true);
    EXPECT_EQ(monitor.calls, (QStringList{"stop", "stop"}));
    EXPECT_TRUE(settings.isEnabled());
    EXPECT_EQ(platform.defaults.boolean("dragSnapEnabled"), true) << "an X11 session keeps the user's choice";
}

TEST_F(DragSnapSettingsTest, ReleasingTheCurrentLayoutNameFallsBackToSplit) {
    DragSnapSettings settings(platform, monitor);
    settings.setLayoutName("Desk");
    settings.releaseLayoutName("Other");
    EXPECT_EQ(settings.layoutName(), "Desk");
    settings.releaseLayoutName("Desk");
    EXPECT_EQ(settings.layoutName(), "Split");
    EXPECT_EQ(platform.defaults.string("dragSnapLayoutName"), "Split");
}

} // namespace
} // namespace corvane

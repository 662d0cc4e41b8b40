// Drag-to-snap settings: missing keys, exact trigger names, every assignment stored, the start rule,
// and the layouts of single monitors as monitors come, go and change places.
#include "dragsnap/DragSnapSettings.h"

#include "control/MonitorKey.h"
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
    EXPECT_FALSE(settings.swapsOnDrop()) << "a drop only moves the window dropped";
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
    platform.defaults.setString("dragSnapSwaps", "yes");
    DragSnapSettings damaged(platform, monitor);
    EXPECT_EQ(damaged.spanKey(), DragSnapSettings::SpanKey::Control) << "a value of the wrong type";
    EXPECT_FALSE(damaged.swapsOnDrop()) << "a value of the wrong type";
    EXPECT_EQ(damaged.layoutName(), "No Such Layout") << "and nothing else lost";
    damaged.setSwapsOnDrop(true);
    EXPECT_TRUE(DragSnapSettings(platform, monitor).swapsOnDrop()) << "the choice replaces the damaged value";
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

    desk.accessibility().setTrusted(false);
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
    const Screen wide{.id = 2, .frame = QRectF(0, 0, 2560, 1080), .connector = "DP-1"};
    desk.setScreens({wide});
    DragSnapSettings settings(platform, monitor);
    settings.setLayoutName("Desk");
    settings.setMonitorLayoutName(MonitorKey::of(wide, {wide}), "Desk");
    settings.releaseLayoutName("Other");
    EXPECT_EQ(settings.layoutName(), "Desk");
    settings.releaseLayoutName("Desk");
    EXPECT_EQ(settings.layoutName(), "Split");
    EXPECT_EQ(platform.defaults.string("dragSnapLayoutName"), "Split");
    settings.setLayoutName("Quadrant");
    EXPECT_EQ(settings.layoutNameFor(wide), "Split") << "a monitor that used it falls back the same way";
}

// A laptop panel and a wide screen, each reporting its connector and model.
const Screen kLaptop{.id = 1,
                     .name = "eDP-1",
                     .frame = QRectF(0, 0, 1440, 900),
                     .visibleFrame = QRectF(0, 0, 1440, 900),
                     .connector = "eDP-1",
                     .model = "BOE 0x0BCA"};
const Screen kWide{.id = 2,
                   .name = "DP-1",
                   .frame = QRectF(1440, 0, 2560, 1080),
                   .visibleFrame = QRectF(1440, 0, 2560, 1080),
                   .connector = "DP-1",
                   .model = "DEL DELL U3419W"};

TEST_F(DragSnapSettingsTest, EachMonitorKeepsItsOwnLayoutThroughUnplugAndReorderAndTheRestTakeTheDefault) {
    desk.setScreens({kLaptop, kWide});
    DragSnapSettings settings(platform, monitor);
    int changes = 0;
    QObject::connect(&settings, &DragSnapSettings::monitorLayoutsChanged, [&] { ++changes; });
    EXPECT_EQ(settings.layoutNameFor(kWide), "Quadrant") << "nothing chosen: the default";
    settings.setMonitorLayoutName(MonitorKey::of(kLaptop, {kLaptop, kWide}), "Split");
    settings.setMonitorLayoutName(MonitorKey::of(kWide, {kLaptop, kWide}), "Thirds");
    EXPECT_EQ(settings.layoutNameFor(kLaptop), "Split");
    EXPECT_EQ(settings.layoutNameFor(kWide), "Thirds");
    EXPECT_EQ(settings.layoutName(), "Quadrant") << "the default stays";

    // The laptop's lid closed: the wide screen, now the only one and at (0, 0), keeps its layout.
    Screen wideAlone = kWide;
    wideAlone.id = 7;
    wideAlone.frame = wideAlone.visibleFrame = QRectF(0, 0, 2560, 1080);
    desk.changeScreens({wideAlone});
    EXPECT_EQ(settings.layoutNameFor(wideAlone), "Thirds");
    EXPECT_EQ(changes, 3) << "the monitors changing is announced too";

    // Plugged back in the other order, read anew from the stored settings, with a projector no one chose
    // for.
    const Screen projector{.id = 9, .frame = QRectF(-1024, 0, 1024, 768), .connector = "HDMI-1"};
    desk.changeScreens({kWide, projector, kLaptop});
    const DragSnapSettings reloaded(platform, monitor);
    EXPECT_EQ(reloaded.layoutNameFor(kLaptop), "Split");
    EXPECT_EQ(reloaded.layoutNameFor(kWide), "Thirds");
    EXPECT_EQ(reloaded.layoutNameFor(projector), "Quadrant");

    settings.setMonitorLayoutName(MonitorKey::of(kWide, {kWide}), QString());
    EXPECT_EQ(settings.layoutNameFor(kWide), "Quadrant") << "given the default back";
    EXPECT_EQ(platform.defaults.dictionary("dragSnapMonitorLayouts")->size(), 1);
}

TEST_F(DragSnapSettingsTest, MonitorsWithoutConnectorsKeepTheirChoiceByPlace) {
    const Screen first{.id = 1, .name = "Monitor 1", .frame = QRectF(0, 0, 1440, 900)};
    const Screen second{.id = 2, .name = "Monitor 2", .frame = QRectF(1440, 0, 1920, 1080)};
    desk.setScreens({first, second});
    DragSnapSettings settings(platform, monitor);
    settings.setMonitorLayoutName(MonitorKey::of(second, {first, second}), "Thirds");
    EXPECT_EQ(settings.layoutNameFor(first), "Quadrant");
    EXPECT_EQ(settings.layoutNameFor(second), "Thirds");
    desk.changeScreens({second, first});
    EXPECT_EQ(settings.layoutNameFor(first), "Thirds") << "the second place's choice, whoever is there";
    EXPECT_EQ(settings.layoutNameFor(second), "Quadrant");
}

TEST_F(DragSnapSettingsTest, StoredMonitorLayoutsThatAreNoNamesAreTheDefault) {
    desk.setScreens({kLaptop, kWide});
    const QString laptop = MonitorKey::of(kLaptop, {kLaptop, kWide});
    const QString wide = MonitorKey::of(kWide, {kLaptop, kWide});
    platform.defaults.setString("dragSnapLayoutName", "Rows");
    platform.defaults.setObject("dragSnapMonitorLayouts", QVariantMap{{laptop, qint64(3)}, {wide, "Thirds"}});
    const DragSnapSettings settings(platform, monitor);
    EXPECT_EQ(settings.layoutNameFor(kLaptop), "Rows");
    EXPECT_EQ(settings.layoutNameFor(kWide), "Thirds") << "the good entries are kept";
    EXPECT_EQ(desk.defaults().writesOf("dragSnapMonitorLayouts").size(), 1) << "loading writes nothing";
}

} // namespace
} // namespace corvane

// The coordinator on the simulated desktop: the order of start-up, the monitors re-armed when
// access arrives (and kept when it goes), the settings window, the repairs when a preset name is
// released, and a stored hotkey table read at start.
#include "ControllerFixture.h"
#include "model/PresetCoding.h"
#include "platform/common/Log.h"
#include "support/LogCapture.h"

namespace corvane {
namespace {

class WindowControllerTest : public ControllerTest {
protected:
    std::optional<LogCapture> log;
    void SetUp() override {
        ControllerTest::SetUp();
        log.emplace();
    }
    void TearDown() override { log.reset(); }
    int linesContaining(const QString& text) const { return log->count(text); }
};

TEST_F(WindowControllerTest, StartingTrustedArmsEverythingWithoutPolling) {
    desk.application().setImages({"AppIcon"});
    start();
    EXPECT_TRUE(controller->trust().isTrusted());
    EXPECT_FALSE(controller->trust().hasPollTimer());
    EXPECT_EQ(desk.runLoop().activeTimerCount(), 0);
    // The hotkeys', and the press, drag and release the neighbours' resize follows.
    EXPECT_EQ(desk.events().globalMonitorCount(), 4) << "the hotkeys are heard";
    EXPECT_EQ(desk.events().localMonitorCount(), 1);
    EXPECT_EQ(dragSnap.applied, 1);
    EXPECT_EQ(palette.applied, 1);
    EXPECT_EQ(controller->placer().lastActiveApp()->pid, editor);
    EXPECT_EQ(desk.application().iconName(), "AppIcon");
    EXPECT_EQ(desk.application().policyHistory(), QList<ActivationPolicy>{ActivationPolicy::Accessory});
    EXPECT_EQ(linesContaining("app.corvane.general: WindowController initializing"), 1);
    EXPECT_EQ(linesContaining("Key monitor started"), 1);
    controller.reset();
    EXPECT_EQ(desk.events().globalMonitorCount() + desk.events().localMonitorCount(), 0)
        << "the hotkeys go with the controller";
}

TEST_F(WindowControllerTest, TrustArrivingByPollRearmsOnceAndStopsPolling) {
    desk.accessibility().setTrusted(false);
    start();
    EXPECT_TRUE(controller->trust().hasPollTimer());
    QList<bool> published;
    QObject::connect(&controller->trust(), &AccessTrust::isTrustedChanged,
                     [&](bool t) { published.append(t); });
    desk.runLoop().advance(3);
    EXPECT_TRUE(published.isEmpty());
    desk.accessibility().setTrusted(true);
    desk.runLoop().advance(1.0);
    EXPECT_EQ(published, QList<bool>{true});
    EXPECT_FALSE(controller->trust().hasPollTimer());
    EXPECT_EQ(dragSnap.applied, 2);
    EXPECT_EQ(palette.applied, 2);
    EXPECT_EQ(desk.events().globalMonitorCount(), 4) << "re-arming adds no second key monitor";
    EXPECT_EQ(desk.events().localMonitorCount(), 1);
    controller->trust().refresh();
    desk.runLoop().advance(5);
    EXPECT_EQ(linesContaining("Accessibility granted, hotkeys re-armed"), 1);
    EXPECT_EQ(desk.runLoop().activeTimerCount(), 0);
}

TEST_F(WindowControllerTest, LosingAccessPublishesAndPollsButKeepsTheHotkeys) {
    start();
    desk.accessibility().setTrusted(false);
    controller->trust().refresh();
    desk.runLoop().runPending();
    EXPECT_FALSE(controller->trust().isTrusted());
    EXPECT_TRUE(controller->trust().hasPollTimer());
    EXPECT_EQ(desk.events().globalMonitorCount(), 4);
    EXPECT_EQ(dragSnap.applied, 1) << "losing access stops no monitor";
}

TEST_F(WindowControllerTest, OnlyClosingTheSettingsWindowMakesCorvaneAnAccessoryAgain) {
    start();
    QObject settingsWindow;
    QObject otherWindow;
    controller->setSettingsWindow(&settingsWindow);
    desk.application().setActivationPolicy(ActivationPolicy::Regular);
    desk.application().postWindowWillClose(&otherWindow);
    EXPECT_EQ(desk.application().activationPolicy(), ActivationPolicy::Regular);
    desk.application().postWindowWillClose(&settingsWindow);
    EXPECT_EQ(desk.application().activationPolicy(), ActivationPolicy::Accessory);
}

TEST_F(WindowControllerTest, DeletingRepairsHotkeysTheDragSnapNameAndTheCycleOnlyWhenNoPresetKeepsTheName) {
    start();
    controller->presets().addGridPreset("Desk", 1, 2, {});
    controller->presets().addSizePreset("Desk2", 900, 700);
    controller->presets().addGridPreset("Other", 1, 3, {});
    HotkeyAssignments table = controller->hotkeys().assignments();
    table[3] = "Desk";
    table[4] = "Other";
    controller->hotkeys().setAssignments(table);
    QStringList released;
    QObject::connect(&controller->presets(), &PresetStore::presetNameReleased,
                     [&](const QString& name) { released.append(name); });

    controller->cycle().applyLayout("Desk");
    desk.settle();
    controller->presets().deletePreset(controller->presets().all()[0].id);
    desk.settle();
    EXPECT_EQ(controller->hotkeys().assignments().value(3), "");
    EXPECT_EQ(controller->hotkeys().assignments().value(4), "Other");
    EXPECT_EQ(hotkeyAssignmentsFromStored(platform.defaults.object(kHotkeyAssignmentsKey)).value(3), "");
    EXPECT_EQ(released, QStringList{"Desk"});
    EXPECT_FALSE(controller->cycle().isActive());
    EXPECT_FALSE(controller->cycle().layoutName());
    EXPECT_EQ(decodePresets(*platform.defaults.data(kPresetsKey))->size(), 2);

    const qsizetype writesBefore = desk.defaults().writes().size();
    controller->presets().deletePreset(QUuid::createUuid());
    EXPECT_EQ(desk.defaults().writes().size(), writesBefore) << "an unknown id changes and saves nothing";
}

TEST_F(WindowControllerTest, AnEmptyStoredTableAssignsNothing) {
    platform.defaults.setObject(kHotkeyAssignmentsKey, QVariantMap{});
    start();
    desk.events().sendGlobal(hotkey("2", 19));
    desk.settle();
    EXPECT_EQ(frame(), QRectF(100, 100, 800, 600));
    EXPECT_TRUE(controller->hotkeys().assignments().isEmpty());
}

TEST_F(WindowControllerTest, AChordChangedInTheDesktopsSettingsIsStoredAndNotSetBack) {
    Platform withDesktopShortcuts = desk.platformWithDesktopShortcuts();
    SimDesktopShortcuts& shortcuts = desk.desktopShortcuts();
    WindowController following(withDesktopShortcuts, frameWrites, zoneSpacing, dragSnap, palette, excluded);
    EXPECT_EQ(shortcuts.name(0).key, "layout-1");
    EXPECT_EQ(shortcuts.name(0).text, "Layout hotkey 1");
    EXPECT_EQ(shortcuts.name(4).key, "throw-previous");
    EXPECT_EQ(shortcuts.takeSets().size(), kHotkeyActionCount);

    using namespace modifier;
    HotkeyChords expected = defaultHotkeyChords();
    expected[0] = {GrabKey::Digit, 1, kControl | kCommand};
    shortcuts.rebind(0, expected[0]);
    EXPECT_EQ(following.hotkeys().chords(), expected) << "the others untouched";
    EXPECT_EQ(hotkeyChordsFromStored(platform.defaults.object(kHotkeyChordsKey)), expected);
    EXPECT_TRUE(shortcuts.takeSets().isEmpty()) << "the desktop has it already";

    // Taken away there: none here too, kept as none across a restart, and not given back.
    shortcuts.rebind(5, std::nullopt);
    expected[5] = std::nullopt;
    EXPECT_EQ(following.hotkeys().chords(), expected);
    EXPECT_EQ(hotkeyChordsFromStored(platform.defaults.object(kHotkeyChordsKey)), expected);
    EXPECT_TRUE(shortcuts.takeSets().isEmpty()) << "a chord taken away is not given back";
    EXPECT_EQ(shortcuts.chord(5), std::nullopt);

    expected[1] = {GrabKey::Digit, 2, kControl | kCommand};
    expected[5] = {GrabKey::RightArrow, 0, kControl | kCommand};
    following.hotkeys().setChords(expected);
    const QList<std::pair<int, KeyChord>> sets{{1, *expected[1]}, {5, *expected[5]}};
    EXPECT_EQ(shortcuts.takeSets(), sets) << "the changes made here go to the desktop, alone";
}

} // namespace
} // namespace corvane

// With the switch on, the zones of windows are stored (500 at most, damaged values read as none), and
// a window opening again goes back to its zone once the window manager has left it alone, on its
// screen where that is still there.
#include "control/ZoneMemory.h"

#include "ControllerFixture.h"

namespace corvane {
namespace {

class ZoneMemoryTest : public ControllerTest {
protected:
    ZoneMemory& memory() { return controller->zoneMemory(); }
    void keepZones() { platform.defaults.setBool(kKeepsWindowZonesKey, true); }
    // A window of the editor opening where the window manager puts it, and the time it is given.
    SimWindowId open(const QString& title) {
        const SimWindowId opened = desk.addWindow(editor, QRectF(100, 100, 800, 600), {.title = title});
        desk.setFocusedWindow(editor, opened);
        desk.runLoop().advance(ZoneMemory::openingRestSeconds);
        desk.settle();
        return opened;
    }
    static ZoneMemory::Remembered remembered(const QString& application, const QRectF& fraction) {
        return {application, QString(), ZonePlace{"Quadrant", fraction, 1, "one"}};
    }
};

TEST_F(ZoneMemoryTest, KeptZonesAreStoredReplacedForgottenAndCappedAtFiveHundred) {
    start();
    snapTo("Quadrant", 1);
    EXPECT_TRUE(memory().remembered().isEmpty()) << "off by default: nothing stored";
    EXPECT_FALSE(platform.defaults.object(kWindowZonesKey).isValid());

    memory().setKeepsZones(true);
    const ZoneMemory::Remembered topRight{
        "Editor", "", {"Quadrant", kTopRightFraction, screen.id, screen.name}};
    EXPECT_EQ(memory().remembered(), QList{topRight}) << "switched on, the windows in a zone now are stored";
    snapTo("Quadrant", 2);
    ASSERT_EQ(memory().remembered().size(), 1) << "placed again: its new zone replaces the old";
    EXPECT_EQ(memory().remembered().first().place.fraction, QRectF(0, 0.5, 0.5, 0.5));
    EXPECT_EQ(rememberedFromStored(platform.defaults.object(kWindowZonesKey)), memory().remembered());

    desk.setWindowFrame(window, QRectF(10, 40, 700, 400));
    desk.runLoop().advance(ZoneTracker::restSeconds);
    EXPECT_TRUE(memory().remembered().isEmpty()) << "moved off its zone";
    EXPECT_TRUE(rememberedFromStored(platform.defaults.object(kWindowZonesKey)).isEmpty());

    // Six hundred stored by hand read as the newest five hundred; one more placed drops the oldest.
    QList<ZoneMemory::Remembered> many;
    for (int i = 0; i < 600; ++i)
        many.append(remembered(QString("App %1").arg(i), kTopLeftFraction));
    platform.defaults.setObject(kWindowZonesKey, storedRemembered(many));
    keepZones();
    start();
    ASSERT_EQ(memory().remembered().size(), ZoneMemory::maxRememberedWindows);
    EXPECT_EQ(memory().remembered().first().application, "App 100");
    snapTo("Quadrant", 3);
    ASSERT_EQ(memory().remembered().size(), ZoneMemory::maxRememberedWindows);
    EXPECT_EQ(memory().remembered().first().application, "App 101");
    EXPECT_EQ(memory().remembered().last().application, "Editor");

    memory().setKeepsZones(false);
    EXPECT_TRUE(memory().remembered().isEmpty());
    EXPECT_FALSE(platform.defaults.object(kWindowZonesKey).isValid()) << "switched off, forgotten";
    EXPECT_EQ(platform.defaults.boolean(kKeepsWindowZonesKey), false);
}

TEST_F(ZoneMemoryTest, ADamagedStoredValueReadsAsNoneAndLosesNothingElse) {
    QVariantList entries = storedRemembered({remembered("Good", kTopLeftFraction)});
    QVariantMap outside = entries.first().toMap();
    outside["x"] = 0.8; // 0.8 + 0.5 lies off the screen
    QVariantMap nameless = entries.first().toMap();
    nameless.remove("application");
    QVariantMap textual = entries.first().toMap();
    textual["width"] = "half";
    entries << outside << nameless << textual << QVariant(7);
    EXPECT_EQ(rememberedFromStored(entries), QList{remembered("Good", kTopLeftFraction)});
    for (const QVariant& shape : {QVariant("windows"), QVariant(QVariantMap{{"a", 1}}), QVariant(3.5)})
        EXPECT_TRUE(rememberedFromStored(shape).isEmpty());

    keepZones();
    platform.defaults.setObject(kWindowZonesKey, "damaged");
    platform.defaults.setObject(kHotkeyChordsKey, QVariantMap{{"1", "Ctrl+Super+7"}});
    start();
    EXPECT_TRUE(memory().remembered().isEmpty());
    EXPECT_TRUE(memory().keepsZones());
    EXPECT_EQ(controller->hotkeys().chords()[0],
              KeyChord({GrabKey::Digit, 7, modifier::kControl | modifier::kCommand}));
    snapTo("Quadrant", 0);
    EXPECT_EQ(memory().remembered().size(), 1) << "the next placement stores over the damage";
}

TEST_F(ZoneMemoryTest, AWindowOpeningAgainGoesBackToItsZoneOnceTheWindowManagerIsDone) {
    keepZones();
    start();
    snapTo("Quadrant", 1);
    desk.removeWindow(window);
    desk.settle();

    // The window manager places the new window in steps: ours waits until it has rested.
    const SimWindowId opened = desk.addWindow(editor, QRectF(100, 100, 800, 600));
    desk.setFocusedWindow(editor, opened);
    desk.runLoop().advance(ZoneMemory::openingRestSeconds - 0.05);
    desk.setWindowFrame(opened, QRectF(120, 120, 800, 600));
    desk.runLoop().advance(ZoneMemory::openingRestSeconds - 0.05);
    desk.settle();
    EXPECT_EQ(desk.windowFrame(opened), QRectF(120, 120, 800, 600)) << "not while the manager moves it";
    desk.runLoop().advance(0.05);
    desk.settle();
    EXPECT_EQ(desk.windowFrame(opened), kTopRight);

    // One that never rests is placed at the deadline.
    desk.removeWindow(opened);
    const SimWindowId restless = desk.addWindow(editor, QRectF(100, 100, 800, 600));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(desk.windowFrame(restless).width(), 800) << "still the manager's at " << i * 0.1 << " s";
        desk.setWindowFrame(restless, QRectF(100 + i, 100, 800, 600));
        desk.runLoop().advance(0.1);
    }
    desk.runLoop().advance(0.001);
    desk.settle();
    EXPECT_EQ(desk.windowFrame(restless), kTopRight);

    const qint32 viewer = desk.addApplication("Viewer");
    const SimWindowId other = desk.addWindow(viewer, QRectF(100, 100, 800, 600));
    desk.runLoop().advance(ZoneMemory::openingDeadlineSeconds);
    desk.settle();
    EXPECT_EQ(desk.windowFrame(other), QRectF(100, 100, 800, 600)) << "another application's stays";
}

TEST_F(ZoneMemoryTest, SeveralWindowsOfOneApplicationAreToldApartByTitleAndScreensByName) {
    desk.removeWindow(window);
    const Screen second = desk.addScreen(QRectF(1440, 0, 1440, 900), QRectF(1440, 0, 1440, 900));
    keepZones();
    start();
    const SimWindowId notes = open("notes.txt");
    snapTo("Split", 0);
    const SimWindowId todo = open("todo.txt");
    EXPECT_EQ(desk.windowFrame(todo), QRectF(100, 100, 800, 600)) << "the other title's zone is held";
    ASSERT_EQ(controller->placer().snapFocusedWindow(QRectF(0.5, 0, 0.5, 1), second, {}, "Split"),
              Placement::Requested);
    desk.settle();
    desk.removeWindow(notes);
    desk.removeWindow(todo);

    const SimWindowId todoAgain = open("todo.txt");
    EXPECT_EQ(desk.windowFrame(todoAgain), QRectF(2160, 0, 720, 900)) << "its own zone, on the second screen";
    const SimWindowId notesAgain = open("notes.txt");
    EXPECT_EQ(desk.windowFrame(notesAgain), QRectF(0, 25, 720, 875));

    // Without the second screen, on the screen it opens on.
    desk.removeWindow(todoAgain);
    desk.changeScreens({screen});
    const SimWindowId alone = open("todo.txt");
    EXPECT_EQ(desk.windowFrame(alone), QRectF(720, 25, 720, 875));
}

} // namespace
} // namespace corvane

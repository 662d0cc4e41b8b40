// The Quick Snap chord on a simulated desktop whose agent draws the palette: Control+Alt+0 opens it
// below the middle of the active window's top edge, a click on a zone puts the window there, and it
// closes on the chord again, on another window becoming active, on the window going, never opening for
// an application left alone; with swapping on, a pick onto a filled zone swaps the two windows.
#include "palette/QuickSnapChord.h"

#include "control/ControllerFixture.h"
#include "model/BuiltInLayouts.h"
#include "palette/DrawnQuickSnap.h"
#include "platform/sim/SimCanvas.h"

namespace corvane {
namespace {

class QuickSnapChordTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
        drawn.emplace(canvas, platform.screens, zoneSpacing);
        chord.emplace(platform, controller->placer(), frameWrites, zoneSpacing, *drawn);
        QObject::connect(controller.get(), &WindowController::quickSnapRequested, &*chord,
                         &QuickSnapChord::toggle);
    }
    void pressChord() {
        desk.events().sendGlobal(hotkey("0", 29));
        desk.settle();
    }
    // The middle of a zone of the palette shown, in screen coordinates.
    QPointF zoneCentre(qsizetype thumbnail, qsizetype zone) const {
        const QRectF frame = *drawn->shownFrame();
        const QuickSnapFace face =
            QuickSnapFace::palette(builtInLayouts().size(), QuickSnapFace::headerHeight());
        const QPointF local =
            faceZoneRect(face, builtInLayouts(), zoneSpacing.spacing(), {thumbnail, zone}).center();
        return {frame.left() + local.x(), frame.bottom() - local.y()};
    }
    void click(QPointF at) {
        canvas.report(CanvasPointer::Press, at);
        canvas.report(CanvasPointer::Release, at);
        desk.settle();
    }

    SimCanvas canvas;
    std::optional<DrawnQuickSnap> drawn;
    std::optional<QuickSnapChord> chord;
};

TEST_F(QuickSnapChordTest, TheChordOpensThePaletteUnderTheWindowsTopEdgeAndAPickPlacesTheWindow) {
    EXPECT_EQ(controller->hotkeys().chords()[int(HotkeyAction::QuickSnap)],
              KeyChord({GrabKey::Digit, 0, modifier::kControl | modifier::kOption}));
    pressChord();
    ASSERT_TRUE(chord->isOpen());
    ASSERT_TRUE(canvas.scene());
    const QRectF shown = canvas.scene()->frame;
    EXPECT_DOUBLE_EQ(shown.center().x(), 500) << "centred under the middle of the top edge, x 100 to 900";
    EXPECT_EQ(shown.bottom(), 900 - 100 - 6) << "its top 6 points below the window's top edge (y up)";

    click(zoneCentre(0, 1)); // Split's right half
    EXPECT_EQ(frame(), QRectF(720, 25, 720, 875));
    EXPECT_FALSE(chord->isOpen());
    EXPECT_FALSE(canvas.scene()) << "a pick closes it";

    // Two zones of one layout: pressed on Quadrant's top left, released on its top right.
    pressChord();
    canvas.report(CanvasPointer::Press, zoneCentre(1, 0));
    canvas.report(CanvasPointer::Motion, zoneCentre(1, 1));
    canvas.report(CanvasPointer::Release, zoneCentre(1, 1));
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 25, 1440, 437)) << "the top half";
}

TEST_F(QuickSnapChordTest, ThePaletteClosesOnTheChordAnotherActiveWindowOrTheWindowGone) {
    pressChord();
    ASSERT_TRUE(canvas.scene());
    pressChord();
    EXPECT_FALSE(canvas.scene()) << "the chord again closes it";
    pressChord();
    EXPECT_TRUE(canvas.scene()) << "and once more opens it";

    // Another window of the same application takes the focus.
    const SimWindowId other = desk.addWindow(editor, QRectF(300, 300, 400, 300));
    desk.runLoop().advance(QuickSnapChord::watchPeriodSeconds);
    EXPECT_TRUE(canvas.scene()) << "a window opening behind changes nothing";
    desk.setFocusedWindow(editor, other);
    desk.runLoop().advance(QuickSnapChord::watchPeriodSeconds);
    EXPECT_FALSE(canvas.scene());
    EXPECT_FALSE(chord->isOpen());

    // Another application comes to the front.
    pressChord();
    ASSERT_TRUE(canvas.scene());
    const qint32 browser = desk.addApplication("Browser");
    desk.setFocusedWindow(browser, desk.addWindow(browser, QRectF(50, 50, 300, 300)));
    desk.activateApplication(browser);
    desk.runLoop().advance(QuickSnapChord::watchPeriodSeconds);
    EXPECT_FALSE(canvas.scene());

    // The window closes.
    desk.activateApplication(editor);
    pressChord();
    ASSERT_TRUE(canvas.scene());
    const QRectF shown = canvas.scene()->frame;
    EXPECT_DOUBLE_EQ(shown.center().x(), 500) << "for the editor's window that has the focus";
    desk.removeWindow(other);
    desk.runLoop().advance(QuickSnapChord::watchPeriodSeconds);
    EXPECT_FALSE(canvas.scene());
    desk.log().clear();
    click(QPointF(shown.center().x(), shown.bottom() - 40));
    EXPECT_TRUE(desk.log().effects().isEmpty()) << "nothing is written for a closed palette";
}

TEST_F(QuickSnapChordTest, WithSwappingOnAPickOntoAFilledZoneSendsItsWindowToThePickedWindowsPlace) {
    const qint32 terminal = desk.addApplication("Terminal");
    const SimWindowId shell = desk.addWindow(terminal, QRectF(300, 400, 500, 300));
    const auto putShellInTheRightHalf = [&] {
        controller->placer().placeInZone(desk.windowElement(shell), std::nullopt,
                                         ZonePlace{"Split", QRectF(0.5, 0, 0.5, 1), screen.id, screen.name},
                                         screen);
        desk.settle();
    };
    bool isOn = false;
    chord->setSwapChoice({&controller->swapper(), [&isOn] { return isOn; }});
    putShellInTheRightHalf();
    pressChord();
    click(zoneCentre(0, 1));
    EXPECT_EQ(frame(), QRectF(720, 25, 720, 875));
    EXPECT_EQ(desk.windowFrame(shell), QRectF(720, 25, 720, 875)) << "off: the two share the half";

    // On: from the left half, the shell takes the editor's.
    isOn = true;
    snapTo("Split", 0);
    pressChord();
    click(zoneCentre(0, 1));
    EXPECT_EQ(frame(), QRectF(720, 25, 720, 875));
    EXPECT_EQ(desk.windowFrame(shell), QRectF(0, 25, 720, 875));
    EXPECT_EQ(controller->zoneTracker().zoneOf(desk.windowElement(shell))->fraction, QRectF(0, 0, 0.5, 1));

    // From no zone, the shell takes the editor's frame.
    desk.setWindowFrame(window, QRectF(100, 100, 800, 600));
    putShellInTheRightHalf();
    desk.runLoop().advance(ZoneTracker::restSeconds);
    pressChord();
    click(zoneCentre(0, 1));
    EXPECT_EQ(frame(), QRectF(720, 25, 720, 875));
    EXPECT_EQ(desk.windowFrame(shell), QRectF(100, 100, 800, 600));
}

TEST_F(QuickSnapChordTest, AnApplicationLeftAloneGetsNoPalette) {
    excluded.add("Editor");
    pressChord();
    EXPECT_FALSE(canvas.scene());
    EXPECT_FALSE(chord->isOpen());
    excluded.remove("Editor");
    pressChord();
    EXPECT_TRUE(canvas.scene());
}

} // namespace
} // namespace corvane

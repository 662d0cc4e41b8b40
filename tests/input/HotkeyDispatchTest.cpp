// The dispatcher follows the chord table: a changed chord acts and the one it replaced no longer
// does, and a stored table is read at start.
#include "control/ControllerFixture.h"

namespace corvane {
namespace {

using namespace modifier;

const QRectF kStart(100, 100, 800, 600);
// In AX coordinates, below the 25-point menu bar.
const QRectF kLeftHalf(0, 25, 720, 875);

class HotkeyDispatchTest : public ControllerTest {
protected:
    // Sends the key-down and says whether the window moved, then puts it back.
    bool moves(const Event& event) {
        desk.setWindowFrame(window, kStart);
        desk.events().sendGlobal(event);
        desk.settle();
        return frame() != kStart;
    }
    static Event key(const QString& characters, quint16 keyCode, quint64 flags) {
        return SimEvents::keyDown(characters, keyCode, flags);
    }
};

TEST_F(HotkeyDispatchTest, AChangedChordActsAndTheOneItReplacedNoLongerDoes) {
    start();
    HotkeyChords chords = controller->hotkeys().chords();
    chords[0] = {GrabKey::Digit, 7, kControl | kCommand};
    chords[int(HotkeyAction::Next)] = {GrabKey::UpArrow, 0, kOption | kCommand};
    controller->hotkeys().setChords(chords);
    EXPECT_EQ(platform.defaults.object(kHotkeyChordsKey).toMap().value("1"), "Ctrl+Super+7")
        << "stored at once";
    EXPECT_EQ(platform.defaults.object(kHotkeyChordsKey).toMap().value("next"), "Alt+Super+Up");

    EXPECT_FALSE(moves(hotkey("1", 18)));
    desk.events().sendGlobal(key("7", 26, kControl | kCommand));
    desk.settle();
    EXPECT_EQ(frame(), kLeftHalf);

    // The arrows: the new Next steps through the zones, the old Right does nothing.
    desk.events().sendGlobal(hotkey("2", 19));
    desk.settle();
    ASSERT_EQ(frame(), kTopLeft);
    desk.events().sendGlobal(hotkey("", keycode::kRightArrow, kNumericPad | kFunction));
    desk.settle();
    EXPECT_EQ(frame(), kTopLeft);
    desk.events().sendGlobal(key("", keycode::kUpArrow, kOption | kCommand | kNumericPad | kFunction));
    desk.settle();
    EXPECT_EQ(frame(), kTopRight);
}

TEST_F(HotkeyDispatchTest, TheStoredTableIsReadAtStart) {
    platform.defaults.setObject(kHotkeyChordsKey, QVariantMap{{"3", "Ctrl+Alt+Shift+3"}, {"4", "garbage"}});
    start();
    EXPECT_EQ(controller->hotkeys().chords()[2], (KeyChord{GrabKey::Digit, 3, kControl | kOption | kShift}));
    EXPECT_EQ(controller->hotkeys().chords()[3], defaultHotkeyChords()[3]);
    EXPECT_FALSE(moves(hotkey("3", 20)));
    EXPECT_TRUE(moves(hotkey("3", 20, kShift)));
    EXPECT_TRUE(moves(hotkey("4", 21)));
}

} // namespace
} // namespace corvane

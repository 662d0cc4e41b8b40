// Which chord a key-down is: exactly its modifiers, locks and the keypad aside, and a keypad digit
// read as its digit.
#include "platform/common/PressedChord.h"

#include "platform/sim/SimEvents.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace modifier;

constexpr quint64 kCtrlAlt = kControl | kOption;
const KeyChord kCtrlAltOne{GrabKey::Digit, 1, kCtrlAlt};

bool isCtrlAltOne(quint64 flags, quint16 keyCode = 18) {
    return pressedChord(SimEvents::keyDown("1", keyCode, flags)) == kCtrlAltOne;
}

TEST(PressedChordTest, AKeyDownIsAChordWithExactlyItsModifiersLocksAside) {
    EXPECT_TRUE(isCtrlAltOne(kCtrlAlt));
    EXPECT_TRUE(isCtrlAltOne(kCtrlAlt | 0xFFFF)) << "device-dependent low bits are not looked at";
    // Each other device-independent flag on top of Control+Alt: only three leave it the chord.
    for (int bit = 16; bit < 32; ++bit) {
        const quint64 flag = quint64(1) << bit;
        if (flag & kCtrlAlt)
            continue;
        const bool isIgnored = flag == kCapsLock || flag == kNumericPad || flag == kFunction;
        EXPECT_EQ(isCtrlAltOne(kCtrlAlt | flag), isIgnored) << bit;
    }
    EXPECT_TRUE(isCtrlAltOne(kCtrlAlt | kNumericPad, 83)) << "the keypad's digit is the digit's chord";
    EXPECT_FALSE(isCtrlAltOne(kControl));
    EXPECT_EQ(pressedChord(SimEvents::keyDown("2", 19, kCtrlAlt)), KeyChord({GrabKey::Digit, 2, kCtrlAlt}));
    EXPECT_EQ(pressedChord(SimEvents::keyDown("1", 18, 0)), KeyChord({GrabKey::Digit, 1, 0}))
        << "a key without modifiers is a chord too; whether one can use it is the caller's";

    const Event right =
        SimEvents::keyDown("", keycode::kRightArrow, kOption | kCommand | kNumericPad | kFunction);
    EXPECT_EQ(pressedChord(right), KeyChord({GrabKey::RightArrow, 0, kOption | kCommand}));
    EXPECT_EQ(pressedChord(SimEvents::keyDown("", keycode::kUpArrow, kCommand)),
              KeyChord({GrabKey::UpArrow, 0, kCommand}));

    EXPECT_FALSE(pressedChord(SimEvents::keyDown("a", 0, kCtrlAlt)));
    EXPECT_FALSE(pressedChord(SimEvents::keyDown("", 0, kCtrlAlt))) << "a modifier key on its own";
    EXPECT_FALSE(pressedChord(SimEvents::keyDown("12", 0, kCtrlAlt)));
    EXPECT_FALSE(pressedChord(SimEvents::mouse(EventType::LeftMouseDown, 0, kCtrlAlt)));
}

} // namespace
} // namespace corvane

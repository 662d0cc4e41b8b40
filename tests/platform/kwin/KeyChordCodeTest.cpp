// Chords to the key codes kglobalaccel keeps, and back: the codes are Qt's, so a mistake here binds
// another key in KDE's settings than the one the settings window shows.
#include "platform/kwin/KeyChordCode.h"

#include "platform/Events.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace modifier;

TEST(KeyChordCodeTest, ChordsAreQtKeyCodesBothWays) {
    const struct {
        KeyChord chord;
        QKeyCombination code;
    } rows[] = {
        {{GrabKey::Digit, 1, kControl | kOption}, Qt::ControlModifier | Qt::AltModifier | Qt::Key_1},
        {{GrabKey::Digit, 0, kCommand | kShift}, Qt::MetaModifier | Qt::ShiftModifier | Qt::Key_0},
        {{GrabKey::KeypadDigit, 9, kControl | kOption},
         Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier | Qt::Key_9},
        {{GrabKey::LeftArrow, 0, kControl | kOption}, Qt::ControlModifier | Qt::AltModifier | Qt::Key_Left},
        {{GrabKey::RightArrow, 0, kCommand}, Qt::MetaModifier | Qt::Key_Right},
        {{GrabKey::UpArrow, 0, kOption | kShift}, Qt::AltModifier | Qt::ShiftModifier | Qt::Key_Up},
        {{GrabKey::DownArrow, 0, kControl | kCommand}, Qt::ControlModifier | Qt::MetaModifier | Qt::Key_Down},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(qtKeyCode(row.chord), row.code.toCombined()) << row.code.toCombined();
        EXPECT_EQ(keyChordOfQtKey(row.code.toCombined()), row.chord) << row.code.toCombined();
    }

    const KeyChord left{GrabKey::LeftArrow, 0, kControl | kOption};
    EXPECT_EQ(keyChordOfQtKey(
                  (Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier | Qt::Key_Left).toCombined()),
              left)
        << "an arrow reported as a keypad key";
    EXPECT_FALSE(keyChordOfQtKey((Qt::ControlModifier | Qt::Key_F1).toCombined()));
    EXPECT_FALSE(keyChordOfQtKey((Qt::ControlModifier | Qt::Key_A).toCombined()));
    EXPECT_FALSE(keyChordOfQtKey((Qt::ControlModifier | Qt::GroupSwitchModifier | Qt::Key_1).toCombined()));
    EXPECT_FALSE(keyChordOfQtKey(0));
}

} // namespace
} // namespace corvane

// The chord table: how chords are written, read back and damaged values survived, and which
// key-downs a recorder takes as a chord.
#include "input/HotkeyChords.h"

#include "platform/sim/SimEvents.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace modifier;

constexpr quint64 kCtrlAlt = kControl | kOption;
const KeyChord kCtrlAltOne{GrabKey::Digit, 1, kCtrlAlt};
const KeyChord kCtrlSuperSeven{GrabKey::Digit, 7, kControl | kCommand};
const KeyChord kAltSuperRight{GrabKey::RightArrow, 0, kOption | kCommand};

TEST(HotkeyChordsTest, ChordsAreWrittenAndReadBackAsText) {
    const HotkeyChords defaults = defaultHotkeyChords();
    EXPECT_EQ(defaults[int(HotkeyAction::Layout1)], kCtrlAltOne);
    EXPECT_EQ(storedHotkeyChords(defaults), (QVariantMap{{"1", "Ctrl+Alt+1"},
                                                         {"2", "Ctrl+Alt+2"},
                                                         {"3", "Ctrl+Alt+3"},
                                                         {"4", "Ctrl+Alt+4"},
                                                         {"previous", "Ctrl+Alt+Left"},
                                                         {"next", "Ctrl+Alt+Right"}}));
    HotkeyChords changed = defaults;
    changed[int(HotkeyAction::Layout4)] = {GrabKey::Digit, 0, kControl | kOption | kShift | kCommand};
    changed[int(HotkeyAction::Previous)] = {GrabKey::UpArrow, 0, kCommand};
    changed[int(HotkeyAction::Next)] = std::nullopt;
    EXPECT_EQ(storedHotkeyChords(changed).value("next"), "none")
        << "no chord, taken away in the desktop's settings";
    EXPECT_EQ(hotkeyChordsFromStored(storedHotkeyChords(changed)), changed);

    EXPECT_EQ(chordFromText("alt+SUPER+right"), kAltSuperRight) << "names in any case";
    EXPECT_EQ(chordFromText("Super+Ctrl+7"), kCtrlSuperSeven) << "modifiers in any order";
    for (const char* bad : {"", "1", "Shift+1", "Ctrl+Ctrl+1", "Ctrl+Alt+", "+1", "Ctrl+Alt+10", "Ctrl+Alt+Q",
                            "Ctrl+Meta+1", "Ctrl+Alt+Left+Right", "Ctrl+Alt+-1"})
        EXPECT_FALSE(chordFromText(bad)) << bad;

    EXPECT_EQ(chordName(kCtrlAltOne), "Ctrl + Alt + 1");
    EXPECT_EQ(chordName(KeyChord{GrabKey::KeypadDigit, 2, kCtrlAlt}), "Ctrl + Alt + keypad 2");
    EXPECT_EQ(chordName(KeyChord{GrabKey::LeftArrow, 0, kControl | kOption | kShift | kCommand}),
              "Ctrl + Alt + Shift + Super + Left");
    EXPECT_EQ(chordName(std::nullopt), "None");
}

TEST(HotkeyChordsTest, ADamagedEntryFallsBackToItsDefaultAndTheOthersAreKept) {
    const HotkeyChords defaults = defaultHotkeyChords();
    const HotkeyChords read = hotkeyChordsFromStored(QVariantMap{
        {"1", "Ctrl+Super+7"},
        {"2", 42},                    // not text
        {"3", "Ctrl+Alt+Q"},          // a key no chord has
        {"4", "Shift+4"},             // would be typing
        {"previous", "Ctrl+Super+7"}, // hotkey 1's already
        {"next", "Alt+Super+Right"},
        {"unknown", "Ctrl+Alt+9"},
    });
    const HotkeyChords expected = {
        kCtrlSuperSeven, defaults[1], defaults[2], defaults[3], defaults[int(HotkeyAction::Previous)],
        kAltSuperRight};
    EXPECT_EQ(read, expected);
    EXPECT_EQ(hotkeyChordsFromStored(QVariantMap{{"1", "Ctrl+Super+7"}})[0], kCtrlSuperSeven)
        << "missing entries are their defaults";
    for (const QVariant& shape : {QVariant(), QVariant("Ctrl+Alt+1"), QVariant(QVariantList{"Ctrl+Super+1"})})
        EXPECT_EQ(hotkeyChordsFromStored(shape), defaults);
}

TEST(HotkeyChordsTest, ARecorderTakesOnlyChordsThatDoNotType) {
    EXPECT_EQ(chordOfEvent(SimEvents::keyDown("", keycode::kUpArrow, kCommand)),
              KeyChord({GrabKey::UpArrow, 0, kCommand}));
    EXPECT_EQ(chordOfEvent(SimEvents::keyDown("", keycode::kDownArrow, kControl)),
              KeyChord({GrabKey::DownArrow, 0, kControl}));
    EXPECT_EQ(chordOfEvent(SimEvents::keyDown("1", 83, kCtrlAlt | kNumericPad)), kCtrlAltOne);
    EXPECT_FALSE(chordOfEvent(SimEvents::keyDown("1", 18, 0)));
    EXPECT_FALSE(chordOfEvent(SimEvents::keyDown("1", 18, kShift)));
    EXPECT_FALSE(chordOfEvent(SimEvents::keyDown("1", 18, kCtrlAlt | kHelp))) << "a modifier no chord has";
    EXPECT_FALSE(chordOfEvent(SimEvents::keyDown("a", 0, kCtrlAlt)));
}

TEST(HotkeyChordsTest, TheGrabsAndTheAlternativesFollowEachAction) {
    EXPECT_EQ(grabbedChords(defaultHotkeyChords()).size(), 10)
        << "four digits, their keypad twins, two arrows";
    EXPECT_EQ(grabbedChords(kAltSuperRight), QList<KeyChord>{kAltSuperRight});
    EXPECT_EQ(grabbedChords(kCtrlAltOne),
              (QList<KeyChord>{kCtrlAltOne, {GrabKey::KeypadDigit, 1, kCtrlAlt}}));
    const QList<KeyChord> previous = alternativeChords(HotkeyAction::Previous);
    ASSERT_FALSE(previous.isEmpty());
    EXPECT_EQ(previous.first(), KeyChord({GrabKey::LeftArrow, 0, kControl | kOption | kCommand}));
    for (const KeyChord& chord : previous + alternativeChords(HotkeyAction::Layout3)) {
        EXPECT_NE(chord.modifierFlags, kCtrlAlt);
        EXPECT_TRUE(chordFromText(chordText(chord))) << "each is a chord the table can hold";
    }
    EXPECT_EQ(alternativeChords(HotkeyAction::Layout3).first().digit, 3);
}

} // namespace
} // namespace corvane

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
                                                         {"next", "Ctrl+Alt+Right"},
                                                         {"zone-left", "Ctrl+Alt+Shift+Left"},
                                                         {"zone-right", "Ctrl+Alt+Shift+Right"},
                                                         {"zone-up", "Ctrl+Alt+Shift+Up"},
                                                         {"zone-down", "Ctrl+Alt+Shift+Down"},
                                                         {"quick-snap", "Ctrl+Alt+0"},
                                                         {"swap-left", "Ctrl+Alt+Super+Left"},
                                                         {"swap-right", "Ctrl+Alt+Super+Right"},
                                                         {"swap-up", "Ctrl+Alt+Super+Up"},
                                                         {"swap-down", "Ctrl+Alt+Super+Down"}}));
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
    HotkeyChords expected = defaults;
    expected[0] = kCtrlSuperSeven;
    expected[int(HotkeyAction::Next)] = kAltSuperRight;
    EXPECT_EQ(read, expected);
    EXPECT_EQ(hotkeyChordsFromStored(QVariantMap{{"1", "Ctrl+Super+7"}})[0], kCtrlSuperSeven)
        << "missing entries are their defaults";
    // The table an earlier Corvane stored, without the entries added since.
    const auto storedWithout = [&defaults](std::initializer_list<const char*> added) {
        QVariantMap stored = storedHotkeyChords(defaults);
        for (const char* name : added)
            stored.remove(name);
        return stored;
    };
    // A table stored before the zones' arrows existed: its six as they were, the four added at their
    // defaults, but none where one of the six has its chord.
    QVariantMap six = storedWithout({"zone-left", "zone-right", "zone-up", "zone-down"});
    six["next"] = "Ctrl+Alt+Shift+Up";
    const HotkeyChords grown = hotkeyChordsFromStored(six);
    EXPECT_EQ(grown[int(HotkeyAction::Next)], KeyChord({GrabKey::UpArrow, 0, kCtrlAlt | kShift}));
    EXPECT_FALSE(grown[int(HotkeyAction::ZoneUp)]) << "the user's chord for next stays the only one";
    for (const HotkeyAction added : {HotkeyAction::ZoneLeft, HotkeyAction::ZoneRight, HotkeyAction::ZoneDown})
        EXPECT_EQ(grown[int(added)], defaults[int(added)]);
    // A table stored before the palette's chord existed gains it, unless a hotkey of the user's has it.
    QVariantMap ten = storedWithout({"quick-snap"});
    EXPECT_EQ(hotkeyChordsFromStored(ten)[int(HotkeyAction::QuickSnap)],
              KeyChord({GrabKey::Digit, 0, kCtrlAlt}));
    ten["4"] = "Ctrl+Alt+0";
    const HotkeyChords taken = hotkeyChordsFromStored(ten);
    EXPECT_EQ(taken[int(HotkeyAction::Layout4)], KeyChord({GrabKey::Digit, 0, kCtrlAlt}));
    EXPECT_FALSE(taken[int(HotkeyAction::QuickSnap)]);
    // Before the swaps existed, the offer for a held previous-zone chord was Control+Alt+Super+Left:
    // taken, it stays the user's, and the swap to the left has none.
    QVariantMap eleven = storedWithout({"swap-left", "swap-right", "swap-up", "swap-down"});
    eleven["previous"] = "Ctrl+Alt+Super+Left";
    const HotkeyChords offered = hotkeyChordsFromStored(eleven);
    EXPECT_EQ(offered[int(HotkeyAction::Previous)], KeyChord({GrabKey::LeftArrow, 0, kCtrlAlt | kCommand}));
    EXPECT_FALSE(offered[int(HotkeyAction::SwapLeft)]);
    for (const HotkeyAction added : {HotkeyAction::SwapRight, HotkeyAction::SwapUp, HotkeyAction::SwapDown})
        EXPECT_EQ(offered[int(added)], defaults[int(added)]);
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
    EXPECT_EQ(grabbedChords(defaultHotkeyChords()).size(), 20)
        << "five digits, their keypad twins, ten arrows";
    EXPECT_FALSE(isZoneMove(HotkeyAction::QuickSnap));
    EXPECT_FALSE(isZoneSwap(HotkeyAction::QuickSnap));
    EXPECT_FALSE(isZoneSwap(HotkeyAction::ZoneDown));
    EXPECT_TRUE(isZoneSwap(HotkeyAction::SwapDown));
    EXPECT_EQ(hotkeyShortcutName(HotkeyAction::QuickSnap).key, "quick-snap");
    EXPECT_EQ(hotkeyShortcutName(HotkeyAction::SwapUp).key, "swap-up");
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
    // The zones' arrows have alternatives of their own, never those of the previous and next zone.
    const QList<KeyChord> zoneLeft = alternativeChords(HotkeyAction::ZoneLeft);
    ASSERT_FALSE(zoneLeft.isEmpty());
    EXPECT_EQ(zoneLeft.first(), KeyChord({GrabKey::LeftArrow, 0, kControl | kOption | kShift | kCommand}));
    for (const KeyChord& chord : zoneLeft) {
        EXPECT_FALSE(previous.contains(chord)) << qPrintable(chordText(chord));
        EXPECT_TRUE(chordFromText(chordText(chord)));
    }
    // The swaps' defaults are what the others offer first: theirs are the rest of that list.
    const QList<KeyChord> swapLeft = alternativeChords(HotkeyAction::SwapLeft);
    EXPECT_EQ(swapLeft, previous.mid(1));
    EXPECT_FALSE(swapLeft.contains(*defaultHotkeyChords()[int(HotkeyAction::SwapLeft)]));
}

} // namespace
} // namespace corvane

// Which of Corvane's keys the window manager holds, on the simulated desktop: a check keeps nothing
// from other applications, the clash is named with where the bindings live and logged once, the
// option grabs what nobody else holds, and a window manager that starts later is checked again.
#include "input/HotkeyGrabs.h"

#include "platform/sim/SimDesktop.h"
#include "support/LogCapture.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr quint64 kCtrlAlt = modifier::kControl | modifier::kOption;
constexpr quint64 kCtrlAltSuper = kCtrlAlt | modifier::kCommand;
const KeyChord kLeft{GrabKey::LeftArrow, 0, kCtrlAlt};
const KeyChord kRight{GrabKey::RightArrow, 0, kCtrlAlt};
const KeyChord kOne{GrabKey::Digit, 1, kCtrlAlt};
const KeyChord kKeypadTwo{GrabKey::KeypadDigit, 2, kCtrlAlt};

class HotkeyGrabsTest : public ::testing::Test {
protected:
    SimDesktop desk;
    Platform platform = desk.platform();
    SimKeyGrabs& grabs = desk.keyGrabs();
    LogCapture log;

    int clashLines() const { return log.count(QStringLiteral("for itself")); }
    static QList<KeyChord> allBut(const QList<KeyChord>& held) {
        QList<KeyChord> rest = grabbedChords(defaultHotkeyChords());
        rest.removeIf([&held](const KeyChord& chord) { return held.contains(chord); });
        return rest;
    }
};

TEST_F(HotkeyGrabsTest, ACheckFindsTheWindowManagersKeysAndConsumesNothing) {
    grabs.startWindowManager(QStringLiteral("Openbox"),
                             {kRight, kLeft, {GrabKey::LeftArrow, 0, modifier::kControl}});
    HotkeyGrabs hotkeys(platform, defaultHotkeyChords());

    EXPECT_EQ(hotkeys.heldKeys(), (QList<KeyChord>{kLeft, kRight})) << "ours only, in our order";
    EXPECT_TRUE(grabs.ourGrabs().isEmpty()) << "every grab the check got was released at once";
    EXPECT_FALSE(hotkeys.consumesKeys());
    EXPECT_EQ(hotkeys.clashDescription(),
              "Openbox binds Ctrl + Alt + Left and Ctrl + Alt + Right for itself and acts on them first, so "
              "Corvane's steps do nothing there. Its key bindings are in the <keyboard> section of the "
              "rc.xml it was started with (lxde-rc.xml or lxqt-rc.xml in LXDE and LXQt).");
    ASSERT_EQ(clashLines(), 1);
    EXPECT_TRUE(log.lines().filter("for itself").first().startsWith("app.corvane.general: Openbox binds"));

    // Told once per session: checking again, or the same window manager restarting, says nothing new.
    hotkeys.check();
    grabs.startWindowManager(QStringLiteral("Openbox"), {kLeft, kRight});
    desk.runLoop().advance(HotkeyGrabs::windowManagerSettleSeconds);
    EXPECT_EQ(clashLines(), 1);
    EXPECT_EQ(hotkeys.heldKeys(), (QList<KeyChord>{kLeft, kRight}));
}

TEST_F(HotkeyGrabsTest, TheNoticeSaysWhereEachKnownWindowManagerKeepsItsBindings) {
    struct Row {
        std::optional<QString> name;
        QString says;
        QString where;
    };
    const QList<Row> rows{
        {"IceWM 3.3.1 (Linux/x86_64)", "IceWM binds", "~/.icewm/preferences"},
        {"Xfwm4", "Xfwm4 binds", "Settings › Window Manager › Keyboard"},
        {"Metacity", "Metacity binds", "org.gnome.desktop.wm.keybindings"},
        {"Marco", "Marco binds", "org.mate.Marco.global-keybindings"},
        {"GNOME Shell", "GNOME Shell binds", "Keyboard Shortcuts"},
        {"Mutter (Muffin)", "Mutter binds", "Keyboard Shortcuts"},
        {"KWin", "KWin binds", "kglobalshortcutsrc"},
        {"Fluxbox", "Fluxbox binds", "~/.fluxbox/keys"},
        {"Frobwm", "Frobwm binds", "Its keyboard settings can free them"},
        {std::nullopt, "Your window manager binds", "Its keyboard settings can free them"},
    };
    for (const Row& row : rows) {
        grabs.startWindowManager(row.name, {kOne, kKeypadTwo});
        HotkeyGrabs hotkeys(platform, defaultHotkeyChords());
        const QString text = hotkeys.clashDescription();
        EXPECT_TRUE(text.startsWith(row.says + " Ctrl + Alt + 1 and Ctrl + Alt + keypad 2"))
            << qPrintable(text);
        EXPECT_TRUE(text.contains(row.where)) << qPrintable(text);
    }
    grabs.startWindowManager(QStringLiteral("Fluxbox"), {kRight});
    HotkeyGrabs one(platform, defaultHotkeyChords());
    EXPECT_TRUE(one.clashDescription().startsWith("Fluxbox binds Ctrl + Alt + Right for itself and acts on "
                                                  "it first, so Corvane's step does nothing there."))
        << qPrintable(one.clashDescription());

    // Where the platform knows the file the window manager reads, the notice names it.
    grabs.startWindowManager(QStringLiteral("Openbox"), {kLeft}, QStringLiteral("/etc/xdg/openbox/rc.xml"));
    HotkeyGrabs openbox(platform, defaultHotkeyChords());
    EXPECT_TRUE(openbox.clashDescription().endsWith(
        "Its key bindings are in the <keyboard> section of /etc/xdg/openbox/rc.xml."))
        << qPrintable(openbox.clashDescription());
}

TEST_F(HotkeyGrabsTest, TheOptionGrabsEveryKeyNobodyElseHoldsAndIsStored) {
    grabs.startWindowManager(QStringLiteral("Openbox"), {kLeft, kRight});
    HotkeyGrabs hotkeys(platform, defaultHotkeyChords());
    QSignalSpy option(&hotkeys, &HotkeyGrabs::consumesKeysChanged);

    hotkeys.setConsumesKeys(true);
    EXPECT_EQ(desk.defaults().boolean(kHotkeysConsumeKeysKey), true);
    EXPECT_EQ(grabs.ourGrabs(), allBut({kLeft, kRight}));
    EXPECT_EQ(hotkeys.heldKeys(), (QList<KeyChord>{kLeft, kRight}))
        << "the window manager's keys stay in the notice";
    hotkeys.setConsumesKeys(true);
    EXPECT_EQ(option.count(), 1) << "only a change is announced";

    hotkeys.setConsumesKeys(false);
    EXPECT_EQ(desk.defaults().boolean(kHotkeysConsumeKeysKey), false);
    EXPECT_TRUE(grabs.ourGrabs().isEmpty()) << "observed again, never consumed";
    EXPECT_EQ(hotkeys.heldKeys(), (QList<KeyChord>{kLeft, kRight}));
    EXPECT_EQ(option.count(), 2);
}

TEST_F(HotkeyGrabsTest, AStoredOptionGrabsFromTheStart) {
    desk.defaults().setBool(kHotkeysConsumeKeysKey, true);
    HotkeyGrabs hotkeys(platform, defaultHotkeyChords());
    EXPECT_TRUE(hotkeys.consumesKeys());
    EXPECT_EQ(grabs.ourGrabs(), grabbedChords(defaultHotkeyChords()));

    desk.defaults().setObject(kHotkeysConsumeKeysKey, QStringLiteral("yes")); // not a boolean
    HotkeyGrabs other(platform, defaultHotkeyChords());
    EXPECT_FALSE(other.consumesKeys());
}

TEST_F(HotkeyGrabsTest, AWindowManagerStartingLaterIsCheckedOnceItHasSettled) {
    HotkeyGrabs hotkeys(platform, defaultHotkeyChords());
    EXPECT_TRUE(hotkeys.heldKeys().isEmpty());
    EXPECT_TRUE(hotkeys.clashDescription().isEmpty());
    EXPECT_EQ(clashLines(), 0) << "no clash, no log line";
    QSignalSpy changed(&hotkeys, &HotkeyGrabs::heldKeysChanged);

    grabs.startWindowManager(QStringLiteral("Xfwm4"), {kLeft, kRight, kKeypadTwo});
    desk.runLoop().advance(HotkeyGrabs::windowManagerSettleSeconds - 0.01);
    EXPECT_TRUE(hotkeys.heldKeys().isEmpty()) << "it grabs its keys only after announcing itself";
    desk.runLoop().advance(0.01);
    EXPECT_EQ(hotkeys.heldKeys(), (QList<KeyChord>{kKeypadTwo, kLeft, kRight}));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(clashLines(), 1);

    // With the option on, Corvane takes whatever the window manager leaves: gone for a while, it
    // finds its keys taken when it comes back, and the notice empties.
    hotkeys.setConsumesKeys(true);
    EXPECT_EQ(grabs.ourGrabs(), allBut({kKeypadTwo, kLeft, kRight}));
    grabs.stopWindowManager();
    desk.runLoop().advance(HotkeyGrabs::windowManagerSettleSeconds);
    EXPECT_EQ(grabs.ourGrabs().size(), grabbedChords(defaultHotkeyChords()).size());
    grabs.startWindowManager(QStringLiteral("Xfwm4"), {kLeft, kRight, kKeypadTwo});
    EXPECT_TRUE(grabs.heldByWindowManager().isEmpty());
    desk.runLoop().advance(HotkeyGrabs::windowManagerSettleSeconds);
    EXPECT_TRUE(hotkeys.heldKeys().isEmpty());

    // Announcements close together give one check, a settle time after the last of them.
    hotkeys.setConsumesKeys(false);
    grabs.stopWindowManager();
    desk.runLoop().advance(0.5);
    grabs.startWindowManager(QStringLiteral("Fluxbox"), {kOne});
    desk.runLoop().advance(HotkeyGrabs::windowManagerSettleSeconds - 0.01);
    EXPECT_TRUE(hotkeys.heldKeys().isEmpty());
    desk.runLoop().advance(0.01);
    EXPECT_EQ(hotkeys.heldKeys(), QList<KeyChord>{kOne});
    EXPECT_TRUE(grabs.ourGrabs().isEmpty());
}

TEST_F(HotkeyGrabsTest, TheOfferIsTheFirstFreeAlternativeOfEachHeldChord) {
    const KeyChord ctrlSuperLeft{GrabKey::LeftArrow, 0, modifier::kControl | modifier::kCommand};
    const KeyChord ctrlSuperRight{GrabKey::RightArrow, 0, modifier::kControl | modifier::kCommand};
    const KeyChord altSuperRight{GrabKey::RightArrow, 0, modifier::kOption | modifier::kCommand};
    // The first alternative of each, Control+Alt+Super, is a swap's chord already; it holds the second
    // for Right too, so Right gets the third.
    grabs.startWindowManager(QStringLiteral("Openbox"), {kLeft, kRight, ctrlSuperRight});
    HotkeyGrabs hotkeys(platform, defaultHotkeyChords());
    ASSERT_TRUE(hotkeys.offer());
    HotkeyChords expected = defaultHotkeyChords();
    expected[int(HotkeyAction::Previous)] = ctrlSuperLeft;
    expected[int(HotkeyAction::Next)] = altSuperRight;
    EXPECT_EQ(*hotkeys.offer(), expected);
    EXPECT_TRUE(grabs.ourGrabs().isEmpty()) << "trying the alternatives took none of them";

    // Taken, the offer is gone: nothing is held.
    hotkeys.setChords(*hotkeys.offer());
    EXPECT_TRUE(hotkeys.heldKeys().isEmpty());
    EXPECT_FALSE(hotkeys.offer());
    EXPECT_TRUE(hotkeys.clashDescription().isEmpty());

    // Nothing free to offer: the notice stays, without an offer.
    QList<KeyChord> everything{kOne};
    everything.append(alternativeChords(HotkeyAction::Layout1));
    grabs.startWindowManager(QStringLiteral("Openbox"), everything);
    HotkeyGrabs none(platform, defaultHotkeyChords());
    EXPECT_EQ(none.heldKeys(), QList<KeyChord>{kOne});
    EXPECT_FALSE(none.offer());
}

TEST_F(HotkeyGrabsTest, AChordIsTakenWhenAnotherActionOrAnotherProgramHasIt) {
    const KeyChord superLeft{GrabKey::LeftArrow, 0, kCtrlAltSuper};
    const KeyChord ctrlSuperLeft{GrabKey::LeftArrow, 0, modifier::kControl | modifier::kCommand};
    const KeyChord superNine{GrabKey::Digit, 9, kCtrlAltSuper};
    grabs.startWindowManager(QStringLiteral("Openbox"), {kLeft, {GrabKey::KeypadDigit, 9, kCtrlAltSuper}});
    HotkeyGrabs hotkeys(platform, defaultHotkeyChords());

    EXPECT_EQ(hotkeys.whyTaken(kLeft, HotkeyAction::Next),
              "Corvane already uses Ctrl + Alt + Left for the previous zone or screen.");
    EXPECT_EQ(hotkeys.whyTaken(kOne, HotkeyAction::Layout2),
              "Corvane already uses Ctrl + Alt + 1 for layout hotkey 1.");
    EXPECT_EQ(hotkeys.whyTaken(kLeft, HotkeyAction::Previous),
              "Ctrl + Alt + Left is taken: Openbox acts on it first, and Corvane would do nothing there.");
    EXPECT_TRUE(hotkeys.whyTaken(superNine, HotkeyAction::Layout1)) << "its keypad twin is taken";
    EXPECT_EQ(hotkeys.whyTaken(superLeft, HotkeyAction::Previous),
              "Corvane already uses Ctrl + Alt + Super + Left for swapping with the zone on the left.");
    EXPECT_EQ(hotkeys.whyTaken(ctrlSuperLeft, HotkeyAction::Previous), std::nullopt);
    EXPECT_EQ(hotkeys.whyTaken(kOne, HotkeyAction::Layout1), std::nullopt) << "its own chord";
    EXPECT_TRUE(grabs.ourGrabs().isEmpty()) << "asking took nothing";

    // With the option on, asking keeps the table's grabs.
    hotkeys.setConsumesKeys(true);
    const QList<KeyChord> ours = grabs.ourGrabs();
    EXPECT_EQ(hotkeys.whyTaken(kOne, HotkeyAction::Layout1), std::nullopt);
    EXPECT_EQ(hotkeys.whyTaken(ctrlSuperLeft, HotkeyAction::Previous), std::nullopt);
    EXPECT_EQ(grabs.ourGrabs(), ours);
}

TEST_F(HotkeyGrabsTest, NewChordsMoveTheGrabsAndAreCheckedAgain) {
    desk.defaults().setBool(kHotkeysConsumeKeysKey, true);
    grabs.startWindowManager(QStringLiteral("Openbox"), {kLeft});
    HotkeyGrabs hotkeys(platform, defaultHotkeyChords());
    QSignalSpy changed(&hotkeys, &HotkeyGrabs::heldKeysChanged);
    HotkeyChords chords = defaultHotkeyChords();
    const KeyChord superSeven{GrabKey::Digit, 7, kCtrlAltSuper};
    chords[0] = superSeven;
    chords[int(HotkeyAction::Previous)] = {GrabKey::UpArrow, 0, kCtrlAlt};
    hotkeys.setChords(chords);
    EXPECT_FALSE(grabs.ourGrabs().contains(kOne)) << "the old chord is let go";
    EXPECT_FALSE(grabs.ourGrabs().contains(KeyChord{GrabKey::KeypadDigit, 1, kCtrlAlt}));
    EXPECT_TRUE(grabs.ourGrabs().contains(superSeven));
    EXPECT_TRUE(grabs.ourGrabs().contains(KeyChord{GrabKey::KeypadDigit, 7, kCtrlAltSuper}));
    EXPECT_TRUE(hotkeys.heldKeys().isEmpty()) << "the window manager's Left is no longer ours to want";
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(grabs.heldByWindowManager(), QList<KeyChord>{kLeft});
}

TEST_F(HotkeyGrabsTest, ARecordingGrabsTheKeyboardUntilAChordEscapeOrTheTimeout) {
    HotkeyGrabs hotkeys(platform, defaultHotkeyChords());
    QList<std::optional<KeyChord>> recorded;
    const auto record = [&recorded](std::optional<KeyChord> chord) { recorded.append(chord); };

    ASSERT_TRUE(hotkeys.startRecording(record));
    EXPECT_TRUE(grabs.isKeyboardGrabbed());
    desk.events().sendLocal(SimEvents::keyDown("", 0, kCtrlAlt)); // Control and Alt going down
    desk.events().sendGlobal(SimEvents::keyDown("a", 0, kCtrlAlt));
    EXPECT_TRUE(recorded.isEmpty()) << "keys no chord has are passed over";
    desk.events().sendGlobal(
        SimEvents::keyDown("", keycode::kLeftArrow, kCtrlAltSuper | modifier::kNumericPad));
    ASSERT_EQ(recorded.size(), 1);
    EXPECT_EQ(recorded[0], (KeyChord{GrabKey::LeftArrow, 0, kCtrlAltSuper}));
    EXPECT_FALSE(grabs.isKeyboardGrabbed());
    EXPECT_FALSE(hotkeys.isRecording());
    desk.events().sendGlobal(SimEvents::keyDown("2", 0, kCtrlAlt));
    EXPECT_EQ(recorded.size(), 1) << "one chord per recording";

    ASSERT_TRUE(hotkeys.startRecording(record));
    desk.events().sendLocal(SimEvents::keyDown("", keycode::kEscape, 0));
    EXPECT_EQ(recorded.size(), 2);
    EXPECT_EQ(recorded[1], std::nullopt);
    EXPECT_FALSE(grabs.isKeyboardGrabbed());

    ASSERT_TRUE(hotkeys.startRecording(record));
    desk.runLoop().advance(HotkeyGrabs::recordingTimeoutSeconds);
    EXPECT_EQ(recorded.size(), 3);
    EXPECT_FALSE(grabs.isKeyboardGrabbed()) << "the keyboard is never kept";

    grabs.setKeyboardHeldByOther(true);
    EXPECT_FALSE(hotkeys.startRecording(record));
    EXPECT_FALSE(hotkeys.isRecording());
    EXPECT_EQ(recorded.size(), 3);
}

} // namespace
} // namespace corvane

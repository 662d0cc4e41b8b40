// Which of Corvane's keys the window manager holds, on the simulated desktop: a check keeps nothing
// from other applications, the clash is named with where the bindings live and logged once, the
// option grabs what nobody else holds, and a window manager that starts later is checked again.
#include "input/HotkeyGrabs.h"

#include "input/HotkeyRules.h"
#include "platform/sim/SimDesktop.h"
#include "support/LogCapture.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace corvane {
namespace {

const KeyChord kLeft{GrabKey::LeftArrow, 0, kHotkeyModifiers};
const KeyChord kRight{GrabKey::RightArrow, 0, kHotkeyModifiers};
const KeyChord kOne{GrabKey::Digit, 1, kHotkeyModifiers};
const KeyChord kKeypadTwo{GrabKey::KeypadDigit, 2, kHotkeyModifiers};

class HotkeyGrabsTest : public ::testing::Test {
protected:
    SimDesktop desk;
    Platform platform = desk.platform();
    SimKeyGrabs& grabs = desk.keyGrabs();
    LogCapture log;

    int clashLines() const { return log.count(QStringLiteral("also uses")); }
    static QList<KeyChord> allBut(const QList<KeyChord>& held) {
        QList<KeyChord> rest = HotkeyGrabs::hotkeyChords();
        rest.removeIf([&held](const KeyChord& chord) { return held.contains(chord); });
        return rest;
    }
};

TEST_F(HotkeyGrabsTest, TheKeysAreTheHotkeysTheDispatcherActsOn) {
    const QList<KeyChord> chords = HotkeyGrabs::hotkeyChords();
    ASSERT_EQ(chords.size(), 10) << "1 to 4 on the main row and the keypad, Left and Right";
    for (const KeyChord& chord : chords)
        EXPECT_TRUE(passesHotkeyModifierRule(chord.modifierFlags))
            << qPrintable(HotkeyGrabs::chordName(chord));
    EXPECT_EQ(HotkeyGrabs::chordName(kOne), "Ctrl + Alt + 1");
    EXPECT_EQ(HotkeyGrabs::chordName(kKeypadTwo), "Ctrl + Alt + keypad 2");
    EXPECT_EQ(HotkeyGrabs::chordName(kLeft), "Ctrl + Alt + Left");
}

TEST_F(HotkeyGrabsTest, ACheckFindsTheWindowManagersKeysAndConsumesNothing) {
    grabs.startWindowManager(QStringLiteral("Openbox"),
                             {kRight, kLeft, {GrabKey::LeftArrow, 0, modifier::kControl}});
    HotkeyGrabs hotkeys(platform);

    EXPECT_EQ(hotkeys.heldKeys(), (QList<KeyChord>{kLeft, kRight})) << "ours only, in our order";
    EXPECT_TRUE(grabs.ourGrabs().isEmpty()) << "every grab the check got was released at once";
    EXPECT_FALSE(hotkeys.consumesKeys());
    EXPECT_EQ(
        hotkeys.clashDescription(),
        "Openbox also uses Ctrl + Alt + Left and Ctrl + Alt + Right, so pressing them acts there as well "
        "as in Corvane. Its key bindings are in the <keyboard> section of ~/.config/openbox/rc.xml "
        "(lxde-rc.xml or lxqt-rc.xml in LXDE and LXQt).");
    ASSERT_EQ(clashLines(), 1);
    EXPECT_TRUE(log.lines().filter("also uses").first().startsWith("app.corvane.general: Openbox also uses"));

    // Told once per session: checking again, or the same window manager restarting, says nothing new.
    hotkeys.check();
    grabs.startWindowManager(QStringLiteral("Openbox"), {kLeft, kRight});
    desk.runLoop().advance(HotkeyGrabs::windowManagerSettleSeconds);
    EXPECT_EQ(clashLines(), 1);
    EXPECT_EQ(hotkeys.heldKeys(), (QList<KeyChord>{kLeft, kRight}));
}

TEST_F(HotkeyGrabsTest, WithoutAClashThereIsNoNoticeAndNoLogLine) {
    grabs.startWindowManager(QStringLiteral("Openbox"), {});
    HotkeyGrabs hotkeys(platform);
    EXPECT_TRUE(hotkeys.heldKeys().isEmpty());
    EXPECT_TRUE(hotkeys.clashDescription().isEmpty());
    EXPECT_EQ(clashLines(), 0);
    EXPECT_TRUE(grabs.ourGrabs().isEmpty());
}

TEST_F(HotkeyGrabsTest, TheNoticeSaysWhereEachKnownWindowManagerKeepsItsBindings) {
    struct Row {
        std::optional<QString> name;
        QString says;
        QString where;
    };
    const QList<Row> rows{
        {"IceWM 3.3.1 (Linux/x86_64)", "IceWM also uses", "~/.icewm/preferences"},
        {"Xfwm4", "Xfwm4 also uses", "Settings › Window Manager › Keyboard"},
        {"Metacity", "Metacity also uses", "org.gnome.desktop.wm.keybindings"},
        {"Marco", "Marco also uses", "org.mate.Marco.global-keybindings"},
        {"GNOME Shell", "GNOME Shell also uses", "Keyboard Shortcuts"},
        {"Mutter (Muffin)", "Mutter also uses", "Keyboard Shortcuts"},
        {"KWin", "KWin also uses", "kglobalshortcutsrc"},
        {"Fluxbox", "Fluxbox also uses", "~/.fluxbox/keys"},
        {"Frobwm", "Frobwm also uses", "Its keyboard settings can free them"},
        {std::nullopt, "Your window manager also uses", "Its keyboard settings can free them"},
    };
    for (const Row& row : rows) {
        grabs.startWindowManager(row.name, {kOne, kKeypadTwo});
        HotkeyGrabs hotkeys(platform);
        const QString text = hotkeys.clashDescription();
        EXPECT_TRUE(text.startsWith(row.says + " Ctrl + Alt + 1 and Ctrl + Alt + keypad 2"))
            << qPrintable(text);
        EXPECT_TRUE(text.contains(row.where)) << qPrintable(text);
    }
    grabs.startWindowManager(QStringLiteral("Fluxbox"), {kRight});
    HotkeyGrabs one(platform);
    EXPECT_TRUE(
        one.clashDescription().startsWith("Fluxbox also uses Ctrl + Alt + Right, so pressing it acts"))
        << qPrintable(one.clashDescription());
}

TEST_F(HotkeyGrabsTest, TheOptionGrabsEveryKeyNobodyElseHoldsAndIsStored) {
    grabs.startWindowManager(QStringLiteral("Openbox"), {kLeft, kRight});
    HotkeyGrabs hotkeys(platform);
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
    HotkeyGrabs hotkeys(platform);
    EXPECT_TRUE(hotkeys.consumesKeys());
    EXPECT_EQ(grabs.ourGrabs(), HotkeyGrabs::hotkeyChords());

    desk.defaults().setObject(kHotkeysConsumeKeysKey, QStringLiteral("yes")); // not a boolean
    HotkeyGrabs other(platform);
    EXPECT_FALSE(other.consumesKeys());
}

TEST_F(HotkeyGrabsTest, AWindowManagerStartingLaterIsCheckedOnceItHasSettled) {
    HotkeyGrabs hotkeys(platform);
    EXPECT_TRUE(hotkeys.heldKeys().isEmpty());
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
    EXPECT_EQ(grabs.ourGrabs().size(), HotkeyGrabs::hotkeyChords().size());
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

} // namespace
} // namespace corvane

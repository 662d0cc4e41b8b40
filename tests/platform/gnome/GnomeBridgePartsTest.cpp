// The GNOME backend's own logic, without a Shell: chords as GNOME writes them, the keybindings the
// extension is told to hold, the preview it is told to draw, and what the Shell's record of the
// extension means for the user.
#include "platform/Events.h"
#include "platform/gnome/GnomeAccelerator.h"
#include "platform/gnome/GnomeExtensionState.h"
#include "platform/gnome/GnomeShortcuts.h"
#include "platform/gnome/GnomeSnapPreview.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(GnomeAcceleratorTest, ChordsRoundTripAndGnomesOwnSpellingsRead) {
    const KeyChord layout1{GrabKey::Digit, 1, modifier::kControl | modifier::kOption};
    const KeyChord keypad7{GrabKey::KeypadDigit, 7, modifier::kCommand};
    const KeyChord left{GrabKey::LeftArrow, 0, modifier::kControl | modifier::kOption | modifier::kShift};
    EXPECT_EQ(gnomeAccelerator(layout1), "<Control><Alt>1");
    EXPECT_EQ(gnomeAccelerator(keypad7), "<Super>KP_7");
    EXPECT_EQ(gnomeAccelerator(left), "<Control><Alt><Shift>Left");
    for (const KeyChord& chord : {layout1, keypad7, left})
        EXPECT_EQ(keyChordOfGnomeAccelerator(gnomeAccelerator(chord)), chord);

    EXPECT_EQ(keyChordOfGnomeAccelerator("<Primary><alt>1"), layout1) << "GTK's aliases, in any case";
    EXPECT_EQ(keyChordOfGnomeAccelerator("<Mod4>KP_7"), keypad7);
    EXPECT_EQ(keyChordOfGnomeAccelerator("<Ctrl><Mod1><Shift>Left"), left);
    for (const char* other : {"<Super>a", "<Control><Alt>F1", "<Hyper>1", "<Control", "", "<Alt>12", "KP_"})
        EXPECT_FALSE(keyChordOfGnomeAccelerator(QString::fromLatin1(other))) << other;
}

TEST(GnomeExtensionStateTest, TheShellsRecordTellsTheOneThingToDo) {
    using State = DesktopAgent::State;
    const auto info = [](int state) { return QVariantMap{{"state", double(state)}}; };
    EXPECT_EQ(GnomeExtensionState::stateOf({}, false, true), State::NotInstalled);
    EXPECT_EQ(GnomeExtensionState::stateOf({}, true, true), State::NeedsNewLogin)
        << "installed, but the Shell looked before it was";
    EXPECT_EQ(GnomeExtensionState::stateOf(info(1), true, true), State::Running);
    EXPECT_EQ(GnomeExtensionState::stateOf(info(2), true, true), State::TurnedOff);
    EXPECT_EQ(GnomeExtensionState::stateOf(info(6), true, true), State::TurnedOff)
        << "known, never turned on";
    EXPECT_EQ(GnomeExtensionState::stateOf(info(3), true, true), State::Failed);
    EXPECT_EQ(GnomeExtensionState::stateOf(info(4), true, true), State::Untested);
    EXPECT_EQ(GnomeExtensionState::stateOf(info(99), false, true), State::NotInstalled) << "removed since";
}

class GnomeShortcutsTest : public ::testing::Test {
protected:
    QJsonObject lastBindings() const { return sent.last()["bindings"].toObject(); }

    AgentDesktop desktop;
    QList<QJsonObject> sent;
    GnomeShortcuts shortcuts{[this](const QJsonObject& c) { sent.append(c); }, desktop};
};

TEST_F(GnomeShortcutsTest, TheExtensionHoldsExactlyTheNamedChordsAndTheirPressesFire) {
    QList<int> fired;
    QObject::connect(&shortcuts, &Shortcuts::triggered, [&](int id) { fired.append(id); });
    shortcuts.nameShortcut(0, {"layout-1", "Layout hotkey 1"});
    shortcuts.nameShortcut(5, {"throw-next", "Throw Window: next zone or screen"});
    shortcuts.setShortcut(0, {GrabKey::Digit, 1, modifier::kControl | modifier::kOption});
    shortcuts.setShortcut(5, {GrabKey::RightArrow, 0, modifier::kControl | modifier::kOption});
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent.last()["c"], "keys");
    EXPECT_EQ(lastBindings(), (QJsonObject{{"layout-1", QJsonArray{"<Control><Alt>1", "<Control><Alt>KP_1"}},
                                           {"throw-next", QJsonArray{"<Control><Alt>Right"}}}))
        << "a digit's chord is the keypad's digit too";

    shortcuts.keyPressed("throw-next");
    shortcuts.keyPressed("layout-1");
    shortcuts.keyPressed("layout-9");
    EXPECT_EQ(fired, (QList<int>{5, 0})) << "a name nobody holds fires nothing";

    shortcuts.clearShortcut(5);
    EXPECT_EQ(lastBindings()["throw-next"].toArray(), QJsonArray()) << "unbound, not left to the last chord";
    shortcuts.keyPressed("throw-next");
    EXPECT_EQ(fired.size(), 2);

    // While a chord is recorded nothing is bound, so it reaches the settings window.
    shortcuts.setSuspended(true);
    EXPECT_EQ(lastBindings()["layout-1"].toArray(), QJsonArray());
    shortcuts.keyPressed("layout-1");
    EXPECT_EQ(fired.size(), 2);
    shortcuts.setSuspended(false);
    EXPECT_EQ(lastBindings()["layout-1"].toArray().size(), 2);

    // An extension that started again is told the whole set with its first picture of the desktop.
    sent.clear();
    desktop.apply({{"e", "snapshot"},
                   {"outputs", QJsonArray{QJsonObject{{"name", "Monitor 1"},
                                                      {"frame", QJsonArray{0, 0, 1280, 800}},
                                                      {"workArea", QJsonArray{0, 32, 1280, 768}}}}},
                   {"windows", QJsonArray{}},
                   {"stacking", QJsonArray{}},
                   {"active", ""},
                   {"cursor", QJsonArray{0, 0}}});
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(lastBindings()["layout-1"].toArray().size(), 2);
}

TEST(GnomeSnapPreviewTest, ThePreviewIsSentInTheShellsCoordinatesOnlyWhenItChanges) {
    AgentDesktop desktop;
    desktop.apply({{"e", "outputs"},
                   {"outputs", QJsonArray{QJsonObject{{"name", "Monitor 1"},
                                                      {"frame", QJsonArray{0, 0, 1280, 800}},
                                                      {"workArea", QJsonArray{0, 32, 1280, 768}}}}}});
    AgentScreens screens(desktop);
    QList<QJsonObject> sent;
    GnomeSnapPreview preview([&](const QJsonObject& c) { sent.append(c); }, screens);
    preview.hide();
    EXPECT_TRUE(sent.isEmpty()) << "nothing shown, nothing to hide";
    preview.show(QRectF(0, 0, 640, 768),
                 std::nullopt); // screen coordinates, y up: the left half below the top bar
    preview.show(QRectF(0, 0, 640, 768), std::nullopt);
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0]["frame"].toArray(), (QJsonArray{4, 36, 632, 760}))
        << "inset as Corvane's own preview draws it";
    EXPECT_FALSE(sent[0].contains("swap"));
    EXPECT_TRUE(sent[0]["fill"].toString().startsWith('#'));
    EXPECT_EQ(sent[0]["fill"].toString().size(), 9) << "#rrggbbaa";

    // A swap adds the frame the window in the zone goes to, in the same coordinates and inset.
    preview.show(QRectF(0, 0, 640, 768), QRectF(640, 0, 640, 768));
    preview.show(QRectF(0, 0, 640, 768), QRectF(640, 0, 640, 768));
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[1]["frame"].toArray(), (QJsonArray{4, 36, 632, 760}));
    EXPECT_EQ(sent[1]["swap"].toArray(), (QJsonArray{644, 36, 632, 760}));
    preview.show(QRectF(0, 0, 640, 768), std::nullopt);
    ASSERT_EQ(sent.size(), 3) << "the swap gone is a change";
    EXPECT_FALSE(sent[2].contains("swap"));

    preview.hide();
    preview.hide();
    ASSERT_EQ(sent.size(), 4);
    EXPECT_TRUE(sent[3]["frame"].isNull());
}

} // namespace
} // namespace corvane

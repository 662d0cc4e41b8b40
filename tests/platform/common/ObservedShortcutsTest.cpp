// Observed shortcuts watch keys only while some chord is set, and a key pressed in one of our own
// windows fires its action and still reaches the window.
#include "platform/common/ObservedShortcuts.h"

#include "platform/sim/SimEvents.h"
#include "platform/sim/SimKeyGrabs.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace modifier;

TEST(ObservedShortcutsTest, KeysAreWatchedWhileAChordIsSetAndNeverSwallowed) {
    SimEvents events;
    SimKeyGrabs keyGrabs;
    ObservedShortcuts shortcuts(events, keyGrabs);
    QList<int> fired;
    QObject::connect(&shortcuts, &Shortcuts::triggered, [&](int id) { fired.append(id); });
    EXPECT_EQ(events.globalMonitorCount() + events.localMonitorCount(), 0);

    shortcuts.setShortcut(2, {GrabKey::LeftArrow, 0, kControl | kOption});
    shortcuts.setShortcut(4, {GrabKey::Digit, 8, kControl | kOption});
    EXPECT_EQ(events.globalMonitorCount(), 1);
    EXPECT_EQ(events.localMonitorCount(), 1);

    const Event left = SimEvents::keyDown("", keycode::kLeftArrow, kControl | kOption);
    const std::optional<Event> delivered = events.sendLocal(left);
    EXPECT_EQ(fired, QList<int>{2});
    ASSERT_TRUE(delivered) << "the keystroke still reaches our own window";
    EXPECT_EQ(delivered->keyCode, keycode::kLeftArrow);

    shortcuts.clearShortcut(2);
    EXPECT_EQ(events.globalMonitorCount(), 1) << "hotkey 4 still listens";
    shortcuts.clearShortcut(4);
    EXPECT_EQ(events.globalMonitorCount() + events.localMonitorCount(), 0);
    shortcuts.setShortcut(1, {GrabKey::Digit, 1, kCommand});
    events.sendGlobal(SimEvents::keyDown("1", 18, kCommand));
    EXPECT_EQ(fired, (QList<int>{2, 1})) << "set again, it listens again";
}

} // namespace
} // namespace corvane

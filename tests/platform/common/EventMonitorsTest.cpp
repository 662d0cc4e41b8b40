// One registry for the X11 desktop and the simulated one: a local monitor removed while an event is
// delivered is not called again, and each local monitor sees the event as the one before left it.
#include "platform/common/EventMonitors.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace corvane {
namespace {

Event keyDown(quint16 keyCode) {
    Event e;
    e.type = EventType::KeyDown;
    e.keyCode = keyCode;
    return e;
}

// Global monitors keep the same promise on every backend: tests/contract/EventsContract.cpp.
TEST(EventMonitorsTest, ALocalMonitorRemovedDuringADeliveryIsNotCalledAgain) {
    EventMonitors monitors;
    QStringList calls;
    MonitorToken later = 0;
    monitors.addLocal(maskOf(EventType::KeyDown), [&](const Event& e) -> std::optional<Event> {
        calls.append(QStringLiteral("first"));
        monitors.remove(later);
        return e;
    });
    later = monitors.addLocal(maskOf(EventType::KeyDown), [&](const Event& e) -> std::optional<Event> {
        calls.append(QStringLiteral("later"));
        return e;
    });
    EXPECT_TRUE(monitors.deliverLocal(keyDown(1)));
    EXPECT_EQ(calls, QStringList{"first"});
    EXPECT_EQ(monitors.localCount(), 1);
}

TEST(EventMonitorsTest, ALocalMonitorsAnswerIsWhatTheNextOneSeesAndWhatReachesTheWindow) {
    EventMonitors monitors;
    QList<quint16> seen;
    monitors.addLocal(maskOf(EventType::KeyDown), [&](const Event& e) -> std::optional<Event> {
        seen.append(e.keyCode);
        if (e.keyCode == 9)
            return std::nullopt; // dropped
        Event changed = e;
        changed.keyCode = e.keyCode + 1;
        return changed;
    });
    monitors.addLocal(maskOf(EventType::KeyDown), [&](const Event& e) -> std::optional<Event> {
        seen.append(e.keyCode);
        return e;
    });
    // Asks for clicks only: a key passes it by.
    monitors.addLocal(maskOf(EventType::LeftMouseDown), [&](const Event& e) -> std::optional<Event> {
        seen.append(0);
        return e;
    });
    const std::optional<Event> reached = monitors.deliverLocal(keyDown(4));
    ASSERT_TRUE(reached);
    EXPECT_EQ(reached->keyCode, 5);
    EXPECT_FALSE(monitors.deliverLocal(keyDown(9)));
    EXPECT_EQ(seen, (QList<quint16>{4, 5, 9}));
    EXPECT_EQ(monitors.mask(), maskOf(EventType::KeyDown) | maskOf(EventType::LeftMouseDown));
}

} // namespace
} // namespace corvane

// The key monitor owns exactly one global and one local key-down monitor, and never swallows keys.
#include "platform/common/GlobalKeyMonitor.h"

#include "platform/sim/SimEvents.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(GlobalKeyMonitorTest, StartReplacesMonitorsAndStopIsHarmlessTwice) {
    SimEvents events;
    GlobalKeyMonitor monitor(events);
    int handled = 0;
    monitor.start([&](const Event&) { ++handled; });
    monitor.start([&](const Event&) { handled += 10; });
    EXPECT_EQ(events.globalMonitorCount(), 1);
    EXPECT_EQ(events.localMonitorCount(), 1);
    EXPECT_EQ(events.observedMask(), maskOf(EventType::KeyDown)) << "mask 1024: key-down only";
    events.sendGlobal(SimEvents::keyDown("a", 0, 0));
    events.sendGlobal(SimEvents::mouse(EventType::LeftMouseDown, 0));
    EXPECT_EQ(handled, 10);

    const Event key = SimEvents::keyDown("b", 11, modifier::kShift);
    const std::optional<Event> delivered = events.sendLocal(key);
    EXPECT_EQ(handled, 20);
    ASSERT_TRUE(delivered);
    EXPECT_EQ(delivered->charactersIgnoringModifiers, key.charactersIgnoringModifiers);
    EXPECT_EQ(delivered->modifierFlags, key.modifierFlags);

    monitor.stop();
    monitor.stop();
    EXPECT_EQ(events.globalMonitorCount() + events.localMonitorCount(), 0);
    EXPECT_FALSE(monitor.hasGlobalMonitor());

    std::optional<GlobalKeyMonitor> gone(std::in_place, events);
    gone->start([&](const Event&) { ++handled; });
    gone.reset();
    events.sendGlobal(SimEvents::keyDown("a", 0, 0));
    EXPECT_EQ(events.globalMonitorCount() + events.localMonitorCount(), 0)
        << "a monitor leaves with its owner";
    EXPECT_EQ(handled, 20);
}

TEST(GlobalKeyMonitorTest, ARefusedMonitorLeavesItsFieldEmpty) {
    SimEvents events;
    events.setRefusesMonitors(true);
    GlobalKeyMonitor monitor(events);
    monitor.start([](const Event&) {});
    EXPECT_FALSE(monitor.hasGlobalMonitor());
    EXPECT_FALSE(monitor.hasLocalMonitor());
    events.setRefusesMonitors(false);
    monitor.start([](const Event&) {});
    EXPECT_TRUE(monitor.hasGlobalMonitor());
    EXPECT_TRUE(monitor.hasLocalMonitor());
}

} // namespace
} // namespace corvane

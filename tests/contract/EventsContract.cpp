// What every backend's events promise the core: the pointer's events reach a global monitor in the
// order the user made them, each with the buttons held and the position as of that event; and the
// monitors one delivery reaches are fixed when it starts, less any removed meanwhile. Motion with no
// button held comes only where the core named a region.
#include "contract/ContractTest.h"

#include <QStringList>

namespace corvane {
namespace {

using EventsContract = ContractTest;
using enum EventType;

struct Seen {
    EventType type;
    double x; // the pointer's, as the monitor reads it during the delivery
    quint32 buttons;
    double timestamp;
};

TEST_F(EventsContract, APressItsDragAndTheReleaseArriveInOrderWithTheButtonsHeldThen) {
    if (const auto why = desk->whyPlainPressesAreUnseen())
        GTEST_SKIP() << *why;
    Events& events = desk->platform().events;
    QList<Seen> seen;
    const EventMask mask =
        maskOf(LeftMouseDown) | maskOf(LeftMouseUp) | maskOf(LeftMouseDragged) | maskOf(MouseMoved);
    const auto token = events.addGlobalMonitor(mask, [&](const Event& e) {
        seen.append({e.type, events.mouseLocation().x(), events.pressedMouseButtons(), e.timestamp});
    });
    ASSERT_TRUE(token);
    desk->movePointer({200, 300});
    desk->pressButton(mousebutton::kLeft);
    for (int x = 220; x <= 400; x += 20)
        desk->movePointer({double(x), 300});
    desk->releaseButton(mousebutton::kLeft);
    ASSERT_TRUE(desk->waitUntil(ContractDesktop::kDeadline,
                                [&] { return !seen.isEmpty() && seen.last().type == LeftMouseUp; }));

    // Where the pointer was before it came to the press is the desktop's to tell or not.
    const auto down =
        std::find_if(seen.cbegin(), seen.cend(), [](const Seen& e) { return e.type != MouseMoved; });
    ASSERT_NE(down, seen.cend());
    EXPECT_EQ(down->type, LeftMouseDown);
    EXPECT_EQ(down->x, 200);
    EXPECT_EQ(seen.last().x, 400) << "the release where the drag ended";
    EXPECT_GT(seen.cend() - down, 2) << "no drag between the press and the release";
    for (auto e = seen.cbegin(); e != seen.cend(); ++e) {
        const qsizetype i = e - seen.cbegin();
        if (e > down && e < seen.cend() - 1) {
            EXPECT_EQ(e->type, LeftMouseDragged) << "event " << i;
        }
        const bool isHeld = e->type == LeftMouseDown || e->type == LeftMouseDragged;
        EXPECT_EQ(e->buttons, isHeld ? mousebutton::kLeft : 0) << "event " << i;
        if (e > down) {
            EXPECT_GE(e->x, (e - 1)->x) << "event " << i << " came before one made earlier";
            // The X server stamps its events in whole milliseconds.
            EXPECT_GE(e->timestamp, (e - 1)->timestamp - 0.001) << "event " << i;
        }
    }
}

TEST_F(EventsContract, MotionWithNoButtonHeldComesOnlyInAndAcrossTheNamedRegions) {
    Events& events = desk->platform().events;
    QList<double> seen; // the x of each motion
    events.addGlobalMonitor(maskOf(MouseMoved),
                            [&](const Event&) { seen.append(events.mouseLocation().x()); });
    // A band across every screen, so that only x tells inside from outside.
    events.setMotionRegions({QRectF(600, -32768, 200, 65536)});
    desk->movePointer({300, 300});
    desk->movePointer({320, 300});
    desk->movePointer({700, 300});
    desk->movePointer({720, 300});
    // Motion may come paced, the newest of a moment only: some of it in the region, none before it.
    // Leaving within the same moment would fold the entry into the exit, so the exit waits for it.
    EXPECT_TRUE(desk->waitUntil(ContractDesktop::kDeadline, [&] {
        return seen.contains(700) || seen.contains(720);
    })) << "entering the region is motion that matters";
    desk->movePointer({900, 300});
    ASSERT_TRUE(desk->waitUntil(ContractDesktop::kDeadline, [&] { return seen.contains(900); }))
        << "leaving the region is motion that matters";
    EXPECT_FALSE(seen.contains(300) || seen.contains(320)) << "motion outside every region woke the core";
    desk->waitUntil(0.2, [] { return false; });
    desk->movePointer({650, 300});
    EXPECT_TRUE(desk->waitUntil(ContractDesktop::kDeadline, [&] { return seen.contains(650); }))
        << "a lone move after a pause, where the pointer comes to rest, is never held back";
}

// The barrier a caller waits on once it has moved the pointer: by the time it answers, the moves
// made before it have reached the monitors, the last one where the pointer comes to rest included.
TEST_F(EventsContract, APointerBarrierAnswersOnlyOnceTheMovesBeforeItHaveBeenDelivered) {
    Events& events = desk->platform().events;
    QList<double> seen;
    events.addGlobalMonitor(maskOf(MouseMoved),
                            [&](const Event&) { seen.append(events.mouseLocation().x()); });
    events.setMotionRegions({QRectF(600, -32768, 200, 65536)});
    desk->movePointer({300, 300});
    for (const double x : {640.0, 660.0, 680.0}) {
        desk->movePointer({x, 300});
        std::optional<bool> wasSeen;
        events.whenPointerCaughtUp([&, x] { wasSeen = seen.contains(x); });
        ASSERT_TRUE(desk->waitUntil(ContractDesktop::kDeadline, [&] { return wasSeen.has_value(); }))
            << "the barrier never answered";
        EXPECT_TRUE(*wasSeen) << "the barrier answered before the move to " << x << " was delivered";
    }
}

TEST_F(EventsContract, AMonitorRemovedDuringADeliveryIsNotCalledAgainAndOneAddedSeesTheNextEvent) {
    if (const auto why = desk->whyPlainPressesAreUnseen())
        GTEST_SKIP() << *why;
    Events& events = desk->platform().events;
    const EventMask clicks = maskOf(LeftMouseDown) | maskOf(LeftMouseUp);
    QStringList calls;
    const auto note = [&](const char* who, const Event& e) {
        calls.append(QStringLiteral("%1 %2").arg(who, e.type == LeftMouseDown ? "down" : "up"));
    };
    std::optional<MonitorToken> removed, selfRemoving, added;
    events.addGlobalMonitor(clicks, [&](const Event& e) {
        note("first", e);
        if (removed)
            events.removeMonitor(*std::exchange(removed, std::nullopt));
        if (!added)
            added = events.addGlobalMonitor(clicks, [&](const Event& later) { note("added", later); });
    });
    removed = events.addGlobalMonitor(clicks, [&](const Event& e) { note("removed", e); });
    selfRemoving = events.addGlobalMonitor(clicks, [&](const Event& e) {
        note("self-removing", e);
        events.removeMonitor(*selfRemoving);
    });

    desk->movePointer({300, 300});
    desk->pressButton(mousebutton::kLeft);
    desk->releaseButton(mousebutton::kLeft);
    ASSERT_TRUE(desk->waitUntil(ContractDesktop::kDeadline, [&] { return calls.contains("added up"); }));
    EXPECT_EQ(calls, (QStringList{"first down", "self-removing down", "first up", "added up"}));
}

} // namespace
} // namespace corvane

// Pointer events on a run loop moved by hand: an ordinary mouse is handed on event by event, a fast
// one once per interval with its newest position, and button events keep their place, position and
// time whatever the motion around them. A stream stands in for the recorder's socket.
#include "platform/common/PointerPacer.h"

#include "platform/sim/SimRunLoop.h"
#include "platform/x11/X11PointerRecorder.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr double kInterval = 0.008;

class PointerPacerTest : public ::testing::Test {
protected:
    // An event comes in: read at once (a wake-up) unless reading is held, then it waits in the socket.
    void arrive(PointerSample::Kind kind, int x, quint32 button = 0) {
        socket.append({kind, button, QPoint(x, 0), loop.now()});
        if (!isHeld) {
            ++wakeUps;
            read();
        }
    }
    void read() {
        const QList<PointerSample> samples = std::exchange(socket, {});
        for (const PointerSample& s : samples)
            pacer.take(s);
        pacer.endOfRead();
    }
    // One motion event every `ms` milliseconds, x counting up from `from`, for `count` events.
    void move(int from, int count, double ms) {
        for (int i = 0; i < count; ++i) {
            arrive(PointerSample::Kind::Motion, from + i);
            loop.advance(ms / 1000);
        }
    }
    // "motion 12@1008": kind, x and the event's own time in milliseconds past the start.
    static QString describe(const PointerSample& s) {
        const char* kind = s.kind == PointerSample::Kind::Motion  ? "motion"
                           : s.kind == PointerSample::Kind::Press ? "press"
                                                                  : "release";
        return QStringLiteral("%1 %2@%3").arg(kind).arg(s.root.x()).arg(qRound((s.timestamp - 1000) * 1000));
    }

    SimRunLoop loop{1000.0};
    QList<PointerSample> socket;
    bool isHeld = false;
    int wakeUps = 0;
    QStringList handedOn;
    QList<double> handedOnAt;
    PointerPacer pacer{loop, kInterval,
                       [this](bool hold) {
                           if (hold) {
                               isHeld = true;
                               return;
                           }
                           ++wakeUps; // a tick
                           isHeld = false;
                           read();
                       },
                       [this](const PointerSample& s) {
                           handedOn.append(describe(s));
                           handedOnAt.append(loop.now());
                       }};
};

TEST_F(PointerPacerTest, AnOrdinaryMouseIsHandedOnEventByEventWithNoTimer) {
    move(0, 100, 10.0); // 100 Hz for a second
    ASSERT_EQ(handedOn.size(), 100);
    EXPECT_EQ(handedOn.first(), "motion 0@0");
    EXPECT_EQ(handedOn.last(), "motion 99@990");
    EXPECT_EQ(wakeUps, 100) << "one wake-up per event";
    EXPECT_FALSE(isHeld);
    EXPECT_EQ(loop.activeTimerCount(), 0);
}

TEST_F(PointerPacerTest, AFastMouseIsHandedOnOncePerIntervalWithItsNewestPosition) {
    move(0, 1000, 1.0); // 1,000 Hz for a second
    loop.advance(kInterval);
    // The first event at once, then one per interval: the motion of each interval is one event.
    EXPECT_GE(handedOn.size(), 120);
    EXPECT_LE(handedOn.size(), 127);
    for (qsizetype i = 1; i < handedOnAt.size(); ++i)
        EXPECT_GE(handedOnAt[i] - handedOnAt[i - 1], kInterval - 1e-9) << i;
    EXPECT_EQ(handedOn.last(), "motion 999@999") << "the newest position wins, with its own time";
    EXPECT_LE(wakeUps, handedOn.size() + 2) << "reading waits for the ticks while the mouse streams";
    // Once the mouse rests, the next tick finds nothing: each event wakes us again, and no timer runs.
    loop.advance(1.0);
    EXPECT_FALSE(isHeld);
    EXPECT_EQ(loop.activeTimerCount(), 0);
    const qsizetype before = handedOn.size();
    arrive(PointerSample::Kind::Motion, 5000);
    EXPECT_EQ(handedOn.size(), before + 1) << "the first move after a rest is handed on at once";
}

TEST_F(PointerPacerTest, ButtonEventsKeepTheirPlacePositionAndTimeAmongCoalescedMotion) {
    // One read holding a click between motion: nothing merges across a button event.
    socket = {{PointerSample::Kind::Motion, 0, QPoint(1, 0), 1000.001},
              {PointerSample::Kind::Motion, 0, QPoint(2, 0), 1000.002},
              {PointerSample::Kind::Press, 1, QPoint(2, 0), 1000.003},
              {PointerSample::Kind::Motion, 0, QPoint(3, 0), 1000.004},
              {PointerSample::Kind::Release, 1, QPoint(3, 0), 1000.005},
              {PointerSample::Kind::Press, 3, QPoint(3, 0), 1000.006},
              {PointerSample::Kind::Release, 3, QPoint(3, 0), 1000.007},
              {PointerSample::Kind::Motion, 0, QPoint(4, 0), 1000.008},
              {PointerSample::Kind::Motion, 0, QPoint(5, 0), 1000.009}};
    read();
    EXPECT_EQ(handedOn, (QStringList{"motion 2@2", "press 2@3", "motion 3@4", "release 3@5", "press 3@6",
                                     "release 3@7"}));
    // The motion after the last button event is paced like any other: it comes at the tick.
    loop.advance(kInterval);
    EXPECT_EQ(handedOn.last(), "motion 5@9");

    // While a fast mouse holds reading, a click waits for the tick and still comes in its place.
    handedOn.clear();
    loop.advance(0.042); // 50 ms from the start
    arrive(PointerSample::Kind::Motion, 10);
    loop.advance(0.001);
    arrive(PointerSample::Kind::Motion, 11); // too soon: reading waits for the tick
    ASSERT_TRUE(isHeld);
    arrive(PointerSample::Kind::Motion, 12);
    arrive(PointerSample::Kind::Press, 12, 1);
    arrive(PointerSample::Kind::Motion, 13);
    arrive(PointerSample::Kind::Release, 13, 1);
    EXPECT_EQ(handedOn, QStringList{"motion 10@50"}) << "nothing before the tick";
    loop.advance(kInterval);
    EXPECT_EQ(handedOn,
              (QStringList{"motion 10@50", "motion 12@51", "press 12@51", "motion 13@51", "release 13@51"}));
}

TEST_F(PointerPacerTest, ResetDropsWhatWaitsAndHandsNothingOn) {
    arrive(PointerSample::Kind::Motion, 1);
    arrive(PointerSample::Kind::Motion, 2);
    ASSERT_TRUE(isHeld);
    pacer.reset();
    EXPECT_EQ(handedOn, QStringList{"motion 1@0"}) << "nothing is handed on by the reset itself";
    EXPECT_EQ(loop.activeTimerCount(), 0);
    // A new stream, read from its first event: its motion comes at once.
    isHeld = false;
    socket.clear();
    loop.advance(1.0);
    arrive(PointerSample::Kind::Motion, 3);
    EXPECT_EQ(handedOn, (QStringList{"motion 1@0", "motion 3@1000"}));
}

TEST(EventTimestampTest, AServerStampOnTheSameClockGivesTheEventsOwnTimeElseTheTimeItWasRead) {
    const double now = 7802.5; // seconds since start-up
    EXPECT_DOUBLE_EQ(eventTimestamp(7802490, now), 7802.49) << "read 10 ms after it happened";
    EXPECT_DOUBLE_EQ(eventTimestamp(7802500, now), now);
    EXPECT_DOUBLE_EQ(eventTimestamp(7802600, now), now) << "a stamp from the future: another clock";
    EXPECT_DOUBLE_EQ(eventTimestamp(12, now), now) << "a stamp far in the past: another clock";
    // The server's 32-bit milliseconds wrap every 49.7 days; the stamp still fits across the wrap.
    const double afterWrap = 4294967.296 + 0.005;
    EXPECT_NEAR(eventTimestamp(0xFFFFFFFF, afterWrap), afterWrap - 0.006, 1e-9);
}

} // namespace
} // namespace corvane

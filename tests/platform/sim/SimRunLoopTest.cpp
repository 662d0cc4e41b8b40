// The manual run loop is what every timing test stands on: order, time-outs and invalidation must
// behave like a real run loop, or those tests prove nothing.
#include "platform/sim/SimRunLoop.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace corvane {
namespace {

class SimRunLoopTest : public ::testing::Test {
protected:
    SimRunLoop loop{100.0};
    QStringList trace;

    std::function<void()> note(const QString& what) {
        return [this, what] { trace.append(QStringLiteral("%1@%2").arg(what).arg(loop.now())); };
    }
};

TEST_F(SimRunLoopTest, RunsDueWorkInTimeThenSchedulingOrder) {
    loop.postAfter(0.5, note("late"));
    loop.post(note("first"));
    loop.postAfter(0.2, note("early"));
    loop.post(note("second"));
    auto timer = loop.scheduleTimer(0.2, false, note("timer"));

    EXPECT_TRUE(trace.isEmpty()) << "nothing runs before the loop turns";
    loop.advance(0.3);
    EXPECT_EQ(trace, (QStringList{"first@100", "second@100", "early@100.2", "timer@100.2"}));
    EXPECT_DOUBLE_EQ(loop.now(), 100.3);
    loop.advance(0.2);
    EXPECT_EQ(trace.last(), "late@100.5");
}

TEST_F(SimRunLoopTest, BlocksPostedWhileRunningRunInTheSameTurnWhenDue) {
    loop.post([this] {
        note("outer")();
        loop.post(note("inner"));
        loop.postAfter(1.0, note("later"));
    });
    loop.runPending();
    EXPECT_EQ(trace, (QStringList{"outer@100", "inner@100"}));
    EXPECT_EQ(loop.pendingBlockCount(), 1);
}

TEST_F(SimRunLoopTest, TimerFiresOnlyWhenItsIntervalHasPassed) {
    auto timer = loop.scheduleTimer(5.0, false, note("fired"));
    loop.advance(4.99);
    EXPECT_TRUE(trace.isEmpty());
    EXPECT_TRUE(timer->isValid());
    loop.advance(0.01);
    EXPECT_EQ(trace, QStringList{"fired@105"});
    EXPECT_FALSE(timer->isValid()) << "a fired one-shot timer is spent";
    loop.advance(10);
    EXPECT_EQ(trace.size(), 1);
}

TEST_F(SimRunLoopTest, RepeatingTimerKeepsItsPeriodUntilInvalidated) {
    auto timer = loop.scheduleTimer(1.0, true, note("tick"));
    loop.advance(3.5);
    EXPECT_EQ(trace, (QStringList{"tick@101", "tick@102", "tick@103"}));
    timer->invalidate();
    loop.advance(3);
    EXPECT_EQ(trace.size(), 3);
    EXPECT_EQ(loop.activeTimerCount(), 0);
}

TEST_F(SimRunLoopTest, DestroyingTheHandleStopsTheTimerEvenFromItsOwnCallback) {
    std::unique_ptr<Timer> dropped = loop.scheduleTimer(1.0, false, note("dropped"));
    dropped.reset();
    std::unique_ptr<Timer> selfDestroying;
    selfDestroying = loop.scheduleTimer(1.0, true, [&] {
        note("once")();
        selfDestroying.reset();
    });
    loop.advance(5);
    EXPECT_EQ(trace, QStringList{"once@101"});
    EXPECT_EQ(loop.activeTimerCount(), 0);
}

TEST_F(SimRunLoopTest, GuardedBlocksAreSkippedOnceTheirObjectIsGone) {
    auto guard = std::make_unique<QObject>();
    loop.post(guard.get(), note("alive"));
    loop.runPending();
    loop.postAfter(1.0, guard.get(), note("gone"));
    guard.reset();
    loop.advance(2);
    EXPECT_EQ(trace, QStringList{"alive@100"});
}

} // namespace
} // namespace corvane

// The real run loop: blocks posted from any thread run on the main thread, in order, and a timer
// handle can be dropped from inside its own callback. Waits are bounded by an event-loop deadline.
#include "platform/qt/QtRunLoop.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

namespace corvane {
namespace {

// Runs the event loop until the condition holds or the time is up.
bool processEventsUntil(const std::function<bool()>& condition, int milliseconds = 2000) {
    QDeadlineTimer deadline(milliseconds);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return condition();
}

TEST(QtRunLoopTest, BackgroundWorkPostsBackToTheMainThreadInOrder) {
    QtRunLoop loop;
    QList<int> order;
    QThread* mainThread = QThread::currentThread();
    bool allOnMain = true;
    std::thread background([&] {
        for (int i = 0; i < 3; ++i)
            loop.post([&, i] {
                allOnMain = allOnMain && QThread::currentThread() == mainThread;
                order.append(i);
            });
    });
    background.join();
    ASSERT_TRUE(processEventsUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (QList<int>{0, 1, 2}));
    EXPECT_TRUE(allOnMain);
}

TEST(QtRunLoopTest, TimersFireLateNotEarlyAndStopWhenTheirHandleGoes) {
    QtRunLoop loop;
    const double start = loop.now();
    double firedAt = 0;
    int ticks = 0;
    std::unique_ptr<Timer> oneShot = loop.scheduleTimer(0.05, false, [&] { firedAt = loop.now(); });
    std::unique_ptr<Timer> repeating;
    repeating = loop.scheduleTimer(0.01, true, [&] {
        if (++ticks == 2)
            repeating.reset();
    });
    std::unique_ptr<Timer> dropped =
        loop.scheduleTimer(0.01, false, [&] { ADD_FAILURE() << "dropped timer fired"; });
    dropped.reset();

    ASSERT_TRUE(processEventsUntil([&] { return firedAt > 0 && !repeating; }));
    EXPECT_GE(firedAt - start, 0.049);
    EXPECT_FALSE(oneShot->isValid());
    processEventsUntil([] { return false; }, 100); // room for a stray tick, if any
    EXPECT_EQ(ticks, 2);
}

TEST(QtRunLoopTest, PostAfterRunsOnceTheDelayHasPassed) {
    QtRunLoop loop;
    const double start = loop.now();
    double ranAt = 0;
    loop.postAfter(0.03, [&] { ranAt = loop.now(); });
    ASSERT_TRUE(processEventsUntil([&] { return ranAt > 0; }));
    EXPECT_GE(ranAt - start, 0.029);
}

} // namespace
} // namespace corvane

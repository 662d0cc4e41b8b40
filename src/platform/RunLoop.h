#pragma once
// The main thread's queue and clock. Everything the logic schedules or measures goes through it,
// so the simulated desktop can run time forward by hand.

#include <QObject>
#include <QPointer>
#include <chrono>
#include <functional>
#include <memory>

namespace corvane {

// A scheduled timer. Destroying the handle invalidates the timer, so a timer never outlives its
// owner; a handle may be destroyed from inside its own callback.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void invalidate() = 0;
    virtual bool isValid() const = 0;
};

class RunLoop {
public:
    virtual ~RunLoop() = default;

    // Monotonic seconds since the system started; event timestamps use the same clock.
    virtual double now() const = 0;
    // Runs the block on the main thread on a later turn of its loop. Callable from any thread.
    virtual void post(std::function<void()> block) = 0;
    virtual void postAfter(double seconds, std::function<void()> block) = 0;
    virtual std::unique_ptr<Timer> scheduleTimer(double interval, bool repeats,
                                                 std::function<void()> fire) = 0;

    // The same, skipped when the guard object is gone by then.
    void post(const QObject* guard, std::function<void()> block) {
        post([g = QPointer<const QObject>(guard), b = std::move(block)] {
            if (g)
                b();
        });
    }
    void postAfter(double seconds, const QObject* guard, std::function<void()> block) {
        postAfter(seconds, [g = QPointer<const QObject>(guard), b = std::move(block)] {
            if (g)
                b();
        });
    }
};

} // namespace corvane

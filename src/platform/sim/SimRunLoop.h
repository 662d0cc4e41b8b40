#pragma once
// A run loop whose clock only moves when a test says so: advance() runs every posted block and
// every timer that falls due, in time order, so tests of timing never sleep.

#include "platform/RunLoop.h"

#include <QList>
#include <memory>

namespace corvane {

class SimRunLoop final : public RunLoop {
public:
    explicit SimRunLoop(double startTime = 1000.0);
    ~SimRunLoop() override;

    double now() const override { return m_now; }
    void post(std::function<void()> block) override;
    void postAfter(double seconds, std::function<void()> block) override;
    std::unique_ptr<Timer> scheduleTimer(double interval, bool repeats, std::function<void()> fire) override;
    using RunLoop::post;
    using RunLoop::postAfter;

    // Moves the clock forward, running what falls due on the way, in order of time then of scheduling.
    void advance(double seconds);
    // Runs what is due now, including blocks posted meanwhile.
    void runPending() { advance(0); }
    // Valid timers, of either kind.
    int activeTimerCount() const;
    int pendingBlockCount() const;

private:
    struct Entry;
    class SimTimer;

    void schedule(double due, std::shared_ptr<Entry> entry);

    double m_now;
    quint64 m_sequence = 0;
    QList<std::shared_ptr<Entry>> m_entries;
};

} // namespace corvane

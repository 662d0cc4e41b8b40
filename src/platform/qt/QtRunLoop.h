#pragma once
// The main run loop of the real program: Qt's event loop, timers and queued calls, and the
// monotonic clock that event timestamps also use.

#include "platform/RunLoop.h"

#include <QObject>

namespace corvane {

class QtRunLoop final : public RunLoop {
public:
    // Must be made on the main thread: queued blocks run in that thread.
    QtRunLoop();
    ~QtRunLoop() override;

    double now() const override;
    void post(std::function<void()> block) override;
    void postAfter(double seconds, std::function<void()> block) override;
    // Main thread only, like every timer of the logic.
    std::unique_ptr<Timer> scheduleTimer(double interval, bool repeats, std::function<void()> fire) override;
    using RunLoop::post;
    using RunLoop::postAfter;

private:
    QObject m_mainThreadContext;
};

} // namespace corvane

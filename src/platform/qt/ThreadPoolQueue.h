#pragma once
// The background queue of the real program: a thread pool of one thread at the highest thread
// priority, which takes its work in the order it was started.

#include "platform/BackgroundQueue.h"

#include <QThreadPool>

namespace corvane {

class ThreadPoolQueue final : public BackgroundQueue {
public:
    ThreadPoolQueue();
    // Waits for running work: it holds references to the platform, which dies after this queue.
    ~ThreadPoolQueue() override;

    void async(std::function<void()> work) override;

private:
    QThreadPool m_pool;
};

} // namespace corvane

#include "ThreadPoolQueue.h"

namespace corvane {

ThreadPoolQueue::ThreadPoolQueue() {
    m_pool.setThreadPriority(QThread::HighestPriority);
    // One thread: two writes to one window must never run at once, nor land out of order.
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(5000);
}

ThreadPoolQueue::~ThreadPoolQueue() {
    m_pool.waitForDone();
}

void ThreadPoolQueue::async(std::function<void()> work) {
    m_pool.start(std::move(work));
}

} // namespace corvane

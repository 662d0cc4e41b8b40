#pragma once
// A serial queue for work that must not block the main thread: items run one at a time, in the
// order they were queued, at the highest priority.

#include <functional>

namespace corvane {

class BackgroundQueue {
public:
    virtual ~BackgroundQueue() = default;
    virtual void async(std::function<void()> work) = 0;
};

} // namespace corvane

#pragma once
// A concurrent queue for work that must not block the main thread: each item runs on its own,
// unordered with the others, at the highest priority.

#include <functional>

namespace corvane {

class BackgroundQueue {
public:
    virtual ~BackgroundQueue() = default;
    virtual void async(std::function<void()> work) = 0;
};

} // namespace corvane

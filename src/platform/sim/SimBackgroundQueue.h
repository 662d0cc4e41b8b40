#pragma once
// A background queue that runs nothing until a test drains it, on the test's own thread.

#include "platform/BackgroundQueue.h"

#include <QList>

namespace corvane {

class SimBackgroundQueue final : public BackgroundQueue {
public:
    void async(std::function<void()> work) override { m_pending.append(std::move(work)); }

    // Runs every queued item in submission order, including items queued meanwhile; returns how many ran.
    int drain() {
        int ran = 0;
        while (!m_pending.isEmpty()) {
            const std::function<void()> work = m_pending.takeFirst();
            work();
            ++ran;
        }
        return ran;
    }
    int pendingCount() const { return int(m_pending.size()); }

private:
    QList<std::function<void()>> m_pending;
};

} // namespace corvane

#include "FrameWriteQueue.h"

namespace corvane {

FrameWriteQueue::FrameWriteQueue(Platform& platform)
    : m_platform(platform) {}

void FrameWriteQueue::write(Request request, WriteDone done) {
    const quint64 key = request.window.handle;
    {
        std::lock_guard lock(m_waiting->mutex);
        const auto waiting = m_waiting->byWindow.find(key);
        if (waiting != m_waiting->byWindow.end()) {
            // Its work item is queued already and will write this request instead.
            waiting->request = std::move(request);
            if (done)
                waiting->done.append(std::move(done));
            return;
        }
        Pending pending{std::move(request), {}};
        if (done)
            pending.done.append(std::move(done));
        m_waiting->byWindow.emplace(key, std::move(pending));
    }
    // The work item holds only the platform, which outlives the background queue, and shared state.
    Platform& platform = m_platform;
    m_platform.backgroundQueue.async([&platform, waiting = m_waiting, key] {
        Pending pending;
        {
            std::lock_guard lock(waiting->mutex);
            pending = waiting->byWindow.take(key);
        }
        const Request& r = pending.request;
        const bool isWritten = writeWindowFrame(platform.accessibility, r.window, r.frame, r.primaryHeight,
                                                r.visibleFrame, r.remembered);
        if (isWritten && r.application) {
            Workspace& workspace = platform.workspace;
            platform.runLoop.post(
                [&workspace, target = *r.application] { activateTargetApplication(workspace, target); });
        }
        if (!pending.done.isEmpty()) {
            platform.runLoop.post([done = std::move(pending.done), isWritten] {
                for (const WriteDone& each : done)
                    each(isWritten);
            });
        }
    });
}

} // namespace corvane

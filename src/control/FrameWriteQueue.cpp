#include "FrameWriteQueue.h"

#include "control/ScreenLookup.h"
#include "control/WindowAccess.h"

#include <utility>

namespace corvane {

namespace {

// A title bar's height at most: the part of a window kept on screen.
constexpr double kMaxTitleBarHeight = 64.0;

// Where a frame in screen coordinates goes, as the AX position of its top-left: its right and bottom
// edges give way to keep it inside the visible frame, and its left edge and top win, so that the title
// bar, with the window's controls, stays where the user can reach it. A frame taller than the screen
// hangs from the top; one below the screen comes up until its title bar is inside.
QPointF reachablePosition(const QRectF& frame, double primaryHeight, const QRectF& visibleFrame) {
    const QRectF& v = visibleFrame;
    double x = frame.x();
    if (x + frame.width() > v.x() + v.width())
        x = v.x() + v.width() - frame.width();
    x = std::max(x, v.x());
    double top = frame.y() + frame.height(); // screen coordinates: y grows upwards
    top = std::max(top, v.y() + std::min(frame.height(), kMaxTitleBarHeight));
    top = std::min(top, v.y() + v.height());
    return {x, primaryHeight - top};
}

// A window the window manager moves with the pointer goes exactly under it.
FrameRequest frameRequestFor(const FrameWriteQueue::Request& r) {
    const QPointF topLeft = r.write == FrameWrite::Follow
                                ? axTopLeftOf(r.frame, r.primaryHeight)
                                : reachablePosition(r.frame, r.primaryHeight, r.visibleFrame);
    return {r.window, QRectF(topLeft, r.frame.size()), r.write, r.remembered};
}

} // namespace

FrameWriteQueue::FrameWriteQueue(Platform& platform)
    : m_platform(platform) {}

void FrameWriteQueue::write(Request request, WriteDone done) {
    if (m_observer.asked)
        m_observer.asked(request);
    for (Pending& waiting : m_waiting) {
        if (waiting.request.window == request.window) {
            waiting.request = std::move(request);
            waiting.frontmostPid = frontmostPid();
            if (done)
                waiting.done.append(std::move(done));
            return;
        }
    }
    Pending pending{std::move(request), {}, frontmostPid()};
    if (done)
        pending.done.append(std::move(done));
    m_waiting.append(std::move(pending));
    startNext();
}

bool FrameWriteQueue::isWaiting(AxElement window) const {
    return std::any_of(m_waiting.cbegin(), m_waiting.cend(),
                       [window](const Pending& p) { return p.request.window == window; });
}

void FrameWriteQueue::whenIdle(std::function<void()> idle) {
    if (!m_isWriting && m_waiting.isEmpty())
        idle();
    else
        m_idleWaiters.append(std::move(idle));
}

void FrameWriteQueue::startNext() {
    if (m_isWriting || m_waiting.isEmpty())
        return;
    m_isWriting = true;
    Pending pending = m_waiting.takeFirst();
    const FrameRequest request = frameRequestFor(pending.request);
    m_platform.windowFrames.request(request, [this, lifetime = std::weak_ptr(m_lifetime),
                                              pending = std::move(pending)](const FrameResult& result) {
        if (!lifetime.expired())
            finish(pending, result);
    });
}

void FrameWriteQueue::finish(const Pending& pending, const FrameResult& result) {
    m_isWriting = false;
    const bool isWritten = result.outcome != FrameOutcome::Gone;
    if (m_observer.landed)
        m_observer.landed(pending.request, result);
    // The focus goes to the window's application where Corvane or a command's caller held it; a write
    // lands up to a quarter second later, and an application the user went to meanwhile keeps it.
    if (isWritten && pending.request.application && frontmostPid() == pending.frontmostPid)
        activateTargetApplication(m_platform.workspace, *pending.request.application);
    for (const WriteDone& done : pending.done)
        done(isWritten);
    startNext();
    if (m_isWriting)
        return;
    // Taken first: a waiter may ask for a write, or wait again.
    const QList<std::function<void()>> idleWaiters = std::exchange(m_idleWaiters, {});
    for (const std::function<void()>& idle : idleWaiters)
        idle();
}

std::optional<qint32> FrameWriteQueue::frontmostPid() {
    const std::optional<RunningApplication> front = m_platform.workspace.frontmostApplication();
    return front ? std::optional(front->pid) : std::nullopt;
}

} // namespace corvane

#include "SimWindowFrames.h"

#include "platform/common/PossibleFrame.h"
#include "platform/sim/SimDesktop.h"

#include <algorithm>

namespace corvane {

void SimWindowFrames::request(FrameRequest request, FrameDone done) {
    m_pending.append({request, std::move(done)});
    if (m_pending.size() == 1)
        startNext();
}

void SimWindowFrames::startNext() {
    if (m_pending.isEmpty())
        return;
    const FrameRequest& r = m_pending.first().request;
    const SimDesktop::Window* w = m_desktop.windowOf(r.window);
    if (!w) {
        complete({FrameOutcome::Gone, std::nullopt});
        return;
    }
    if (r.write != FrameWrite::Follow)
        rememberFrame(r.window);
    m_desktop.record(SimAction::Kind::WriteAttribute, r.window, ax::kSize, AxValue::ofSize(r.frame.size()),
                     AxError::Success);
    m_desktop.record(SimAction::Kind::WriteAttribute, r.window, ax::kPosition,
                     AxValue::ofPoint(r.frame.topLeft()), AxError::Success);
    const double lag = w->frameLag;
    RunLoop& runLoop = m_desktop.runLoop();
    if (r.write == FrameWrite::Follow) {
        if (lag > 0)
            runLoop.postAfter(lag, [this, request = r] { land(request); });
        else
            land(r);
        const QRectF frame = m_desktop.windowOf(r.window)->frame;
        complete({wholePixels(frame) == wholePixels(r.frame) ? FrameOutcome::Reached : FrameOutcome::Settled,
                  frame});
        return;
    }
    if (r.remembered == RememberedFrame::Forget)
        m_desktop.accessibility().setAttributeValue(r.window, ax::kRestoreFrame, std::monostate());
    m_settle.emplace(r.frame, runLoop.now());
    m_landsAt = runLoop.now() + lag;
    check(runLoop.now());
}

void SimWindowFrames::check(double now) {
    const FrameRequest& r = m_pending.first().request;
    if (m_landsAt && now >= *m_landsAt) {
        m_landsAt.reset();
        land(r);
    }
    const SimDesktop::Window* w = m_desktop.windowOf(r.window);
    if (!w) {
        complete({FrameOutcome::Gone, std::nullopt});
        return;
    }
    if (const std::optional<FrameOutcome> outcome = m_settle->note(w->frame, now)) {
        complete({*outcome, m_settle->frame()});
        return;
    }
    const double wake = m_landsAt ? std::min(*m_landsAt, m_settle->deadline()) : m_settle->deadline();
    // Read at the very time asked for: the clock's sum may land a hair before it.
    m_wake = m_desktop.runLoop().scheduleTimer(wake - now, false, [this, wake] { check(wake); });
}

void SimWindowFrames::land(const FrameRequest& request) {
    SimDesktop::Window* w = m_desktop.windowOf(request.window);
    if (!w || m_desktop.faults().ignoresWrites(w->number))
        return;
    const QSizeF size = request.frame.size();
    w->frame = QRectF(request.frame.topLeft(), w->sizeConstraint ? w->sizeConstraint(size) : size);
    emit m_desktop.m_windowServer.windowFrameChanged(w->number);
}

void SimWindowFrames::complete(FrameResult result) {
    m_wake.reset();
    m_settle.reset();
    m_landsAt.reset();
    FrameDone done = m_pending.takeFirst().done;
    if (done)
        m_desktop.runLoop().post([done = std::move(done), result] { done(result); });
    startNext();
}

// Before a window's first write, the frame it had goes on the window, as the X11 writer does: a
// window that has one keeps its first, unless no window can have that one; a read that fails for
// another reason than "none there" writes nothing.
void SimWindowFrames::rememberFrame(AxElement window) {
    Accessibility& accessibility = m_desktop.accessibility();
    const AttributeResult remembered = accessibility.copyAttributeValue(window, ax::kRestoreFrame);
    const AxValue* value = remembered.get<AxValue>();
    const bool isImpossible = value && value->rectValue() && !isPossibleWindowFrame(*value->rectValue());
    if (remembered.error != AxError::NoValue && !isImpossible)
        return;
    accessibility.setAttributeValue(window, ax::kRestoreFrame,
                                    AxValue::ofRect(m_desktop.windowOf(window)->frame));
}

} // namespace corvane

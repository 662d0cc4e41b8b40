#include "AgentWindowFrames.h"

#include "platform/common/PossibleFrame.h"

#include <QJsonArray>

namespace corvane {

namespace field = agentprotocol::field;
namespace command = agentprotocol::command;

AgentWindowFrames::AgentWindowFrames(AgentCommand send, AgentDesktop& desktop,
                                     AgentAccessibility& accessibility, const AgentScreens& screens,
                                     AgentRestoreFrames& restoreFrames, RunLoop& runLoop)
    : m_send(std::move(send))
    , m_desktop(desktop)
    , m_accessibility(accessibility)
    , m_screens(screens)
    , m_restoreFrames(restoreFrames)
    , m_runLoop(runLoop) {
    connect(&desktop, &AgentDesktop::windowFrameChanged, this, [this](quint32 number) {
        if (m_settle && number == m_window)
            check();
    });
    connect(&desktop, &AgentDesktop::windowRemoved, this, [this](quint32 number) {
        if (m_settle && number == m_window)
            complete({FrameOutcome::Gone, std::nullopt});
    });
}

void AgentWindowFrames::request(FrameRequest request, FrameDone done) {
    m_queue.push_back({request, std::move(done)});
    // Never completed before request() returns.
    if (m_queue.size() == 1)
        m_runLoop.post(this, [this] { startNext(); });
}

std::optional<QRectF> AgentWindowFrames::currentFrame() const {
    const AgentWindow* w = m_desktop.window(m_window);
    return w ? std::optional(m_screens.toAx(w->frame)) : std::nullopt;
}

void AgentWindowFrames::startNext() {
    if (m_queue.empty() || m_settle)
        return;
    const FrameRequest& request = m_queue.front().request;
    const AgentWindow* w = m_accessibility.windowOf(request.window);
    if (!w) {
        complete({FrameOutcome::Gone, std::nullopt});
        return;
    }
    m_window = w->number;
    if (request.write != FrameWrite::Follow && request.remembered == RememberedFrame::Keep) {
        const std::optional<QRectF> remembered = m_restoreFrames.frame(w->id);
        if (!remembered || !isPossibleWindowFrame(m_screens.toAx(*remembered)))
            m_restoreFrames.setFrame(w->id, w->frame);
    }
    const QRectF target = m_screens.fromAx(request.frame);
    m_send(QJsonObject{{field::kC, command::kFrame},
                       {field::kId, w->id},
                       {field::kFrame, QJsonArray{std::round(target.x()), std::round(target.y()),
                                                  std::round(target.width()), std::round(target.height())}}});
    if (request.write == FrameWrite::Follow) {
        // Sent: the window is left to the user's move.
        const std::optional<QRectF> frame = currentFrame();
        const bool isReached = frame && wholePixels(*frame) == wholePixels(request.frame);
        complete({isReached ? FrameOutcome::Reached : FrameOutcome::Settled, frame});
        return;
    }
    if (request.remembered == RememberedFrame::Forget)
        m_restoreFrames.setFrame(w->id, std::nullopt);
    // The frame the window has now was read before the agent even had the request, and is reported
    // again when anything else of the window changes: a slow compositor or client is waited for.
    m_settle.emplace(request.frame, m_runLoop.now(), currentFrame());
    check();
}

void AgentWindowFrames::check() {
    const std::optional<FrameOutcome> outcome = m_settle->note(currentFrame(), m_runLoop.now());
    if (outcome) {
        complete({*outcome, m_settle->frame()});
        return;
    }
    m_deadline = m_runLoop.scheduleTimer(std::max(0.0, m_settle->deadline() - m_runLoop.now()), false,
                                         [this] { check(); });
}

void AgentWindowFrames::complete(const FrameResult& result) {
    m_deadline.reset();
    m_settle.reset();
    m_window = 0;
    FrameDone done = std::move(m_queue.front().done);
    m_queue.pop_front();
    if (!m_queue.empty())
        m_runLoop.post(this, [this] { startNext(); });
    done(result);
}

} // namespace corvane

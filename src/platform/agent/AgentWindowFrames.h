#pragma once
// Frame requests through the agent: it sets the frame, and the frames it then reports for the window
// tell when it has settled. One request at a time, in order; nothing blocks the main thread while a
// request waits.

#include "platform/RunLoop.h"
#include "platform/WindowFrames.h"
#include "platform/agent/AgentAccessibility.h"
#include "platform/agent/AgentCommand.h"
#include "platform/common/FrameSettle.h"

#include <QObject>
#include <deque>
#include <memory>

namespace corvane {

class AgentWindowFrames final : public QObject, public WindowFrames {
    Q_OBJECT
public:
    AgentWindowFrames(AgentCommand send, AgentDesktop& desktop, AgentAccessibility& accessibility,
                      const AgentScreens& screens, AgentRestoreFrames& restoreFrames, RunLoop& runLoop);

    void request(FrameRequest request, FrameDone done) override;

private:
    struct Pending {
        FrameRequest request;
        FrameDone done;
    };
    void startNext();
    void check();
    void complete(const FrameResult& result);
    std::optional<QRectF> currentFrame() const;

    AgentCommand m_send;
    AgentDesktop& m_desktop;
    AgentAccessibility& m_accessibility;
    const AgentScreens& m_screens;
    AgentRestoreFrames& m_restoreFrames;
    RunLoop& m_runLoop;
    std::deque<Pending> m_queue;
    // The request in flight: the front of the queue.
    std::optional<FrameSettle> m_settle;
    quint32 m_window = 0;
    std::unique_ptr<Timer> m_deadline;
};

} // namespace corvane

#pragma once
// Frame requests on KWin: the agent sets the frame, and the frames KWin then reports for the window
// tell when it has settled. One request at a time, in order; nothing blocks the main thread while a
// request waits.

#include "platform/RunLoop.h"
#include "platform/WindowFrames.h"
#include "platform/common/FrameSettle.h"
#include "platform/kwin/KWinAccessibility.h"
#include "platform/kwin/KWinAgent.h"

#include <QObject>
#include <deque>
#include <memory>

namespace corvane {

class KWinWindowFrames final : public QObject, public WindowFrames {
    Q_OBJECT
public:
    KWinWindowFrames(AgentCommand send, KWinDesktop& desktop, KWinAccessibility& accessibility,
                     const KWinScreens& screens, KWinRestoreFrames& restoreFrames, RunLoop& runLoop);

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
    KWinDesktop& m_desktop;
    KWinAccessibility& m_accessibility;
    const KWinScreens& m_screens;
    KWinRestoreFrames& m_restoreFrames;
    RunLoop& m_runLoop;
    std::deque<Pending> m_queue;
    // The request in flight: the front of the queue.
    std::optional<FrameSettle> m_settle;
    quint32 m_window = 0;
    std::unique_ptr<Timer> m_deadline;
};

} // namespace corvane

#pragma once
// WindowFrames on the simulated desktop. A request lands on the simulated clock after the lag a test
// set for its window (none by default), sized as the window's constraint makes it, unless the window
// ignores writes; it completes by the rule every backend follows (FrameSettle), the window read as it
// is asked, where it lands and at each deadline. Each request is logged as writes of its size and
// position; noting and forgetting the remembered frame go through the accessibility, as its
// injected failures say.

#include "platform/Accessibility.h"
#include "platform/RunLoop.h"
#include "platform/WindowFrames.h"
#include "platform/common/FrameSettle.h"

#include <QList>
#include <memory>

namespace corvane {

class SimDesktop;

class SimWindowFrames final : public WindowFrames {
public:
    explicit SimWindowFrames(SimDesktop& desktop)
        : m_desktop(desktop) {}

    void request(FrameRequest request, FrameDone done) override;

private:
    struct Pending {
        FrameRequest request;
        FrameDone done;
    };
    void startNext();
    // Lands the frame when due, then reads the window as at `now`: completes, or waits for what
    // comes next.
    void check(double now);
    void land(const FrameRequest& request);
    void complete(FrameResult result);
    void rememberFrame(AxElement window);

    SimDesktop& m_desktop;
    QList<Pending> m_pending; // the first one runs
    std::optional<FrameSettle> m_settle;
    std::optional<double> m_landsAt;
    std::unique_ptr<Timer> m_wake;
};

} // namespace corvane

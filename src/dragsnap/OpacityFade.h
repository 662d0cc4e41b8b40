#pragma once
// A window's opacity run from where it is to a target over a time, on the run loop's clock: one fade
// at a time, and a completion that belongs to the fade it was given with. SnapPreviewOverlay fades
// the preview with it.

#include "platform/RunLoop.h"

#include <functional>
#include <memory>

namespace corvane {

class OpacityFade {
public:
    using Apply = std::function<void(double opacity)>;

    OpacityFade(RunLoop& runLoop, Apply apply);

    // From the current opacity to the target. A fade still running stops where it is and its
    // completion never runs; this one's runs once the target is reached.
    void start(double target, double seconds, std::function<void()> completion = {});
    // At once, ending any fade without its completion.
    void set(double opacity);

    double opacity() const { return m_opacity; }
    bool isRunning() const { return m_end != nullptr; }

    static constexpr double frameInterval = 1.0 / 60;

private:
    void stop();
    void step();
    void finish();

    RunLoop& m_runLoop;
    Apply m_apply;
    double m_opacity = 0;
    double m_from = 0;
    double m_target = 0;
    double m_startTime = 0;
    double m_duration = 0;
    std::function<void()> m_completion;
    std::unique_ptr<Timer> m_frames;
    std::unique_ptr<Timer> m_end;
};

} // namespace corvane

// One opacity fade at a time, stepped by a run-loop timer; see the header.
#include "OpacityFade.h"

#include <algorithm>
#include <utility>

namespace corvane {

OpacityFade::OpacityFade(RunLoop& runLoop, Apply apply)
    : m_runLoop(runLoop)
    , m_apply(std::move(apply)) {}

void OpacityFade::start(double target, double seconds, std::function<void()> completion) {
    stop();
    m_completion = std::move(completion);
    m_from = m_opacity;
    m_target = target;
    m_startTime = m_runLoop.now();
    m_duration = seconds;
    m_frames = m_runLoop.scheduleTimer(frameInterval, true, [this] { step(); });
    // Its own timer, so the fade ends exactly on time whatever the frames' rhythm.
    m_end = m_runLoop.scheduleTimer(seconds, false, [this] { finish(); });
}

void OpacityFade::set(double opacity) {
    stop();
    m_opacity = opacity;
    m_apply(opacity);
}

void OpacityFade::stop() {
    m_frames.reset();
    m_end.reset();
    m_completion = {};
}

void OpacityFade::step() {
    const double progress = std::min(1.0, (m_runLoop.now() - m_startTime) / m_duration);
    m_opacity = m_from + (m_target - m_from) * progress;
    m_apply(m_opacity);
}

void OpacityFade::finish() {
    // Taken out first: the completion may start the next fade.
    const std::function<void()> completion = std::exchange(m_completion, {});
    stop();
    m_opacity = m_target;
    m_apply(m_opacity);
    if (completion)
        completion();
}

} // namespace corvane

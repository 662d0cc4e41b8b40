#pragma once
// Hands the pointer's events on in the order they happened, motion coalesced: of the motion that
// comes before a button event or within one read, only the newest position is handed on, and
// while motion streams in faster than every `interval`, reading pauses until the interval is up,
// so a fast mouse costs one evaluation per interval. Button events are never merged or reordered;
// each comes with the position it happened at. Runs on the run loop's timers; X11Events feeds it
// the raw events of a server that cannot record (the recording is paced on its own thread).

#include "platform/RunLoop.h"
#include "platform/common/MotionFilter.h"

#include <functional>
#include <memory>
#include <optional>

namespace corvane {

class PointerPacer {
public:
    using Deliver = std::function<void(const PointerSample&)>;
    // `holdReading(true)` stops reading the stream; `holdReading(false)` reads at once what came
    // meanwhile (calling take() and endOfRead() as any read does) and goes on reading.
    PointerPacer(RunLoop& runLoop, double interval, std::function<void(bool)> holdReading, Deliver deliver);

    // Each sample read, in order; then endOfRead() once the read found no more.
    void take(const PointerSample& sample);
    void endOfRead();
    // Drops the motion not handed on and the tick: the stream starts anew (a new recording), read
    // from its first event. Nothing is handed on from here, which may run inside a monitor's stop().
    void reset();

private:
    void flushMotion();
    void tick();

    RunLoop& m_runLoop;
    double m_interval;
    std::function<void(bool)> m_holdReading;
    Deliver m_deliver;
    std::optional<PointerSample> m_motion; // newest motion not handed on yet
    double m_lastMotion = -1e9;            // when motion was last handed on
    quint64 m_motionsHandedOn = 0;
    std::unique_ptr<Timer> m_tick;
};

} // namespace corvane

#include "PointerPacer.h"

namespace corvane {

PointerPacer::PointerPacer(RunLoop& runLoop, double interval, std::function<void(bool)> holdReading,
                           Deliver deliver)
    : m_runLoop(runLoop)
    , m_interval(interval)
    , m_holdReading(std::move(holdReading))
    , m_deliver(std::move(deliver)) {}

void PointerPacer::take(const PointerSample& sample) {
    if (sample.kind == PointerSample::Kind::Motion) {
        m_motion = sample;
        return;
    }
    // The motion before a button event is handed on first, so the button comes where it happened.
    flushMotion();
    m_deliver(sample);
}

void PointerPacer::endOfRead() {
    if (!m_motion || m_tick)
        return; // nothing waits, or the next tick hands it on
    const double wait = m_lastMotion + m_interval - m_runLoop.now();
    if (wait <= 0) {
        flushMotion();
        return;
    }
    m_holdReading(true);
    m_tick = m_runLoop.scheduleTimer(wait, false, [this] { tick(); });
}

void PointerPacer::tick() {
    m_tick.reset();
    const quint64 before = m_motionsHandedOn;
    m_holdReading(false); // reads what came meanwhile
    flushMotion();
    // Motion still streams in: read again only at the next tick. When none came, each event wakes
    // us as it comes, so an ordinary mouse is never delayed.
    if (m_motionsHandedOn != before && !m_tick) {
        m_holdReading(true);
        m_tick = m_runLoop.scheduleTimer(m_interval, false, [this] { tick(); });
    }
}

void PointerPacer::flushMotion() {
    if (!m_motion)
        return;
    const PointerSample motion = *m_motion;
    m_motion.reset();
    m_lastMotion = m_runLoop.now();
    ++m_motionsHandedOn;
    m_deliver(motion);
}

void PointerPacer::reset() {
    m_motion.reset();
    m_tick.reset();
}

} // namespace corvane

#include "KeyRepeater.h"

#include "platform/common/Log.h"

namespace corvane {

KeyRepeater::KeyRepeater(RunLoop& runLoop, Timing timing, Fire fire)
    : m_runLoop(runLoop)
    , m_timing(std::move(timing))
    , m_fire(std::move(fire)) {}

void KeyRepeater::press(quint32 key) {
    const std::optional<KeyRepeatTiming> timing = m_timing(key);
    if (!timing)
        return;
    m_key = key;
    m_timer = m_runLoop.scheduleTimer(timing->delay, false, [this] { repeat(); });
}

void KeyRepeater::release(quint32 key) {
    if (m_key != key)
        return;
    m_key.reset();
    m_timer.reset();
    qCDebug(lcGeneral) << "Key" << key << "no longer repeats";
}

void KeyRepeater::repeat() {
    const quint32 key = *m_key;
    const std::optional<KeyRepeatTiming> timing = m_timing(key);
    if (!timing) {
        // Repeating was switched off, for this key or the whole keyboard, while it was held.
        m_key.reset();
        m_timer.reset();
        return;
    }
    // Scheduled before firing, so the time the handler takes does not stretch the interval.
    m_timer = m_runLoop.scheduleTimer(timing->interval, false, [this] { repeat(); });
    m_fire(key);
    // After the handler: a script waiting on the line knows the repeat was judged.
    qCDebug(lcGeneral) << "Key" << key << "repeated";
}

} // namespace corvane

#pragma once
// Auto-repeat for key events that come without it (XInput 2 raw events): as the X server repeats
// keys for its clients, the most recently pressed key that repeats fires again after the delay,
// then at every interval, until it is released or another repeating key is pressed. Keys that do
// not repeat (the modifiers) neither start nor stop a repeat. Runs on the run loop's timers.

#include "platform/RunLoop.h"

#include <functional>
#include <memory>
#include <optional>

namespace corvane {

struct KeyRepeatTiming {
    double delay = 0;    // seconds from the press to the first repeat
    double interval = 0; // seconds between repeats
};

class KeyRepeater {
public:
    // How a key repeats now, none when it does not; asked at each press and before each repeat,
    // so a change of the keyboard's settings takes effect at once.
    using Timing = std::function<std::optional<KeyRepeatTiming>(quint32 key)>;
    using Fire = std::function<void(quint32 key)>;
    KeyRepeater(RunLoop& runLoop, Timing timing, Fire fire);

    void press(quint32 key);
    void release(quint32 key);
    std::optional<quint32> repeatingKey() const { return m_key; }

private:
    void repeat();

    RunLoop& m_runLoop;
    Timing m_timing;
    Fire m_fire;
    std::optional<quint32> m_key;
    std::unique_ptr<Timer> m_timer;
};

} // namespace corvane

#pragma once
// The pointer's button and motion events as the X server processes them, through the RECORD
// extension, on a connection of their own: each carries its root position, its time and its order,
// including the motion during a window manager's grab and pointer warps, so no event costs a round
// trip to ask where the pointer is. Observed, never grabbed. X11Events turns them into events.

#include "platform/RunLoop.h"
#include "platform/common/PointerPacer.h"
#include "platform/x11/X11Connection.h"

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace corvane {

// An event's time on the run loop's clock, from the server's stamp in milliseconds. A local server
// stamps with the same monotonic clock; a stamp that does not fit (a server elsewhere, with a clock
// of its own) gives way to the time the event was read.
double eventTimestamp(quint32 serverMillis, double now);

class X11PointerRecorder {
public:
    using Take = std::function<void(const PointerSample&)>;
    // Each sample goes to `take`, in order; `endOfRead` follows each read of the stream.
    X11PointerRecorder(X11Connection& control, RunLoop& runLoop, Take take, std::function<void()> endOfRead);
    ~X11PointerRecorder();

    // Records button events, and motion too when asked; nothing with neither. False when the server
    // cannot record.
    bool record(bool buttons, bool motion);
    bool isRecordingMotion() const { return m_isRecordingMotion; }
    void holdReading(bool hold);
    // Reads what has come, held or not: a button event rang (X11Events).
    void readNow();

private:
    void stop();
    void read();

    X11Connection& m_control;
    RunLoop& m_runLoop;
    Take m_take;
    std::function<void()> m_endOfRead;
    bool m_isAvailable = false;
    bool m_isRecordingMotion = false;
    quint32 m_context = 0;
    xcb_connection_t* m_data = nullptr;    // blocked by the recording: it carries nothing else
    xcb_connection_t* m_trigger = nullptr; // raw events that make the server send the recording
    unsigned int m_sequence = 0;
    quint64 m_generation = 0; // counts the recordings stopped
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace corvane

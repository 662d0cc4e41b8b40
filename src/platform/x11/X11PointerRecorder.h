#pragma once
// The pointer's button and motion events as the X server processes them, through the RECORD
// extension, on a connection of their own: each carries its root position, its time and its order,
// including the motion during a window manager's grab and pointer warps, so no event costs a round
// trip to ask where the pointer is. Observed, never grabbed. A thread of its own reads them, paced
// like a screen's frames, and wakes the main thread only for what MotionFilter lets through; a
// pointer moving elsewhere costs the main thread nothing. X11Events turns them into events.

#include "platform/RunLoop.h"
#include "platform/common/MotionFilter.h"
#include "platform/x11/X11Connection.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace corvane {

// An event's time on the run loop's clock, from the server's stamp in milliseconds. A local server
// stamps with the same monotonic clock; a stamp that does not fit (a server elsewhere, with a clock
// of its own) gives way to the time the event was read.
double eventTimestamp(quint32 serverMillis, double now);

class X11PointerRecorder {
public:
    using Take = std::function<void(const PointerSample&)>;
    // Each sample let through goes to `take` on the main thread, in order. `runLoop` gives the
    // reading thread its clock.
    X11PointerRecorder(X11Connection& control, RunLoop& runLoop, Take take);
    ~X11PointerRecorder();

    // Where the pointer is as a recording starts.
    struct Start {
        QPoint deviceOrigin;     // added to the recorded positions: X11Screens::deviceOrigin()
        QPoint position;         // root pixels
        quint32 heldButtons = 0; // in the bits of Events::pressedMouseButtons()
    };
    // Records button events, and motion too when asked; nothing with neither. Positions come in root
    // pixels. False when the server cannot record.
    bool record(bool buttons, bool motion, const Start& start);
    bool isRecordingMotion() const { return m_isRecordingMotion; }
    // Root pixels; they hold for the recordings to come as well.
    void setMotionRegions(const QList<QRectF>& regions);
    // The newest position read, root pixels: where the pointer is, as of the last read.
    QPoint latestPosition() const;
    // Reads what has come at once, even while motion is paced: a button event rang (X11Events).
    void readNow();
    // Runs `then` on the main thread once a read has brought the pointer to `root` (as recorded, with
    // the device origin) and what came before it has been taken; after `seconds` in any case.
    void whenAt(QPoint root, std::function<void()> then, double seconds);

    // While motion streams in, the stream is read once per interval, its newest position handed on:
    // a frame of a 60 Hz screen, as often as the preview can show a change.
    static constexpr double kMotionInterval = 0.016;

private:
    // Until the server has started the recording, bounded; false when it did not.
    bool awaitStartOfData();
    void stop();
    void wake();
    // The reading thread's loop, and one read of what has come.
    struct Reading {
        QPoint deviceOrigin;
        quint32 heldButtons = 0;
        MotionFilter filter;
    };
    void run(Reading reading);
    // Whether motion came; none when the server went away. Each position read goes to `positions`
    // where given.
    std::optional<bool> read(Reading& reading, QList<QPoint>* positions);
    // Takes the raw events that rang since the last time; whether there were any.
    bool emptyTrigger();
    void flushRecording();
    void handOn(const QList<PointerSample>& samples);
    void takeHandedOn();
    // Reading thread: answers the waiters whose position a read brought; whether a waiter still waits
    // that no recording has yet been asked out of the server for.
    bool answerWaiters(const QList<QPoint>& positions);
    void answer(quint64 waiter);

    X11Connection& m_control;
    RunLoop& m_runLoop;
    Take m_take;
    bool m_isAvailable = false;
    bool m_isRecordingMotion = false;
    quint32 m_context = 0;
    // Made here, used only by the reading thread while it runs, closed here once it has ended.
    xcb_connection_t* m_data = nullptr;    // blocked by the recording: it carries nothing else
    xcb_connection_t* m_trigger = nullptr; // raw events that make the server send the recording
    unsigned int m_sequence = 0;
    int m_wakeFd = -1; // an eventfd: stop, or read now
    std::thread m_reader;
    std::atomic<bool> m_isStopping = false;
    std::atomic<quint64> m_latest = 0; // x and y, 32 bits each
    QObject m_mainThread;              // queued calls run on the main thread in its name
    quint64 m_generation = 0;          // counts the recordings stopped; main thread only
    // What crosses from the reading thread to the main thread, and back.
    std::mutex m_mutex;
    QList<PointerSample> m_handedOn;
    bool m_isTakePending = false;
    QList<QRectF> m_regions;
    bool m_haveRegionsChanged = false;
    struct Waiter {
        QPoint root;
        std::function<void()> then;
        std::unique_ptr<Timer> deadline; // touched on the main thread only
        bool isAnswered = false;
        bool isFlushed = false;
    };
    std::map<quint64, Waiter> m_waiters;
    std::atomic<bool> m_hasWaiters = false;
    quint64 m_nextWaiter = 0;
};

} // namespace corvane

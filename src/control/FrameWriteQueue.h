#pragma once
// The one ordered queue of frame writes to other applications' windows: the hotkeys', the commands',
// a drop's and a palette pick's. Requests go to WindowFrames one at a time, in the order they were
// made. A request for a window whose earlier request has not started yet takes that one's place, so
// a burst of key presses leaves the window where the last one puts it; the callers of both hear the
// outcome once it has landed. Main thread only. What frame to ask for is decided here: the title bar
// kept where the user can reach it, in AX coordinates.

#include "control/ZonePlace.h"
#include "platform/Platform.h"

#include <QList>
#include <QRectF>
#include <functional>
#include <memory>
#include <optional>

namespace corvane {

// Called on the main thread once a requested write has completed: true when the window was still
// there and was written to. The window found when the request was made may be gone by then; this
// is how a caller learns that without waiting for the write.
using WriteDone = std::function<void(bool isWritten)>;

class FrameWriteQueue {
public:
    struct Request {
        AxElement window{}; // resolved when the request is made
        // Activated once the write has landed, unless the user has gone to another application meanwhile.
        std::optional<RunningApplication> application{};
        QRectF frame{}; // screen coordinates
        double primaryHeight = 0;
        QRectF visibleFrame{}; // of the screen the window goes to, which keeps its title bar (not a Follow's)
        FrameWrite write = FrameWrite::Placement;
        RememberedFrame remembered = RememberedFrame::Keep;
        std::optional<ZonePlace> zone{}; // where the frame is a zone's
    };
    // Hears each write as it is asked for (one that replaces a waiting one too) and once it has landed:
    // what keeps track of where windows went.
    struct Observer {
        std::function<void(const Request&)> asked;
        std::function<void(const Request&, const FrameResult&)> landed;
    };

    explicit FrameWriteQueue(Platform& platform);
    FrameWriteQueue(const FrameWriteQueue&) = delete;
    FrameWriteQueue& operator=(const FrameWriteQueue&) = delete;

    void write(Request request, WriteDone done = {});
    void setObserver(Observer observer) { m_observer = std::move(observer); }
    // Whether a request for the window waits to start.
    bool isWaiting(AxElement window) const;
    // Runs `idle` once no request waits or is being written: before returning when none is, else
    // after the last one's callers have heard its outcome.
    void whenIdle(std::function<void()> idle);

private:
    struct Pending {
        Request request;
        QList<WriteDone> done;              // of this request and of each it replaced
        std::optional<qint32> frontmostPid; // when the request was made
    };
    std::optional<qint32> frontmostPid();
    void startNext();
    void finish(const Pending& pending, const FrameResult& result);

    Platform& m_platform;
    QList<Pending> m_waiting; // not started, in the order first asked for, one per window
    bool m_isWriting = false;
    QList<std::function<void()>> m_idleWaiters;
    Observer m_observer;
    // A request completing after this queue has gone finds it expired.
    std::shared_ptr<bool> m_lifetime = std::make_shared<bool>();
};

} // namespace corvane

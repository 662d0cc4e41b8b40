#pragma once
// The one ordered queue of frame writes to other applications' windows (the hotkeys' and the
// commands'): requests run one at a time on the background queue, in the order they were made. A
// request for a window whose earlier request has not started yet takes that one's place, so a burst
// of key presses leaves the window where the last one puts it; the callers of both hear the outcome
// once it has landed. The writes themselves are WindowAccess's.

#include "control/WindowAccess.h"
#include "platform/Platform.h"

#include <QHash>
#include <QList>
#include <QRectF>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace corvane {

// Called on the main thread once a requested write has run: true when the window was still there
// and was written to. The window found on the main thread may be gone by then; this is how a
// caller learns that without waiting for the write.
using WriteDone = std::function<void(bool isWritten)>;

class FrameWriteQueue {
public:
    struct Request {
        AxElement window;                              // resolved when the request is made
        std::optional<RunningApplication> application; // activated once the write has landed
        QRectF frame;                                  // screen coordinates
        double primaryHeight = 0;
        QRectF visibleFrame; // of the screen the window goes to, which keeps its title bar
        RememberedFrame remembered = RememberedFrame::Keep;
    };

    explicit FrameWriteQueue(Platform& platform);

    void write(Request request, WriteDone done);

private:
    struct Pending {
        Request request;
        QList<WriteDone> done; // of this request and of each it replaced
    };
    // Shared with the queued work, which may outlive this queue's owner.
    struct Waiting {
        std::mutex mutex;
        QHash<quint64, Pending> byWindow; // requests not started yet, by window handle
    };

    Platform& m_platform;
    std::shared_ptr<Waiting> m_waiting = std::make_shared<Waiting>();
};

} // namespace corvane

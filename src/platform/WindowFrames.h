#pragma once
// Moving and resizing other applications' windows. A request completes later, on the main thread,
// with the frame the window settled on: a desktop may take a frame only on the client's next redraw,
// round a size to the client's steps, or keep the window elsewhere, so what was asked is not what
// is read back at once. How a write gets there (X11's write, wait and read-back; a compositor's
// agent) is the backend's; what frame to ask for is the core's.

#include "platform/Accessibility.h"

#include <QRectF>
#include <functional>
#include <optional>

namespace corvane {

// How a write proceeds, by what the user is doing.
enum class FrameWrite {
    Placement, // a hotkey or a command: written until it holds, the size asked again once when off
    Pointed,   // the user pointed at the window (a drop, a palette pick): written, then again where it landed
    Follow,    // the window manager moves the window with the pointer: once, nothing it would fight
};

// What a write does with the frame the window had before Corvane first placed it (kept on the window
// itself, ax::kRestoreFrame): notes it before the first write and keeps it (a placement), or notes it
// and forgets it once the window has its old frame back (a restore). A Follow write touches neither.
enum class RememberedFrame { Keep, Forget };

enum class FrameOutcome {
    Reached,  // the window has the frame asked for
    Settled,  // the frame has not changed for kFrameSettleTime: the window keeps another one
    TimedOut, // still changing, or no answer, after kFrameRequestTimeout
    Gone,     // the window closed before or during the write
};

// A frame unchanged this long has settled.
inline constexpr double kFrameSettleTime = 0.050;
// No request waits longer than this.
inline constexpr double kFrameRequestTimeout = 0.250;

struct FrameRequest {
    AxElement window;
    QRectF frame; // the outer frame, AX coordinates
    FrameWrite write = FrameWrite::Placement;
    RememberedFrame remembered = RememberedFrame::Keep;
};

struct FrameResult {
    FrameOutcome outcome = FrameOutcome::Gone;
    std::optional<QRectF> frame; // as last read, AX coordinates; none when the window is gone
};

using FrameDone = std::function<void(const FrameResult&)>;

class WindowFrames {
public:
    virtual ~WindowFrames() = default;

    // Requests run one at a time, in the order they were made; done runs on the main thread once
    // the request has completed, within kFrameRequestTimeout of its start, and never before request
    // returns. A Follow write completes as soon as it is sent, with the frame as last read: Reached
    // when that is the one asked, else Settled (the window is left to its move).
    virtual void request(FrameRequest request, FrameDone done) = 0;
};

} // namespace corvane

#pragma once
// When a frame request has completed, from the frames read as it goes: the window has the frame
// asked for; else its frame has not changed for kFrameSettleTime; else kFrameRequestTimeout has
// passed. Pure: the X11 writer feeds it what the window's ConfigureNotify events lead it to read,
// the simulated desktop what its clock shows.

#include "platform/WindowFrames.h"

#include <QRectF>
#include <optional>

namespace corvane {

class FrameSettle {
public:
    // `requested` in AX coordinates; times in seconds on any one clock. Where a frame is read before
    // the desktop could have acted on the request (`before`), reading it again tells nothing: the
    // request settles only on a frame the window changed to since, and times out with `before`.
    FrameSettle(const QRectF& requested, double startedAt,
                const std::optional<QRectF>& before = std::nullopt);

    // The window's frame as read at `now` (none when it could not be read in time): the outcome once
    // the request has completed. Whether the window is gone is the caller's to tell.
    std::optional<FrameOutcome> note(const std::optional<QRectF>& frame, double now);
    // When the request completes unless the frame changes first.
    double deadline() const;
    // The frame last read; none before one was.
    const std::optional<QRectF>& frame() const { return m_frame; }

private:
    QRect m_requested; // whole pixels, as windows have them
    double m_startedAt;
    std::optional<QRectF> m_frame;
    bool m_isBefore = false; // m_frame is the one from before the request
    double m_changedAt = 0;
};

// Whole pixels, each value rounded on its own: a frame asked at 437.5 points is reached at 438.
QRect wholePixels(const QRectF& frame);

} // namespace corvane

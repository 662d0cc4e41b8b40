#pragma once
// One frame request, run on the writer thread against its own connection: the writes its kind
// asks for, the frame remembered or forgotten in between, then the wait until the window has
// settled (FrameSettle), woken by the window's ConfigureNotify events, and a second such wait after
// the position is written again when the window settled off by an offset not taken off yet.
// X11WindowFrames runs it and hands the result to the main thread.

#include "platform/WindowFrames.h"
#include "platform/x11/X11Windows.h"

#include <QElapsedTimer>

namespace corvane {

// The position to write last: the requested one, less the offset the window manager added when
// the window moved (from where it was before the writes) to near the requested spot. Along an axis
// the window has not moved yet, it tells nothing.
QPointF correctedPosition(QPointF requested, std::optional<QPointF> before, std::optional<QPointF> landed);

class X11FrameWrite {
public:
    X11FrameWrite(X11Windows& windows, const FrameRequest& request);

    // Within kFrameRequestTimeout, as the request's own clock counts from here.
    FrameResult run();

private:
    // Size, wait, position, wait, a read-back with the size asked again once when more than 5
    // pixels off, and the position less any offset the window manager added.
    void writePlacement();
    // Size and position, a wait, then both again, the position corrected the same way.
    void writePointed();
    // Before the first write, the frame the window had goes on the window, where a restart of
    // Corvane finds it and which dies with the window: a window that has one keeps its first, unless
    // no window can have that one; a read with no answer writes nothing.
    void rememberFrame();
    FrameResult settle();

    std::optional<QRectF> readFrame();
    void write(std::optional<QPointF> position, std::optional<QSizeF> size);
    // Whether the window manager applied the last write within the pause.
    bool pause();
    // The last write of the position: the one asked, less the offset a window manager was seen to add.
    void writeLastPosition(const std::optional<QRectF>& landed, bool isAnswered);
    // The position to write after a settle off the spot asked by a window manager's offset, when none
    // was taken off before.
    std::optional<QPointF> lateCorrection(const FrameResult& settled) const;
    double elapsed() const { return double(m_clock.nsecsElapsed()) / 1e9; }
    double remaining() const;

    X11Windows& m_windows;
    const FrameRequest& m_request;
    xcb_window_t m_window = 0;
    QElapsedTimer m_clock;
    std::optional<QRectF> m_before; // the frame before the writes
    bool m_isCorrected = false;     // an offset was taken off the last position written
    bool m_isGone = false;          // seen gone by a read or a write
};

} // namespace corvane

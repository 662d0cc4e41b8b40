#pragma once
// Reading and writing the frames of other applications' windows through Accessibility. The writers
// hold no state and touch only what they are given; FrameWriteQueue runs writeWindowFrame on the
// background queue.

#include "platform/Accessibility.h"
#include "platform/Workspace.h"

#include <QRectF>
#include <optional>

namespace corvane {

// The application's focused window; none when it has none or cannot be asked.
std::optional<AxElement> focusedWindowOf(Accessibility& accessibility, qint32 pid);

// The frame a window had before Corvane first placed it (AX coordinates), which every writer below
// notes on the window before its first write. Other clients can write it too: a value no window can
// have (a width or height below 1 or above 32767, a coordinate beyond ±32767) is removed from the
// window and reported as invalid.
struct RememberedFrameRead {
    std::optional<QRectF> frame; // none when nothing is remembered, or nothing a window can have
    bool isInvalid = false;      // something no window can have was there, and is gone now
};
RememberedFrameRead rememberedFrameOf(Accessibility& accessibility, AxElement window);
void forgetRememberedFrame(Accessibility& accessibility, AxElement window);

// What a write does with the frame remembered on the window: keeps it (a placement), or forgets it
// once the window has it back (a restore).
enum class RememberedFrame { Keep, Forget };

// Writes the frame to a window: size, position, a read-back with one size retry when more than 5
// points off, and the position again, less any offset the window manager added to the first. The
// left and top edges are kept inside the visible frame; each pause lasts until the window has taken
// the write before it, 10 ms at most. False when the window is gone.
bool writeWindowFrame(Accessibility& accessibility, AxElement window, const QRectF& frame,
                      double primaryHeight, const QRectF& visibleFrame,
                      RememberedFrame remembered = RememberedFrame::Keep);

// Writes a frame in screen coordinates to a window element: size, position, a pause until the window
// has taken them (10 ms at most), then both again (the position less any offset the window manager
// added to the first), on the calling thread; the left and top edges kept inside the visible frame.
// Used where the user pointed at the window (drag, palette).
void writeWindowFrameTwice(Accessibility& accessibility, AxElement window, const QRectF& frame,
                           double primaryHeight, const QRectF& visibleFrame);

// Size, then position, once and without a pause: for a window the window manager is moving with the
// pointer, whose own moves a second pass would fight. It remembers no frame: the window it is for
// already carries the one it had before Corvane placed it.
void writeWindowFrameOnce(Accessibility& accessibility, AxElement window, const QRectF& frame,
                          double primaryHeight);

void activateTargetApplication(Workspace& workspace, const RunningApplication& application);

// The element's frame in AX coordinates; none unless both its position and size read as geometric values.
std::optional<QRectF> axFrameOf(Accessibility& accessibility, AxElement element);

} // namespace corvane

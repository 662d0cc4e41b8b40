#pragma once
// Reading and writing the frame of an application's focused window through Accessibility. The
// writer runs on the background queue; it holds no state and touches only what it is given.

#include "platform/Accessibility.h"
#include "platform/RunLoop.h"
#include "platform/Workspace.h"

#include <QRectF>
#include <optional>

namespace corvane {

// The focused window of the application, as a frame in screen coordinates; none when it cannot be read.
std::optional<QRectF> frameOfFocusedWindow(Accessibility& accessibility, qint32 pid, double primaryHeight);

// Writes the frame to the application's focused window: size, position, a read-back with one size
// retry when more than 5 points off, and the position again, less any offset the window manager
// added to the first. The left edge is kept inside the visible frame; the pauses go through the run
// loop. False when there is no focused window.
bool writeFocusedWindowFrame(Accessibility& accessibility, RunLoop& runLoop, qint32 pid, const QRectF& frame,
                             double primaryHeight, const QRectF& visibleFrame);

// Writes a frame in screen coordinates to a window element: size, position, a 10 ms pause, then both
// again (the position less any offset the window manager added to the first), on the calling
// thread. Used where the user pointed at the window (drag, palette).
void writeWindowFrameTwice(Accessibility& accessibility, RunLoop& runLoop, AxElement window,
                           const QRectF& frame, double primaryHeight);

void activateTargetApplication(Workspace& workspace, const RunningApplication& application);

// The element's frame in AX coordinates; none unless both its position and size read as geometric values.
std::optional<QRectF> axFrameOf(Accessibility& accessibility, AxElement element);

} // namespace corvane

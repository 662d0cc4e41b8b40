#pragma once
// Reading the frames, titles and applications of other applications' windows through Accessibility,
// the frame a window remembers from before Corvane first placed it, and activating the application
// written to. The writes go through FrameWriteQueue.

#include "platform/Accessibility.h"
#include "platform/Workspace.h"

#include <QRectF>
#include <optional>

namespace corvane {

// The application's focused window; none when it has none or cannot be asked.
std::optional<AxElement> focusedWindowOf(Accessibility& accessibility, qint32 pid);

// The frame a window had before Corvane first placed it (AX coordinates), which every write but a
// Follow notes on the window before its first write. Other clients can write it too: a value no
// window can have (isPossibleWindowFrame) is removed from the window and reported as invalid.
struct RememberedFrameRead {
    std::optional<QRectF> frame; // none when nothing is remembered, or nothing a window can have
    bool isInvalid = false;      // something no window can have was there, and is gone now
};
RememberedFrameRead rememberedFrameOf(Accessibility& accessibility, AxElement window);

void activateTargetApplication(Workspace& workspace, const RunningApplication& application);

// The element's frame in AX coordinates; none unless both its position and size read as geometric values.
std::optional<QRectF> axFrameOf(Accessibility& accessibility, AxElement element);

// The name of the application whose window it is: `known` where it is that one, else the running
// application of the window's process; empty when none is.
QString applicationNameOf(Accessibility& accessibility, Workspace& workspace, AxElement window,
                          const std::optional<RunningApplication>& known);
// Empty when the window has no title, or it cannot be read.
QString windowTitleOf(Accessibility& accessibility, AxElement window);

} // namespace corvane

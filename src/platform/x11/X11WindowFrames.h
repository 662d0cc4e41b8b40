#pragma once
// WindowFrames on X11: each request runs on the writer thread (X11FrameWrite), one at a time in the
// order they were made, and its result is posted to the main thread's run loop.

#include "platform/RunLoop.h"
#include "platform/WindowFrames.h"
#include "platform/x11/X11Writer.h"

namespace corvane {

class X11WindowFrames final : public WindowFrames {
public:
    // Both outlive every request: the writer runs what was queued before it stops.
    X11WindowFrames(X11Writer& writer, RunLoop& runLoop)
        : m_writer(writer)
        , m_runLoop(runLoop) {}

    void request(FrameRequest request, FrameDone done) override;

private:
    X11Writer& m_writer;
    RunLoop& m_runLoop;
};

} // namespace corvane

#include "X11WindowFrames.h"

#include "platform/x11/X11FrameWrite.h"

namespace corvane {

void X11WindowFrames::request(FrameRequest request, FrameDone done) {
    X11Writer& writer = m_writer;
    RunLoop& runLoop = m_runLoop;
    m_writer.async([&writer, &runLoop, request, done = std::move(done)] {
        const FrameResult result = X11FrameWrite(writer.windows(), request).run();
        if (done)
            runLoop.post([done, result] { done(result); });
    });
}

} // namespace corvane

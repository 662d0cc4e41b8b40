#include "X11FrameWrite.h"

#include "platform/common/FrameSettle.h"
#include "platform/common/PossibleFrame.h"
#include "platform/x11/X11Accessibility.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// Between writes: until the window has taken the last one, 10 ms at most.
constexpr double kWritePause = 0.010;
constexpr double kSizeTolerance = 5.0;
// A title bar's height at most. Some window managers place the frame off the requested spot by their
// decorations (they take the position for the client's, not the frame's): a larger difference means
// the window manager kept the window somewhere else on purpose.
constexpr double kMaxTitleBarHeight = 64.0;

std::optional<QPointF> topLeftOf(const std::optional<QRectF>& frame) {
    return frame ? std::optional(frame->topLeft()) : std::nullopt;
}

bool isGone(WaitEnd end) {
    return end == WaitEnd::XError || end == WaitEnd::ConnectionLost;
}

} // namespace

QPointF correctedPosition(QPointF requested, std::optional<QPointF> before, std::optional<QPointF> landed) {
    if (!landed)
        return requested;
    QPointF offset = *landed - requested;
    // Along an axis the window has not moved yet, the landing tells nothing: a window manager still
    // ending the user's move of it applies one coordinate of the request before the other.
    if (before && before->x() == landed->x())
        offset.setX(0);
    if (before && before->y() == landed->y())
        offset.setY(0);
    if (std::abs(offset.x()) > kMaxTitleBarHeight || std::abs(offset.y()) > kMaxTitleBarHeight)
        return requested;
    return requested - offset;
}

X11FrameWrite::X11FrameWrite(X11Windows& windows, const FrameRequest& request)
    : m_windows(windows)
    , m_request(request) {
    m_clock.start();
}

double X11FrameWrite::remaining() const {
    return std::max(0.0, kFrameRequestTimeout - elapsed());
}

std::optional<QRectF> X11FrameWrite::readFrame() {
    const Fetched<QRectF> frame = m_windows.frame(m_window, remaining());
    m_isGone = m_isGone || isGone(frame.end());
    return frame.value();
}

void X11FrameWrite::write(std::optional<QPointF> position, std::optional<QSizeF> size) {
    if (!m_isGone)
        m_isGone = isGone(m_windows.moveResize(m_window, position, size, remaining()));
}

bool X11FrameWrite::pause() {
    return !m_isGone && m_windows.waitUntilApplied(m_window, std::min(kWritePause, remaining()));
}

FrameResult X11FrameWrite::run() {
    const std::optional<xcb_window_t> window = X11Accessibility::clientWindowOf(m_request.window);
    if (!window)
        return {FrameOutcome::Gone, std::nullopt};
    m_window = *window;
    switch (m_request.write) {
    case FrameWrite::Placement:
        writePlacement();
        break;
    case FrameWrite::Pointed:
        writePointed();
        break;
    case FrameWrite::Follow: {
        write(std::nullopt, m_request.frame.size());
        write(m_request.frame.topLeft(), std::nullopt);
        const std::optional<QRectF> frame = readFrame();
        if (m_isGone)
            return {FrameOutcome::Gone, std::nullopt};
        const bool isReached = frame && wholePixels(*frame) == wholePixels(m_request.frame);
        return {isReached ? FrameOutcome::Reached : FrameOutcome::Settled, frame};
    }
    }
    if (m_isGone)
        return {FrameOutcome::Gone, std::nullopt};
    if (m_request.remembered == RememberedFrame::Forget)
        m_windows.setRestoreFrame(m_window, std::nullopt);
    const FrameResult settled = settle();
    const std::optional<QPointF> corrected = lateCorrection(settled);
    if (!corrected)
        return settled;
    write(*corrected, std::nullopt);
    return settle();
}

// A window manager too slow to answer within the pauses shows its offset only once the window has
// settled: taken off then, once, the window still lands where asked.
std::optional<QPointF> X11FrameWrite::lateCorrection(const FrameResult& settled) const {
    if (m_isCorrected || settled.outcome != FrameOutcome::Settled || !settled.frame)
        return std::nullopt;
    const QPointF position = m_request.frame.topLeft();
    const QPointF corrected = correctedPosition(position, topLeftOf(m_before), settled.frame->topLeft());
    if (corrected == position)
        return std::nullopt;
    return corrected;
}

void X11FrameWrite::writePlacement() {
    m_before = readFrame();
    if (m_isGone)
        return; // gone since the request was made
    const QSizeF size = m_request.frame.size();
    const QPointF position = m_request.frame.topLeft();
    rememberFrame();
    write(std::nullopt, size);
    const bool isSized = pause();
    write(position, std::nullopt);
    const bool isMoved = pause();
    const std::optional<QRectF> landed = readFrame();
    if (landed && (std::abs(landed->width() - size.width()) > kSizeTolerance ||
                   std::abs(landed->height() - size.height()) > kSizeTolerance)) {
        write(std::nullopt, size);
        pause();
    }
    writeLastPosition(landed, isSized && isMoved);
}

void X11FrameWrite::writePointed() {
    m_before = readFrame();
    if (m_isGone)
        return;
    const QSizeF size = m_request.frame.size();
    const QPointF position = m_request.frame.topLeft();
    rememberFrame();
    write(std::nullopt, size);
    write(position, std::nullopt);
    pause();
    const std::optional<QRectF> landed = readFrame();
    write(std::nullopt, size);
    // Written together and paused for once: the landing is taken as it comes.
    writeLastPosition(landed, true);
}

// Where the window landed tells the window manager's offset only when it answered both writes in their
// pauses: a slow one answers the size after the move was sent, with the window where keeping that size
// on the screen pushed it, and that push is no offset to take off.
void X11FrameWrite::writeLastPosition(const std::optional<QRectF>& landed, bool isAnswered) {
    const QPointF position = m_request.frame.topLeft();
    const QPointF corrected =
        isAnswered ? correctedPosition(position, topLeftOf(m_before), topLeftOf(landed)) : position;
    m_isCorrected = corrected != position;
    write(corrected, std::nullopt);
}

void X11FrameWrite::rememberFrame() {
    const Fetched<QRectF> remembered = m_windows.restoreFrame(m_window, remaining());
    if (!remembered && remembered.end() != WaitEnd::Replied)
        return;
    if (remembered && isPossibleWindowFrame(*remembered))
        return;
    if (const std::optional<QRectF> frame = readFrame())
        m_windows.setRestoreFrame(m_window, *frame);
}

// Each read is followed by a wait for the window's next ConfigureNotify, until the settle rule's
// deadline: counted before the read, so an event that comes in between wakes the wait at once.
FrameResult X11FrameWrite::settle() {
    FrameSettle settle(m_request.frame, 0);
    for (;;) {
        const quint64 seen = m_windows.configureCount(m_window);
        const std::optional<QRectF> frame = readFrame();
        if (m_isGone)
            return {FrameOutcome::Gone, std::nullopt};
        if (const std::optional<FrameOutcome> outcome = settle.note(frame, elapsed()))
            return {*outcome, settle.frame()};
        m_windows.awaitConfigure(m_window, seen, std::max(0.0, settle.deadline() - elapsed()));
    }
}

} // namespace corvane

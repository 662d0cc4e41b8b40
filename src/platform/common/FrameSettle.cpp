#include "FrameSettle.h"

#include <algorithm>

namespace corvane {

QRect wholePixels(const QRectF& frame) {
    return QRect(qRound(frame.x()), qRound(frame.y()), qRound(frame.width()), qRound(frame.height()));
}

FrameSettle::FrameSettle(const QRectF& requested, double startedAt, const std::optional<QRectF>& before)
    : m_requested(wholePixels(requested))
    , m_startedAt(startedAt)
    , m_frame(before)
    , m_isBefore(before.has_value()) {}

std::optional<FrameOutcome> FrameSettle::note(const std::optional<QRectF>& frame, double now) {
    if (frame) {
        if (wholePixels(*frame) == m_requested) {
            m_frame = frame;
            return FrameOutcome::Reached;
        }
        if (!m_frame || wholePixels(*frame) != wholePixels(*m_frame)) {
            m_frame = frame;
            m_isBefore = false;
            m_changedAt = now;
        }
    }
    // Compared as deadline() adds them, so that a check made at the deadline finds it passed.
    if (m_frame && !m_isBefore && now >= m_changedAt + kFrameSettleTime)
        return FrameOutcome::Settled;
    if (now >= m_startedAt + kFrameRequestTimeout)
        return FrameOutcome::TimedOut;
    return std::nullopt;
}

double FrameSettle::deadline() const {
    const double timeout = m_startedAt + kFrameRequestTimeout;
    return m_frame && !m_isBefore ? std::min(m_changedAt + kFrameSettleTime, timeout) : timeout;
}

} // namespace corvane

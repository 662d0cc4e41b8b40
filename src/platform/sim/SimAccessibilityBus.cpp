#include "SimAccessibilityBus.h"

#include "platform/sim/SimDesktop.h"

namespace corvane {

BusButton SimAccessibilityBus::maximizeButtonAt(qint32 pid, const QRectF& windowFrame, QPointF point,
                                                double timeout) {
    m_questions.append({pid, point, timeout});
    const SimDesktop::App* app = m_desktop.app(pid);
    if (!m_isRunning || !app)
        return {};
    if (m_desktop.faults().isUnresponsive(pid))
        return {BusButton::Outcome::NoAnswer, {}};
    for (const SimDesktop::Window& w : m_desktop.m_windows) {
        if (w.pid != pid || w.frame != windowFrame)
            continue;
        if (const std::optional<QRectF> button = m_desktop.zoomButtonFrame(w);
            button && SimDesktop::holds(*button, point))
            return {BusButton::Outcome::Found, *button};
    }
    return {};
}

} // namespace corvane

#include "ClientTitleButtons.h"

#include <algorithm>

namespace corvane {

QRectF ClientTitleButtons::titleStrip(const QRectF& frame) {
    return QRectF(frame.topLeft(), QSizeF(frame.width(), std::min(frame.height(), kStripHeight)));
}

std::optional<QRectF> ClientTitleButtons::known(quint32 window, const QRectF& frame) const {
    const auto it = m_known.constFind(window);
    if (it == m_known.cend() || it->frameSize != frame.size())
        return std::nullopt; // a resized window may have moved its buttons
    return it->button.translated(frame.topLeft());
}

BusButton ClientTitleButtons::buttonAt(quint32 window, qint32 pid, const QRectF& frame, QPointF point,
                                       double timeout) {
    if (const std::optional<QRectF> button = known(window, frame)) {
        const bool isOn = point.x() >= button->left() && point.x() < button->right() &&
                          point.y() >= button->top() && point.y() < button->bottom();
        return isOn ? BusButton{BusButton::Outcome::Found, *button} : BusButton{};
    }
    const Spot spot{window, point - frame.topLeft(), frame.size()};
    if (m_lastSpot != spot) { // the pointer may be passing through: ask once it stays
        m_lastSpot = spot;
        m_isLastSpotAnswered = false;
        return {};
    }
    if (m_isLastSpotAnswered)
        return {};
    const BusButton answer = m_bus.maximizeButtonAt(pid, frame, point, timeout);
    if (answer.outcome == BusButton::Outcome::Found) {
        if (m_known.size() >= kMaxKnown)
            m_known.clear();
        m_known.insert(window, Known{frame.size(), answer.frame.translated(-frame.topLeft())});
    }
    // Nothing there is an answer for as long as the pointer stays; no answer is asked again.
    m_isLastSpotAnswered = answer.outcome == BusButton::Outcome::NotFound;
    return answer;
}

QRectF ClientTitleButtons::zoomButtonRegion(quint32 window, const QRectF& frame) const {
    return known(window, frame).value_or(titleStrip(frame));
}

} // namespace corvane

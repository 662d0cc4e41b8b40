#pragma once
// The simulated desktop's accessibility bus: it names the zoom-button elements of the scene's windows
// as a toolkit names a title bar's maximize button, does not answer for an unresponsive application,
// and finds nothing while it is not running. Every question is kept for the test to look at.

#include "platform/AccessibilityBus.h"

#include <QList>

namespace corvane {

class SimDesktop;

class SimAccessibilityBus final : public AccessibilityBus {
public:
    explicit SimAccessibilityBus(SimDesktop& desktop)
        : m_desktop(desktop) {}

    BusButton maximizeButtonAt(qint32 pid, const QRectF& windowFrame, QPointF point, double timeout) override;

    void setRunning(bool isRunning) { m_isRunning = isRunning; }
    struct Question {
        qint32 pid = 0;
        QPointF point;
        double timeout = 0;
    };
    const QList<Question>& questions() const { return m_questions; }

private:
    SimDesktop& m_desktop;
    bool m_isRunning = true;
    QList<Question> m_questions;
};

} // namespace corvane

#include "WheelGuard.h"

#include <QEvent>
#include <QWidget>

namespace corvane {

WheelGuard::WheelGuard(QWidget* control)
    : QObject(control)
    , m_control(control) {
    // Qt gives wheel-focus controls the focus on a wheel turn, before they see it: not these.
    control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(this);
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_control || event->type() != QEvent::Wheel || m_control->hasFocus())
        return false;
    // Ignored, the turn goes on to the parents, up to the scrolling page.
    event->ignore();
    return true;
}

} // namespace corvane

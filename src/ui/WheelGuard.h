#pragma once
// Keeps the scroll wheel for the page while a control does not have the focus: turning the wheel
// over a picker, a stepper or a number field on the way down a settings page scrolls the page and
// changes nothing. Clicked or tabbed into, the control takes the wheel as usual.

#include <QObject>

class QWidget;

namespace corvane {

class WheelGuard : public QObject {
    Q_OBJECT
public:
    // Guards the control for its lifetime; the guard is the control's child.
    explicit WheelGuard(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_control;
};

} // namespace corvane

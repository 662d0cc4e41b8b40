#include "EventLoopWait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace corvane {

// The tick wakes the loop to ask the condition and the clock, whatever else comes or does not.
bool waitInEventLoop(double seconds, const std::function<bool()>& condition) {
    const QDeadlineTimer deadline(qint64(seconds * 1000));
    QTimer tick;
    tick.start(5);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace corvane

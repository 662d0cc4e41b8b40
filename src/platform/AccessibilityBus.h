#pragma once
// The desktop's accessibility bus, as the X11 accessibility asks it about windows that draw their own
// title bars: what lies under a point of such a title bar. Implemented over AT-SPI 2 (x11/AtspiBus)
// and by the simulated desktop; the layers above never see it, only the zoom-button element it yields.

#include <QPointF>
#include <QRectF>
#include <QtGlobal>

namespace corvane {

struct BusButton {
    enum class Outcome {
        Found,    // the maximize button is under the point
        NotFound, // something else is, or no bus runs, or the process is not on it
        NoAnswer, // the application did not answer in time
    };
    Outcome outcome = Outcome::NotFound;
    QRectF frame; // in AX coordinates, when found
};

class AccessibilityBus {
public:
    virtual ~AccessibilityBus() = default;
    // The maximize button under the point of the process's window with that frame, all in AX
    // coordinates; the whole question is bounded by the timeout, in seconds.
    virtual BusButton maximizeButtonAt(qint32 pid, const QRectF& windowFrame, QPointF point,
                                       double timeout) = 0;
};

} // namespace corvane

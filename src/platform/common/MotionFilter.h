#pragma once
// Which pointer events wake the layers above: every button event, and motion while a button is held
// (a drag may be in progress); other motion only as the pointer enters, moves within or leaves one
// of the regions they named (Events::setMotionRegions), so a pointer moving elsewhere costs them
// nothing. Pure: the X11 recorder applies it on its reading thread, the simulated desktop to what a
// test sends, so tests see what the real desktop delivers.

#include <QList>
#include <QPoint>
#include <QRectF>

namespace corvane {

struct PointerSample {
    enum class Kind { Motion, Press, Release };
    Kind kind = Kind::Motion;
    quint32 button = 0; // X button number; presses and releases only
    QPoint root;        // root window pixels
    double timestamp = 0;
    friend bool operator==(const PointerSample&, const PointerSample&) = default;
};

// An X button number in the bits of Events::pressedMouseButtons().
quint32 mouseButtonBit(quint32 button);

class MotionFilter {
public:
    // In the coordinates of the points given to passes(); half-open, as hit tests on the desktop are.
    void setRegions(QList<QRectF> regions) { m_regions = std::move(regions); }
    // Whether an event at `point` is handed on. Every event is given, in order.
    bool passes(QPointF point, bool isMotion, bool isButtonHeld);

private:
    QList<QRectF> m_regions;
    bool m_wasInside = false; // where the last event given left the pointer
};

} // namespace corvane
